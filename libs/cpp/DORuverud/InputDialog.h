#pragma once

#include <QDialog>
#include <QLineEdit>

class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace DORuverud {

// A modal dialog asking for one integer or one line of text.
class InputDialog : public QDialog
{
    Q_OBJECT

public:
    enum Type : int { Integer = 0, Text = 1 };

    InputDialog(const QString& label, QWidget* parent = nullptr, const char* name = nullptr,
        bool modal = false, Type type = Integer);

    void setType(Type type);
    Type type() const;
    QSpinBox* valueWidget() const;
    QLineEdit* stringWidget() const;

    // The typed text, also after Cancel; *ok tells whether Ok was pressed.
    static QString getText(QWidget* parent, const QString& title, const QString& label,
        QLineEdit::EchoMode mode = QLineEdit::Normal, const QString& text = QString(),
        bool* ok = nullptr, const char* name = nullptr);
    // The spin box value, bounded to [minimum, maximum], also after Cancel.
    static int getInteger(QWidget* parent, const QString& title, const QString& label,
        int value = 0, int minimum = -2147483647, int maximum = 2147483647, int step = 1,
        bool* ok = nullptr, const char* name = nullptr);

protected slots:
    void accept() override;
    void reject() override;

private:
    void showPage(Type type);

    QSpinBox* m_spinBox;
    QLineEdit* m_lineEdit;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
    QStackedWidget* m_stack;
    Type m_type;
};

} // namespace DORuverud
