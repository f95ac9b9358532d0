#pragma once

#include <QElapsedTimer>
#include <QTimer>

// The longest the GUI thread goes without running a 5 ms timer, from the
// moment it is started.
class GuiStalls
{
public:
    GuiStalls()
    {
        QObject::connect(&m_ticker, &QTimer::timeout, [this] { mark(); });
    }

    void start()
    {
        m_gap.start();
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
    QElapsedTimer m_gap;
    qint64 m_longest = 0;
};
