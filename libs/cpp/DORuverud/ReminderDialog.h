#pragma once

#include <QDialog>

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace DORuverud {

// The base of the start-up reminders: a logo, a message, an optional
// content row and the answer buttons. exec() ends with the answer in state().
class ReminderDialog : public QDialog
{
    Q_OBJECT

public:
    enum State { NoAnswer = 0, Now = 1, MaybeLater = 2, NeverAskMeAgain = 3 };

    explicit ReminderDialog(QWidget* parent = nullptr);

    int state() const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    // "<H4>" on a pocket screen, "<H3>" otherwise; closing with a slash.
    static QString headingTag(bool closing);

    QLabel* m_messageLabel;
    int m_state = NoAnswer;
    QPushButton* m_nowButton;
    QPushButton* m_maybeLaterButton1;
    QPushButton* m_maybeLaterButton2;
    QPushButton* m_neverButton;
    QHBoxLayout* m_contentRow;
    QLabel* m_logoLabel;

private slots:
    void slotNow();
    void slotMaybeLater();
    void slotNeverAskMeAgain();

private:
    QLayout* createTopBox(bool pocket);
    QLayout* createButtonRow(bool pocket);
};

} // namespace DORuverud
