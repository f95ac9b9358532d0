#pragma once

#include "HelperChannel.h"
#include "HelperErrors.h"
#include "ProcessWatch.h"

#include <QElapsedTimer>
#include <QString>

#include <atomic>
#include <memory>
#include <sys/types.h>

// A helper process of the program, seen from the program: it starts the
// helper in a sandbox (HelperSandbox) with a channel as its standard input
// and a pipe the program drains as its standard error (HelperErrors), and
// limits its resources (no core, no file written, few descriptors, its
// stack, its memory, and its processor time a little past the watch's
// limit); watches each task within its limits (its processor time, the time
// it waits on anything but a processor, its resident memory, and a wall
// clock ceiling well past them, whatever state it is in); and reads each
// answer as from a stranger, who passes no descriptors and repeats the
// task's number. Past a limit, at an answer amiss, or when it ends unasked,
// the process is killed and reaped within a bounded wait. The helper
// confines itself further once ready (HelperConfinement). One thread at a
// time may use it.
class HelperProcess
{
public:
    struct Limits
    {
        qint64 cpuMs;
        // Blocked on a file, a lock or a signal: neither running nor ready to run.
        qint64 waitMs;
        // Processor time and waiting together.
        qint64 totalMs;
        // Over what it held when the task began.
        qint64 growthBytes;
    };

    // Ended: the process closed its channel and ended, by a signal or not;
    // Stack: it ended as its stack ran out (HelperChannel::outOfStackStatus);
    // Ceiling: the wall clock passed the ceiling of the task's limits.
    enum class Outcome {
        Message,
        Cpu,
        Waiting,
        Total,
        Memory,
        Ceiling,
        Ended,
        Stack,
        Amiss,
        Abandoned
    };

    explicit HelperProcess(const QString& program);
    // Kills the process.
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    // The helper of that name in the program's folder.
    static QString besideProgram(const QString& name);
    // The most a task's wait lasts by the wall clock, whatever the helper
    // does: ten times its limits of processor time and waiting, and at
    // least 10 s, so that a real task finishes on a machine busy many
    // times over.
    static qint64 ceilingMs(const Limits& limits);

    QString program() const;
    // Readies the process for a task within limits: a process that runs and
    // idles is kept, else a new one starts and its start counts in the
    // limits. The task takes the next number. Gives why it cannot start, or
    // an empty text, and sets outOfTime where that is the limit on its
    // processor time and waiting.
    QString begin(const Limits& limits, bool& outOfTime);
    bool send(char kind, const QByteArray& data, const QVector<int>& fds = {});
    // Waits for the next message of the task within the limits, counted from
    // begin(); a message of another number is amiss.
    Outcome next(HelperChannel::Message& message, const Limits& limits);
    // Ends the process after an outcome other than a message, and tells why.
    QString stop(Outcome outcome, const Limits& limits);
    // Kills the process and reaps it, waiting a bounded time.
    void kill();
    // Stops the task under way, and those after, from another thread.
    void abandon();

    // Processor time and waiting since begin(), until the process is killed.
    qint64 usedMs() const;

private:
    bool isIdle() const;
    bool limitCpu(const Limits& limits);
    QString start(const Limits& limits, bool& outOfTime);
    QString started(const Limits& limits, bool& outOfTime);
    bool confine();
    void startClocks();
    qint64 cpuNs() const;
    qint64 busyNs() const;
    qint64 waitNs() const;
    Outcome ended();

    const QString m_program;
    ProcessWatch m_watch;
    // The program's child to reap: the sandbox, or the helper itself.
    pid_t m_child = -1;
    ProcessWatch m_childWatch;
    std::unique_ptr<HelperChannel> m_channel;
    HelperErrors m_errors;
    qint64 m_cpuAtStart = 0;
    // The first thread's time running and ready to run at the start.
    qint64 m_busyAtStart = 0;
    QElapsedTimer m_clock;
    qint64 m_usedMsAtEnd = 0;
    qint64 m_residentAtStart = 0;
    qint64 m_residentAtBegin = 0;
    // The processor seconds the helper may reach, as its limit stands.
    qint64 m_cpuSeconds = 0;
    // The status it ended with, as a shell tells it.
    int m_endStatus = 0;
    std::atomic<bool> m_abandoned {false};
};
