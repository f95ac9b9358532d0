#include "InputDialog.h"

#include "App.h"
#include "Common.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>

namespace DORuverud {

InputDialog::InputDialog(const QString& label, QWidget* parent, const char*, bool, Type type)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("InputDialog"));

    m_stack = new QStackedWidget;
    m_spinBox = new QSpinBox;
    m_lineEdit = new QLineEdit;
    m_lineEdit->setFixedHeight(32);
    m_stack->addWidget(m_spinBox);
    m_stack->addWidget(m_lineEdit);

    m_type = type;
    showPage(type);

    m_okButton = new QPushButton(tr("Ok"));
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"));
    Common::applyPushButtonDetails(m_okButton);
    Common::applyPushButtonDetails(m_cancelButton);
    connect(m_okButton, &QPushButton::clicked, this, &InputDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &InputDialog::reject);

    QBoxLayout* buttonRow = App::theApp()->isPocketDevice()
        ? static_cast<QBoxLayout*>(new QVBoxLayout)
        : new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_okButton);
    buttonRow->addWidget(m_cancelButton);

    auto* fields = new QVBoxLayout;
    fields->addWidget(new QLabel(label));
    fields->addWidget(m_stack);

    auto* outer = new QVBoxLayout;
    outer->setContentsMargins(10, 10, 10, 10);
    outer->setSpacing(7);
    outer->addLayout(fields);
    outer->addLayout(buttonRow);
    setLayout(outer);
}

void InputDialog::setType(Type type)
{
    m_type = type;
    showPage(type);
}

InputDialog::Type InputDialog::type() const
{
    return m_type;
}

void InputDialog::showPage(Type type)
{
    QWidget* editor = nullptr;
    if (type == Integer)
        editor = m_spinBox;
    else if (type == Text)
        editor = m_lineEdit;
    if (!editor)
        return;
    m_stack->setCurrentWidget(editor);
    editor->setFocus(Qt::OtherFocusReason);
}

QSpinBox* InputDialog::valueWidget() const
{
    return m_spinBox;
}

QLineEdit* InputDialog::stringWidget() const
{
    return m_lineEdit;
}

void InputDialog::accept()
{
    QDialog::accept();
}

void InputDialog::reject()
{
    QDialog::reject();
}

QString InputDialog::getText(QWidget* parent, const QString& title, const QString& label,
    QLineEdit::EchoMode mode, const QString& text, bool* ok, const char* name)
{
    QPointer<InputDialog> dialog = new InputDialog(label, parent, name, false, Text);
    dialog->setWindowTitle(title);
    dialog->m_lineEdit->setEchoMode(mode);
    dialog->m_lineEdit->setText(text);
    const int result = dialog->exec();
    if (ok)
        *ok = result == QDialog::Accepted;
    if (!dialog)
        return QString();
    const QString typed = dialog->m_lineEdit->text();
    delete dialog;
    return typed;
}

int InputDialog::getInteger(QWidget* parent, const QString& title, const QString& label, int value,
    int minimum, int maximum, int, bool* ok, const char* name)
{
    QPointer<InputDialog> dialog = new InputDialog(label, parent, name, false, Integer);
    dialog->setWindowTitle(title);
    dialog->m_spinBox->setRange(minimum, maximum);
    dialog->m_spinBox->setValue(value);
    const int result = dialog->exec();
    if (ok)
        *ok = result == QDialog::Accepted;
    if (!dialog)
        return value;
    const int chosen = dialog->m_spinBox->value();
    delete dialog;
    return chosen;
}

} // namespace DORuverud
