#pragma once

#include <QtGlobal>

#include <ctime>
#include <sys/types.h>

// What the program reads of one of its helper processes, from descriptors
// it opens once: whether it ended, its state, its resident memory and its
// clocks. A process it holds a descriptor of is never taken for another
// that gets its ID later.
class ProcessWatch
{
public:
    ProcessWatch() = default;
    ~ProcessWatch();
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;

    // Watches the process, its state, memory and clocks too unless only its
    // end; false where it cannot be watched.
    bool open(pid_t pid, bool onlyItsEnd = false);
    void close();
    bool isOpen() const;
    pid_t pid() const;

    // Kills the process; whether it ended within ms.
    bool kill(int ms) const;
    bool endsWithin(int ms) const;
    // The state of its first thread (R running or ready, S or D waiting, T
    // stopped, Z or X ending), or 0 once it is gone.
    char state() const;
    qint64 residentBytes() const;
    // Its processor time, and the time its first thread ran or stood ready
    // to run; -1 once it is gone.
    qint64 cpuNs() const;
    qint64 busyNs() const;

private:
    pid_t m_pid = -1;
    int m_pidFd = -1;
    int m_stat = -1;
    int m_statm = -1;
    int m_schedstat = -1;
    clockid_t m_cpuClock {};
};
