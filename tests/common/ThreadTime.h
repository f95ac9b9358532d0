#pragma once

#include <QFile>
#include <QtGlobal>

#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

// The time a thread has spent by itself: the wall clock less the time it
// stood ready while every processor ran something else. It counts the
// thread's work and its waits on anything but a processor (a lock, a pipe, a
// child process, a timer), so a hang or a runaway shows in it, while a busy
// machine, which stretches the wall clock of every thread, leaves it alone.
// The kernel tells the ready time in /proc's schedstat of the thread.
class ThreadTime
{
public:
    // The calling thread's time, from now on.
    ThreadTime()
        : m_tid(pid_t(syscall(SYS_gettid)))
    {
        restart();
    }

    // The time since the start, less the time spent ready and not running;
    // restart() begins a new count and returns it. Any thread may ask.
    qint64 elapsedMs() const
    {
        return (ownNs() - m_startNs) / 1000000;
    }

    qint64 restart()
    {
        const qint64 now = ownNs();
        const qint64 elapsed = (now - m_startNs) / 1000000;
        m_startNs = now;
        return elapsed;
    }

    // The nanoseconds a thread of this process has spent ready to run while
    // every processor ran something else: schedstat's second field.
    static qint64 readyNs(pid_t tid)
    {
        QFile file(QStringLiteral("/proc/self/task/%1/schedstat").arg(tid));
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        const QList<QByteArray> fields = file.readAll().simplified().split(' ');
        return fields.size() >= 2 ? fields.at(1).toLongLong() : 0;
    }

private:
    // The clock read between two equal readings of the ready time: a thread
    // held ready between the clock and a single reading would count that
    // wait as ready without the clock's counting it, and lose it from its time.
    qint64 ownNs() const
    {
        qint64 ready = readyNs(m_tid);
        for (;;) {
            timespec now {};
            clock_gettime(CLOCK_MONOTONIC, &now);
            const qint64 readyAfter = readyNs(m_tid);
            if (readyAfter == ready)
                return qint64(now.tv_sec) * 1000000000 + now.tv_nsec - ready;
            ready = readyAfter;
        }
    }

    pid_t m_tid;
    qint64 m_startNs = 0;
};
