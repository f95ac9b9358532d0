#pragma once

#include <QEventLoop>
#include <QObject>

namespace ZAruri {

// Waits msecs milliseconds in a nested event loop: pending events, timers and
// queued signals are dispatched meanwhile, so the caller's slots may run again.
void delay(int msecs);

// A reusable wait in a nested event loop. The constructor ignores its
// argument: the object has no parent and belongs to its creator.
class Delay : public QObject
{
    Q_OBJECT

public:
    explicit Delay(QObject* parent);

    // Returns the loop's result: 0 when the timer ends the wait.
    int wait(int msecs);

private slots:
    void slotUnblock();

private:
    QEventLoop m_loop;
};

} // namespace ZAruri
