#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace DORuverud {

// An e-mail address field with an e-card and an e-mail button, enabled only
// while the field holds a valid address. It sends nothing itself.
class EmailEdit : public QWidget
{
    Q_OBJECT

public:
    explicit EmailEdit(QWidget* parent = nullptr);

    // Enables the buttons exactly when the text is valid, also for the same text.
    void setText(const QString& text);
    QString text() const;

signals:
    // Before the buttons follow the new text.
    void textChanged(QString text);
    void sendEmail(QString text);
    void sendECard(QString text);

protected slots:
    void slotTextChanged();
    void slotSendEmail();
    void slotSendECard();

private:
    void enableButtons();

    QLineEdit* m_pLineEdit;
    QPushButton* m_pECardButton;
    QPushButton* m_pEmailButton;
};

} // namespace DORuverud
