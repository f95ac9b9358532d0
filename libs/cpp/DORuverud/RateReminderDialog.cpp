#include "RateReminderDialog.h"

#include <QLabel>
#include <QPushButton>

namespace DORuverud {

RateReminderDialog::RateReminderDialog(QWidget* parent)
    : ReminderDialog(parent)
{
    m_nowButton->setText(tr("&Rate It Now"));
    m_messageLabel->setText(m_messageLabel->text()
        + tr("<br>please rate it in the App Store.<br>Thanks!") + headingTag(true)
        + QStringLiteral("</CENTER>"));
    m_maybeLaterButton2->hide();
    m_nowButton->setFocus(Qt::OtherFocusReason);
}

} // namespace DORuverud
