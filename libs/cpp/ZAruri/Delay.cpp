#include "Delay.h"

#include <QTimer>

namespace ZAruri {

void delay(int msecs)
{
    QEventLoop loop;
    QTimer::singleShot(msecs, &loop, &QEventLoop::quit);
    loop.exec();
}

Delay::Delay(QObject*)
    : QObject(nullptr)
{
}

int Delay::wait(int msecs)
{
    QTimer::singleShot(msecs, this, &Delay::slotUnblock);
    return m_loop.exec();
}

void Delay::slotUnblock()
{
    m_loop.exit(0);
}

} // namespace ZAruri
