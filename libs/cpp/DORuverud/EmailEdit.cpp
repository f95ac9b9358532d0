#include "EmailEdit.h"

#include "Common.h"
#include "RegExps.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace DORuverud {

namespace {

void styleButton(QPushButton* button, const QString& objectName, const QString& toolTip)
{
    Common::extend(button, objectName, toolTip);
    button->setFixedSize(24, 24);
    button->setFlat(true);
    button->setEnabled(false);
}

} // namespace

EmailEdit::EmailEdit(QWidget* parent)
    : QWidget(parent)
    , m_pLineEdit(new QLineEdit)
    , m_pECardButton(new QPushButton)
    , m_pEmailButton(new QPushButton)
{
    styleButton(m_pECardButton, QStringLiteral("CardEditButton"), tr("Send an ecard"));
    styleButton(m_pEmailButton, QStringLiteral("EmailEditButton"), tr("Send an email"));
    connect(m_pLineEdit, &QLineEdit::textChanged, this, &EmailEdit::slotTextChanged);
    connect(m_pECardButton, &QPushButton::clicked, this, &EmailEdit::slotSendECard);
    connect(m_pEmailButton, &QPushButton::clicked, this, &EmailEdit::slotSendEmail);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pLineEdit);
    layout->addWidget(m_pECardButton);
    layout->addWidget(m_pEmailButton);
}

void EmailEdit::setText(const QString& text)
{
    m_pLineEdit->setText(text);
    enableButtons();
}

QString EmailEdit::text() const
{
    return m_pLineEdit->text();
}

void EmailEdit::slotTextChanged()
{
    emit textChanged(text());
    enableButtons();
}

void EmailEdit::slotSendEmail()
{
    emit sendEmail(text());
}

void EmailEdit::slotSendECard()
{
    emit sendECard(text());
}

void EmailEdit::enableButtons()
{
    const bool valid = ZAruri::RegExps::email().exactMatch(text());
    m_pECardButton->setEnabled(valid);
    m_pEmailButton->setEnabled(valid);
}

} // namespace DORuverud
