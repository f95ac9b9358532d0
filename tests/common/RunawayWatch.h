#pragma once

#include "ThreadTime.h"

#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// Watches the work the constructing thread does until the watch is
// destroyed: once the thread's own time (ThreadTime) passes the bound, the
// test stops at once with a message naming the work, so that a runaway or a
// hang fails within its bound rather than at the suite's timeout.
class RunawayWatch
{
public:
    RunawayWatch(const char* work, qint64 boundMs)
        : m_work(work)
        , m_boundMs(boundMs)
        , m_watcher([this] { watch(); })
    {
    }

    ~RunawayWatch()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_one();
        m_watcher.join();
    }

    qint64 elapsedMs() const
    {
        return m_time.elapsedMs();
    }

    bool withinBound() const
    {
        return elapsedMs() < m_boundMs;
    }

private:
    void watch()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_wake.wait_for(lock, std::chrono::milliseconds(10), [this] { return m_done; })) {
            if (!withinBound())
                qFatal("%s ran past its bound of %lld ms of its own time", m_work, m_boundMs);
        }
    }

    const char* m_work;
    const qint64 m_boundMs;
    const ThreadTime m_time;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_watcher;
};
