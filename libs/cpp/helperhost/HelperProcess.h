#pragma once

#include "HelperChannel.h"
#include "HelperErrors.h"
#include "HelperLimits.h"
#include "ProcessWatch.h"

#include <QElapsedTimer>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <sys/types.h>

class HelperFolder;

// A helper process of the program, seen from the program: it starts the
// helper in a sandbox (HelperSandbox), or forks it from the helper
// program's template (HelperTemplates), with a channel as its standard
// input, a pipe the program drains as its standard error (HelperErrors),
// and a folder of its own (HelperFolder), whose stage holds the files of
// its task; and limits its resources (no core, no file written, few
// descriptors, its stack, its memory, and its processor time a little past
// the watch's limit); watches each task within its limits (its processor
// time, the time it waits on anything but a processor, its resident memory,
// and a wall clock ceiling well past them, whatever state it is in, sending
// too); and reads each answer as from a stranger, who passes no descriptors
// and repeats the task's number. Between tasks the helper rests stopped,
// holding no more than it held once started; it runs again when the next
// task begins. Past a limit, at an answer amiss, or when it ends unasked,
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

    // Spawned: the program is started as it is; Forked: it is forked from
    // the program's template, which must speak for it (HelperConfinement).
    enum class Start { Spawned, Forked };

    explicit HelperProcess(const QString& program, Start start = Start::Spawned);
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
    // Readies the process for a task within limits: a process at rest,
    // unchanged since, or one that runs and idles, is kept; else a new one
    // starts and its start counts in the limits. The task takes the next
    // number. Gives why it cannot start, or an empty text, and sets
    // outOfTime where that is the limit on its processor time and waiting.
    QString begin(const Limits& limits, bool& outOfTime);
    // Starts a process that serves no task yet and leaves it at rest; why
    // it cannot, or an empty text.
    QString prepare(const Limits& limits);
    // False once the process is gone, or where it read nothing for as long
    // as the task's ceiling allows, which kills it: stop() tells so then.
    bool send(char kind, const QByteArray& data, const QVector<int>& fds = {});
    // Waits for the next message of the task within the limits, counted from
    // begin(); a message of another number is amiss.
    Outcome next(HelperChannel::Message& message, const Limits& limits);
    // The task's last answer came: stops the process until the next task;
    // once every thread of it shows stopped, empties its stage. Where it
    // took processor time since the answer, holds more threads than when it
    // started, more memory of any kind than then and a margin, or a lock, or
    // said more, it is killed. False where it was killed.
    bool rest();
    // rest() in two steps, for a caller that goes on while the process
    // stops: halt() stops it, does meanwhile and empties its stage; settle()
    // waits for it to show stopped and checks it as rest() does, and
    // begin() settles one not settled yet. Each is false where the process
    // was killed.
    bool halt(const std::function<void()>& meanwhile = {});
    bool settle();
    // Whether it was halted and is not settled yet.
    bool isHalted() const;
    // Ends the process after an outcome other than a message, and tells why.
    QString stop(Outcome outcome, const Limits& limits);
    // Kills the process and reaps it, waiting a bounded time.
    void kill();
    // Stops the task under way, and those after, from another thread.
    void abandon();

    // The folder the helper works in, which the program may fill with the
    // files of a task; empty where no process runs.
    QByteArray stage() const;
    // Processor time and waiting since begin(), until the process is killed.
    qint64 usedMs() const;

private:
    bool isIdle() const;
    bool wake(const Limits& limits);
    bool carryOn();
    bool limitCpu(const Limits& limits);
    QString start(const Limits& limits, bool& outOfTime);
    QString launch(int channel, const Limits& limits);
    QString started(const Limits& limits, bool& outOfTime);
    bool showsStopped() const;
    bool holdsNoMore() const;
    bool keepsNoSharedMemory(const ProcessWatch::Held& now) const;
    void startClocks();
    qint64 cpuNs() const;
    qint64 busyNs() const;
    qint64 waitNs() const;
    Outcome ended();

    const QString m_program;
    const Start m_start;
    ProcessWatch m_watch;
    // The program's child to reap: the sandbox, or the helper itself; none
    // for a helper forked from a template, which reaps it.
    pid_t m_child = -1;
    ProcessWatch m_childWatch;
    // A forked helper's ID in its template's namespace, else 0.
    qint64 m_forkedId = 0;
    std::unique_ptr<HelperChannel> m_channel;
    HelperErrors m_errors;
    std::unique_ptr<HelperFolder> m_folder;
    qint64 m_cpuAtStart = 0;
    // The first thread's time running and ready to run at the start.
    qint64 m_busyAtStart = 0;
    QElapsedTimer m_clock;
    qint64 m_ceilingMs = 0;
    qint64 m_usedMsAtEnd = 0;
    qint64 m_residentAtStart = 0;
    qint64 m_residentAtBegin = 0;
    // What it held once started, and its processor time at the last answer
    // and since it rests.
    ProcessWatch::Held m_heldAtStart;
    qint64 m_cpuAtAnswer = 0;
    qint64 m_cpuAtRest = 0;
    bool m_resting = false;
    bool m_halted = false;
    // Woken, it runs again with the first request.
    bool m_continuing = false;
    // A send found no room before the ceiling.
    bool m_sentLate = false;
    HelperLimits m_limits;
    // The status it ended with, as a shell tells it.
    int m_endStatus = 0;
    std::atomic<bool> m_abandoned {false};
};
