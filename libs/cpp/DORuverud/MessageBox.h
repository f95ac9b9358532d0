#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;

namespace DORuverud {

// A modal box with an icon, a word-wrapped text and a row of buttons.
// exec() returns the value of the clicked button (QMessageBox::StandardButton
// values), or 0 when the box is closed otherwise.
class MessageBox : public QDialog
{
    Q_OBJECT

public:
    enum Icon : int { NoIcon = 0, Information = 1, Warning = 2, Critical = 3, Question = 4 };

    MessageBox(Icon icon, const QString& title, const QString& text, int buttons,
        QWidget* parent = nullptr);
    ~MessageBox() override;

    static QPixmap icon(Icon icon);

    // Each runs a box and returns its result; the last argument is not read.
    static int critical(QWidget* parent, const QString& title, const QString& text, int buttons,
        int defaultButton = 0);
    static int information(QWidget* parent, const QString& title, const QString& text, int buttons,
        int defaultButton = 0);
    static int question(QWidget* parent, const QString& title, const QString& text, int buttons,
        int defaultButton = 0);
    static int warning(QWidget* parent, const QString& title, const QString& text, int buttons,
        int defaultButton = 0);

private slots:
    void slotOk();
    void slotCancel();
    void slotYes();
    void slotNo();
    void slotAbort();
    void slotRetry();
    void slotIgnore();
    void slotYesAll();
    void slotNoAll();

private:
    QLayout* createButtonRow(int buttons);
    static int run(
        Icon icon, QWidget* parent, const QString& title, const QString& text, int buttons);

    QLabel* m_textLabel;
    QLabel* m_iconLabel;
};

} // namespace DORuverud
