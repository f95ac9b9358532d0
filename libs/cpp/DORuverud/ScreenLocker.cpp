#include "ScreenLocker.h"

#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace DORuverud {

ScreenLocker::ScreenLocker(QWidget* parent)
    : QLabel(parent)
    , m_pUnlockButton(new QPushButton(QStringLiteral("Unlock")))
    , m_pTimer(new QTimer(this))
{
    m_pUnlockButton->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pUnlockButton);
    m_pTimer->setInterval(10);
    m_pTimer->start();
    connect(m_pTimer, &QTimer::timeout, this, &ScreenLocker::slotCheck);
    connect(m_pUnlockButton, &QPushButton::clicked, this, &ScreenLocker::slotReleaseInputDevices);
}

void ScreenLocker::showUnlockButton()
{
    m_pUnlockButton->show();
}

void ScreenLocker::slotCheck()
{
    slotLock();
}

void ScreenLocker::slotLock()
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    showFullScreen();
    raise();
    m_pUnlockButton->grabKeyboard();
    m_pUnlockButton->grabMouse();
}

void ScreenLocker::slotTest()
{
    slotLock();
}

void ScreenLocker::slotReleaseInputDevices()
{
    m_pUnlockButton->releaseKeyboard();
    m_pUnlockButton->releaseMouse();
    emit unlocked();
}

} // namespace DORuverud
