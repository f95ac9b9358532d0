#pragma once

#include "ThreadTime.h"

#include <QTimer>

// The longest the GUI thread goes without running a 5 ms timer, from the
// moment it is started, in the thread's own time (ThreadTime): a stall of
// the program's, whether it computes or waits, and not the scheduler's.
class GuiStalls
{
public:
    GuiStalls()
    {
        QObject::connect(&m_ticker, &QTimer::timeout, [this] { mark(); });
    }

    void start()
    {
        m_gap.restart();
        m_ticker.start(5);
    }

    // Counts the time since the last tick, as after a call that held the thread.
    void mark()
    {
        m_longest = qMax(m_longest, m_gap.restart());
    }

    qint64 longestMs() const
    {
        return m_longest;
    }

private:
    QTimer m_ticker;
    ThreadTime m_gap;
    qint64 m_longest = 0;
};
