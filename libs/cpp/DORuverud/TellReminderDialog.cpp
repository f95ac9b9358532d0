#include "TellReminderDialog.h"

#include "TellWidget.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace DORuverud {

TellReminderDialog::TellReminderDialog(QWidget* parent)
    : ReminderDialog(parent)
{
    setWindowTitle(tr("Share"));
    m_messageLabel->setText(m_messageLabel->text()
        + tr("<br>Share it with Your Friends.<br>Thanks!") + headingTag(true)
        + QStringLiteral("</CENTER>"));
    m_nowButton->hide();
    m_maybeLaterButton1->hide();
    m_contentRow->addStretch(1);
    m_contentRow->addWidget(new TellWidget);
    m_contentRow->addStretch(1);
}

} // namespace DORuverud
