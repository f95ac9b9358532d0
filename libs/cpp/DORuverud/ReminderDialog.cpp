#include "ReminderDialog.h"

#include "App.h"
#include "Common.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace DORuverud {

ReminderDialog::ReminderDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Help Spread the Word about \"") + QCoreApplication::applicationName()
        + QLatin1Char('"'));
    setObjectName(QStringLiteral("Dialog"));

    m_nowButton = new QPushButton;
    m_maybeLaterButton1 = new QPushButton(tr("&Maybe Later"));
    m_maybeLaterButton2 = new QPushButton(tr("&Maybe Later"));
    m_neverButton = new QPushButton(tr("&Never Ask Me Again"));
    for (QPushButton* button :
        {m_nowButton, m_maybeLaterButton1, m_maybeLaterButton2, m_neverButton})
        Common::applyPushButtonDetails(button);
    connect(m_nowButton, &QPushButton::clicked, this, &ReminderDialog::slotNow);
    connect(m_maybeLaterButton1, &QPushButton::clicked, this, &ReminderDialog::slotMaybeLater);
    connect(m_maybeLaterButton2, &QPushButton::clicked, this, &ReminderDialog::slotMaybeLater);
    connect(m_neverButton, &QPushButton::clicked, this, &ReminderDialog::slotNeverAskMeAgain);

    m_messageLabel = new QLabel(QStringLiteral("<CENTER>") + headingTag(false) + tr("If you like ")
        + QCoreApplication::applicationName() + tr("-App,"));
    m_messageLabel->setTextFormat(Qt::RichText);
    m_messageLabel->setMinimumHeight(90);

    m_logoLabel = new QLabel;
    m_logoLabel->setObjectName(QStringLiteral("LogoLabel"));
    m_logoLabel->setFixedSize(90, 90);

    m_contentRow = new QHBoxLayout;
    m_contentRow->setContentsMargins(0, 0, 0, 0);
    m_contentRow->setSpacing(0);

    const bool pocket = App::theApp()->isPocketDevice();
    auto* mainLayout = new QVBoxLayout;
    mainLayout->setContentsMargins(6, 6, 6, 6);
    mainLayout->setSpacing(1);
    mainLayout->addLayout(createTopBox(pocket));
    mainLayout->addLayout(m_contentRow);
    mainLayout->addLayout(createButtonRow(pocket));
    setLayout(mainLayout);
}

QLayout* ReminderDialog::createTopBox(bool pocket)
{
    QBoxLayout* top;
    if (pocket) {
        top = new QVBoxLayout;
        auto* logoRow = new QHBoxLayout;
        logoRow->addStretch(0);
        logoRow->addWidget(m_logoLabel);
        logoRow->addStretch(0);
        top->addLayout(logoRow);
    } else {
        top = new QHBoxLayout;
        top->addWidget(m_logoLabel);
    }
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(5);
    top->addWidget(m_messageLabel);
    return top;
}

QLayout* ReminderDialog::createButtonRow(bool pocket)
{
    QBoxLayout* row = pocket ? static_cast<QBoxLayout*>(new QVBoxLayout) : new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(5);
    row->addWidget(m_maybeLaterButton1);
    row->addWidget(m_neverButton);
    row->addWidget(m_maybeLaterButton2);
    row->addWidget(m_nowButton);
    return row;
}

QString ReminderDialog::headingTag(bool closing)
{
    const bool pocket = App::theApp()->isPocketDevice();
    return QLatin1Char('<') + QLatin1String(closing ? "/" : "")
        + QLatin1String(pocket ? "H4" : "H3") + QLatin1Char('>');
}

int ReminderDialog::state() const
{
    return m_state;
}

void ReminderDialog::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    QPushButton* target
        = m_maybeLaterButton2->isVisibleTo(this) ? m_maybeLaterButton2 : m_maybeLaterButton1;
    target->setFocus(Qt::OtherFocusReason);
}

void ReminderDialog::slotNow()
{
    m_state = Now;
    accept();
}

void ReminderDialog::slotMaybeLater()
{
    m_state = MaybeLater;
    accept();
}

void ReminderDialog::slotNeverAskMeAgain()
{
    m_state = NeverAskMeAgain;
    accept();
}

} // namespace DORuverud
