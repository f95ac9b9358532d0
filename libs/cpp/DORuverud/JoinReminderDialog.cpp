#include "JoinReminderDialog.h"

#include "JoinWidget.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace DORuverud {

JoinReminderDialog::JoinReminderDialog(QWidget* parent)
    : ReminderDialog(parent)
{
    setWindowTitle(tr("Join Us"));
    m_messageLabel->hide();
    m_nowButton->hide();
    m_maybeLaterButton1->hide();
    m_contentRow->addStretch(1);
    m_contentRow->addWidget(new JoinWidget);
    m_contentRow->addStretch(1);
}

} // namespace DORuverud
