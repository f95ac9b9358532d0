#pragma once

#include <QVector>
#include <QtGlobal>

#include <ctime>
#include <sys/types.h>

// What the program reads of one of its helper processes, from descriptors
// it opens once: whether it ended, its state, its resident memory and its
// clocks, what it holds (threads, memory of each kind, locks), and whether
// every thread of it stopped; and it signals it. A process it holds a
// descriptor of is never taken for another that gets its ID later.
class ProcessWatch
{
public:
    // What a process holds: its threads, its resident memory of each kind,
    // the anonymous with what of it is swapped out, its address space, and
    // its descriptors, as the program may read them (-1 where it may not),
    // with whether a file they open holds a lock or a lease of it.
    struct Held
    {
        int threads = 0;
        qint64 anonymous = 0;
        qint64 file = 0;
        qint64 shared = 0;
        qint64 addressSpace = 0;
        int descriptors = -1;
        bool locked = false;
    };

    ProcessWatch() = default;
    ~ProcessWatch();
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;

    // Watches the process, its state, memory and clocks too unless only its
    // end; false where it cannot be watched.
    bool open(pid_t pid, bool onlyItsEnd = false);
    // Watches the process of that pidfd, which it takes.
    bool openPidFd(int pidFd);
    void close();
    bool isOpen() const;
    pid_t pid() const;

    // Kills the process; whether it ended within ms.
    bool kill(int ms) const;
    bool signal(int signal) const;
    bool endsWithin(int ms) const;
    // The state of its first thread (R running or ready, S or D waiting, T
    // stopped, Z or X ending), or 0 once it is gone.
    char state() const;
    qint64 residentBytes() const;
    // Its processor time, and the time its first thread ran or stood ready
    // to run; -1 once it is gone.
    qint64 cpuNs() const;
    qint64 busyNs() const;
    // What it holds now; no threads once it is gone.
    Held held() const;
    // What it maps of shared memory (memory files, shared anonymous
    // memory), whose pages stay with the memory where it lets them go from
    // its own; read from all its mappings, a moment's work.
    qint64 sharedMapped() const;
    // Whether each of its threads stopped, by a signal or a tracer. Its
    // threads are those it had when first asked, or when one of them ended.
    bool isStopped() const;

private:
    bool openProcFiles();
    void openThreads() const;
    void closeThreads() const;
    void readDescriptors(Held& held) const;

    pid_t m_pid = -1;
    int m_pidFd = -1;
    int m_stat = -1;
    int m_statm = -1;
    int m_schedstat = -1;
    int m_status = -1;
    int m_tasks = -1;
    int m_fds = -1;
    int m_maps = -1;
    // The stat file of each of its threads.
    mutable QVector<int> m_threads;
    clockid_t m_cpuClock {};
};
