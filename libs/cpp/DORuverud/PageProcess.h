#pragma once

#include "SvgChannel.h"

#include <QElapsedTimer>
#include <QString>

#include <ctime>
#include <memory>
#include <sys/types.h>

// The program's page process, running the helper that lays out pages
// (PageLayout), kept for the pages after, and the limits it works within,
// watched from here: its own CPU time, the time it waits on anything but a
// processor, and its resident memory. Past a limit, or when it ends unasked,
// it is killed; the next page starts a new one. It inherits only its channel
// and the program's limits, its stack's among them, and ends with the
// program. One thread at a time may use it.
class PageProcess
{
public:
    // What a page process says and is told, on its channel.
    using Channel = DAvuroD::SvgChannel;
    enum class Kind : char {
        // Process to program: ready, once started.
        Ready,
        // Program to process: a page (PageRequest), its bytes as a file.
        Page,
        // Process to program: the names of the pictures it needs the size
        // of, as a file; program to process: their sizes, as a file.
        Pictures,
        // Process to program: the page's height and the time it took.
        Measured,
        // Process to program: why its reader refused the page.
        Refused,
    };
    enum class Outcome { Message, Ended, Cpu, Waiting, Memory };

    struct Limits
    {
        qint64 cpuMs;
        qint64 waitingMs;
        qint64 residentBytes;
    };

    explicit PageProcess(const QString& helper);
    // Kills the process.
    ~PageProcess();
    PageProcess(const PageProcess&) = delete;
    PageProcess& operator=(const PageProcess&) = delete;

    // Starts the process where it is not running and idle; an empty text
    // when it runs, else why not.
    QString start();
    bool send(Kind kind, const QByteArray& data = QByteArray(), int fd = -1);
    // The next message, within the limits counted from restartClocks().
    Outcome next(Channel::Message& message, const Limits& limits);
    void restartClocks();
    // Leaves out the time waited so far, while the program did the work.
    void restartWaiting();
    qint64 residentBytes() const;
    // Why the process ended unasked, once it is gone.
    QString endedWhy();
    void kill();

private:
    bool isIdle() const;
    qint64 cpuNs() const;
    qint64 waitingMs() const;

    const QString m_helper;
    pid_t m_pid = -1;
    std::unique_ptr<Channel> m_channel;
    clockid_t m_cpuClock {};
    int m_statm = -1;
    int m_schedstat = -1;
    qint64 m_cpuAtStart = 0;
    qint64 m_readyAtStart = 0;
    qint64 m_residentAtStart = 0;
    QElapsedTimer m_clock;
};
