#include "HelperProcess.h"

#include "HelperFolder.h"
#include "HelperSandbox.h"
#include "HelperTemplates.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <linux/sockios.h>
#include <poll.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// How often the limits are looked at while the process works.
constexpr int watchMs = 5;
// Starting, the process holds little; much more is no start.
constexpr qint64 startMemory = qint64(1) << 30;
// A process that holds more than this beyond what it held once started,
// of any kind of memory or of all together, is not kept.
constexpr qint64 keptGrowth = qint64(256) << 20;
// The processor time a helper takes after its last answer, winding the
// task down before it stops; one that takes more runs on, and is ended.
constexpr qint64 restCpuNs = qint64(100) * 1000000;
// A stopped process's clock reads as much as this apart from one read as it
// showed stopped, as the kernel accounts the last moments of its stop.
constexpr qint64 stopAccountingNs = 1000000;
// How long the program yields to a helper to stop before it sleeps between looks.
constexpr qint64 yieldingUs = 500;
// The most the program waits for a process to end once killed, to end by
// itself once it closed its channel, or to stop; one that takes longer is
// reaped apart, or killed.
constexpr int endWaitMs = 1000;
void reapApart(pid_t child)
{
    std::thread([child] {
        while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) { }
    }).detach();
}

bool hasMessage(int socket)
{
    pollfd channel {socket, POLLIN, 0};
    return ::poll(&channel, 1, 0) != 0;
}

// What the other end was sent and has not read, descriptors with it; 0
// where the system cannot tell.
int unreadBytes(int socket)
{
    int bytes = 0;
    return ::ioctl(socket, SIOCOUTQ, &bytes) == 0 ? bytes : 0;
}

} // namespace

HelperProcess::HelperProcess(const QString& program, Start start)
    : m_program(program)
    , m_start(start)
    , m_errors(QFile::encodeName(QFileInfo(program).fileName()))
{
}

HelperProcess::~HelperProcess()
{
    kill();
}

QString HelperProcess::besideProgram(const QString& name)
{
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath() + '/'
        + name;
}

qint64 HelperProcess::ceilingMs(const Limits& limits)
{
    return qMax<qint64>(10 * (limits.cpuMs + limits.waitMs), 10000);
}

QString HelperProcess::program() const
{
    return m_program;
}

void HelperProcess::abandon()
{
    m_abandoned = true;
}

QString HelperProcess::begin(const Limits& limits, bool& outOfTime)
{
    outOfTime = false;
    m_sentLate = false;
    if (m_abandoned)
        return QStringLiteral("the program is ending");
    settle();
    if (m_resting ? wake(limits) : isIdle() && limitCpu(limits)) {
        startClocks();
    } else {
        kill();
        const QString refusal = start(limits, outOfTime);
        if (!refusal.isEmpty())
            return refusal;
    }
    m_ceilingMs = ceilingMs(limits);
    m_channel->setNumber(m_channel->number() + 1);
    m_errors.newTask();
    m_residentAtBegin = m_watch.residentBytes();
    return QString();
}

QString HelperProcess::prepare(const Limits& limits)
{
    kill();
    bool outOfTime = false;
    const QString refusal = start(limits, outOfTime);
    if (!refusal.isEmpty())
        return refusal;
    return rest() ? QString() : QStringLiteral("the helper %1 could not rest").arg(m_program);
}

bool HelperProcess::send(char kind, const QByteArray& data, const QVector<int>& fds)
{
    if (!m_channel)
        return false;
    const QDeadlineTimer deadline(qMax<qint64>(0, m_ceilingMs - m_clock.elapsed()));
    const HelperChannel::Sent sent = m_channel->send(kind, data, fds, deadline);
    if (!carryOn())
        return false;
    m_sentLate = sent == HelperChannel::Sent::Late;
    if (m_sentLate)
        kill();
    return sent == HelperChannel::Sent::Whole;
}

// Running or waiting for a task, neither stopped nor ending, with nothing
// to say, and no larger than it may stay.
bool HelperProcess::isIdle() const
{
    if (!m_watch.isOpen())
        return false;
    const char now = m_watch.state();
    return !hasMessage(m_channel->socket()) && (now == 'S' || now == 'R')
        && m_watch.residentBytes() < m_residentAtStart + keptGrowth;
}

// At rest since, as it was left: it took no processor time beyond its
// stop's accounting, and said nothing. It runs again once the task's first
// request waits for it, so that it wakes once, to that request.
bool HelperProcess::wake(const Limits& limits)
{
    m_resting = false;
    m_errors.drain();
    m_continuing = m_watch.isOpen() && !hasMessage(m_channel->socket())
        && qAbs(cpuNs() - m_cpuAtRest) <= stopAccountingNs && limitCpu(limits);
    return m_continuing;
}

bool HelperProcess::carryOn()
{
    const bool continued = !m_continuing || m_watch.signal(SIGCONT);
    m_continuing = false;
    return continued;
}

bool HelperProcess::limitCpu(const Limits& limits)
{
    return m_limits.allowCpu(m_watch.pid(), cpuNs() / 1000000, limits.cpuMs);
}

QString HelperProcess::start(const Limits& limits, bool& outOfTime)
{
    m_usedMsAtEnd = 0;
    m_endStatus = 0;
    m_residentAtBegin = 0;
    m_limits.reset();
    m_resting = false;
    const QByteArray program = QFile::encodeName(m_program);
    int sockets[2];
    // A sandbox would start without it, and its start fail later.
    int error = ::access(program.constData(), X_OK) != 0 ? errno : 0;
    if (error == 0 && ::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, sockets) != 0)
        error = errno;
    if (error != 0) {
        kill();
        return QStringLiteral("the helper %1 cannot start: %2")
            .arg(m_program, QString::fromLocal8Bit(std::strerror(error)));
    }
    m_channel = std::make_unique<HelperChannel>(sockets[0]);
    const QString refusal = launch(sockets[1], limits);
    ::close(sockets[1]);
    m_errors.closeHelperEnd();
    if (!refusal.isEmpty()) {
        kill();
        return refusal;
    }
    return started(limits, outOfTime);
}

// Its folder and errors made, the process started on the channel's other
// end and watched; why not, or an empty text.
QString HelperProcess::launch(int channel, const Limits& limits)
{
    m_folder = std::make_unique<HelperFolder>();
    if (m_folder->path().isEmpty() || !m_errors.open())
        return QStringLiteral("the helper %1 cannot start: %2")
            .arg(m_program, QString::fromLocal8Bit(std::strerror(errno)));
    const int waitMs = int(ceilingMs(limits));
    if (m_start == Start::Forked) {
        const HelperTemplates::Forked forked = HelperTemplates::instance().fork(
            m_program, channel, m_errors.helperEnd(), m_folder->path(), waitMs);
        m_forkedId = forked.id;
        if (forked.pidFd < 0)
            return forked.refusal;
        return m_watch.openPidFd(forked.pidFd)
            ? QString()
            : QStringLiteral("the helper %1 cannot be watched").arg(m_program);
    }
    const HelperSandbox::Launch launch {QFile::encodeName(m_program), channel, m_errors.helperEnd(),
        m_folder->path(), m_folder->stage(), m_folder->runtime(), false};
    const HelperSandbox::Started process = HelperSandbox::start(launch, waitMs);
    m_child = process.child;
    if (process.error != 0)
        return QStringLiteral("the helper %1 cannot start: %2")
            .arg(m_program, QString::fromLocal8Bit(std::strerror(process.error)));
    if (!m_watch.open(process.helper) || !m_childWatch.open(m_child, true))
        return QStringLiteral("the helper %1 cannot be watched").arg(m_program);
    return QString();
}

// The process started: ready within the limits, then limited.
QString HelperProcess::started(const Limits& limits, bool& outOfTime)
{
    startClocks();
    m_ceilingMs = ceilingMs(limits);
    HelperChannel::Message ready;
    const Outcome outcome
        = next(ready, Limits {limits.cpuMs, limits.waitMs, limits.totalMs, startMemory});
    if (outcome != Outcome::Message || ready.kind != HelperChannel::readyKind
        || !ready.data.isEmpty()) {
        outOfTime = outcome == Outcome::Total;
        const QString why = outcome == Outcome::Message ? QString() : stop(outcome, limits);
        kill();
        return QStringLiteral("the helper %1 did not start%2")
            .arg(m_program, why.isEmpty() ? QString() : ": " + why);
    }
    if (!HelperLimits::confine(m_watch.pid()) || !limitCpu(limits)) {
        kill();
        return QStringLiteral("the helper %1 cannot be limited").arg(m_program);
    }
    m_residentAtStart = m_watch.residentBytes();
    m_heldAtStart = m_watch.held();
    return QString();
}

HelperProcess::Outcome HelperProcess::next(HelperChannel::Message& message, const Limits& limits)
{
    const qint64 ceiling = ceilingMs(limits);
    if (!carryOn())
        return ended();
    for (;;) {
        pollfd ready[] = {{m_channel->socket(), POLLIN, 0}, {m_errors.programEnd(), POLLIN, 0}};
        if (::poll(ready, 2, watchMs) > 0) {
            if (ready[1].revents)
                m_errors.drain();
            if (ready[0].revents && !m_channel->receive(message))
                return ended();
            if (ready[0].revents)
                m_cpuAtAnswer = cpuNs();
            if (ready[0].revents)
                return message.fds.isEmpty() && message.number == m_channel->number()
                    ? Outcome::Message
                    : (message.closeFds(), Outcome::Amiss);
        }
        if (m_abandoned)
            return Outcome::Abandoned;
        const qint64 cpuMs = (cpuNs() - m_cpuAtStart) / 1000000;
        // A thread ready to run may be waiting for a processor even now.
        const qint64 waitMs = m_watch.state() == 'R' ? 0 : waitNs() / 1000000;
        if (cpuMs > limits.cpuMs)
            return Outcome::Cpu;
        if (waitMs > limits.waitMs)
            return Outcome::Waiting;
        if (cpuMs + waitMs > limits.totalMs)
            return Outcome::Total;
        if (m_watch.residentBytes() > m_residentAtBegin + limits.growthBytes)
            return Outcome::Memory;
        if (m_clock.elapsed() > ceiling)
            return Outcome::Ceiling;
    }
}

bool HelperProcess::rest()
{
    return halt() && settle();
}

bool HelperProcess::halt(const std::function<void()>& meanwhile)
{
    if (!m_watch.isOpen())
        return false;
    // Woken for a task that asked nothing of it: it never ran.
    if (m_continuing) {
        m_continuing = false;
        m_resting = true;
        m_folder->clearStage();
        return true;
    }
    const bool signalled = m_watch.signal(SIGSTOP);
    if (meanwhile)
        meanwhile();
    if (!signalled) {
        kill();
        return false;
    }
    // The task's files go at once, and again once it shows stopped.
    m_folder->clearStage();
    m_halted = true;
    return true;
}

bool HelperProcess::settle()
{
    if (!m_halted)
        return m_watch.isOpen();
    m_halted = false;
    if (!showsStopped() || !holdsNoMore()) {
        kill();
        return false;
    }
    m_errors.drain();
    m_folder->clearStage();
    m_cpuAtRest = cpuNs();
    m_resting = true;
    return true;
}

bool HelperProcess::isHalted() const
{
    return m_halted;
}

// Every thread stopped, within a bounded wait: a moment on a machine with
// a processor free, which the program yields to it, longer on a busy one.
bool HelperProcess::showsStopped() const
{
    QElapsedTimer waited;
    waited.start();
    while (!m_watch.isStopped()) {
        const qint64 elapsedUs = waited.nsecsElapsed() / 1000;
        if (elapsedUs > endWaitMs * 1000 || m_watch.endsWithin(0))
            return false;
        if (elapsedUs < yieldingUs)
            ::sched_yield();
        else
            QThread::usleep(qMin<unsigned long>(elapsedUs / 4, 5000));
    }
    return true;
}

// Shared memory it let go of from its own stays while it maps it; its
// address space tells where its mappings need reading.
bool HelperProcess::keepsNoSharedMemory(const ProcessWatch::Held& now) const
{
    return now.addressSpace <= m_heldAtStart.addressSpace + keptGrowth
        || m_watch.sharedMapped() <= keptGrowth;
}

// As it rests: no processor time since its answer beyond winding the task
// down, no thread, memory, descriptor or lock beyond what it held once
// started, nothing more said, and all it was sent read.
bool HelperProcess::holdsNoMore() const
{
    const ProcessWatch::Held now = m_watch.held();
    const ProcessWatch::Held& then = m_heldAtStart;
    const qint64 all = now.anonymous + now.file + now.shared;
    const qint64 allThen = then.anonymous + then.file + then.shared;
    return now.threads > 0 && now.threads <= then.threads
        && now.anonymous <= then.anonymous + keptGrowth && now.file <= then.file + keptGrowth
        && now.shared <= then.shared + keptGrowth && all <= allThen + keptGrowth
        && keepsNoSharedMemory(now) && now.descriptors <= then.descriptors && !now.locked
        && cpuNs() - m_cpuAtAnswer <= restCpuNs && !hasMessage(m_channel->socket())
        && unreadBytes(m_channel->socket()) == 0;
}

QString HelperProcess::stop(Outcome outcome, const Limits& limits)
{
    // A channel found closed or full while sending: how the process ended.
    if (outcome == Outcome::Ended && m_sentLate)
        outcome = Outcome::Ceiling;
    else if (outcome == Outcome::Ended && (m_child > 0 || m_forkedId != 0))
        outcome = ended();
    kill();
    const auto seconds = [](qint64 ms) { return QString::number(ms / 1000.0); };
    switch (outcome) {
    case Outcome::Cpu:
        return QStringLiteral("took more than %1 s of processor time").arg(seconds(limits.cpuMs));
    case Outcome::Waiting:
        return QStringLiteral("was still waiting after %1 s").arg(seconds(limits.waitMs));
    case Outcome::Total:
        return QStringLiteral("took more than the %1 s left to it").arg(seconds(limits.totalMs));
    case Outcome::Memory:
        return QStringLiteral("needed more than %1 MB").arg(limits.growthBytes >> 20);
    case Outcome::Ceiling:
        return QStringLiteral("took longer than %1 s by the clock").arg(seconds(ceilingMs(limits)));
    case Outcome::Stack:
        return QStringLiteral("its helper ran out of stack");
    case Outcome::Ended:
        if (m_endStatus > 128)
            return QStringLiteral("its helper crashed (%1)")
                .arg(QString::fromLocal8Bit(::strsignal(m_endStatus - 128)));
        return QStringLiteral("its helper ended");
    case Outcome::Abandoned:
        return QStringLiteral("the program is ending");
    default:
        return QStringLiteral("its helper answered amiss");
    }
}

// How the process that closed its channel ended, as the program reaps it
// or its template tells; one that does not end at once answers amiss, and
// is killed for it.
HelperProcess::Outcome HelperProcess::ended()
{
    m_usedMsAtEnd = usedMs();
    int status = 0;
    const pid_t child = m_child;
    bool gone = false;
    if (m_forkedId != 0) {
        gone = m_watch.endsWithin(endWaitMs);
        status = gone ? HelperTemplates::instance().endStatus(m_program, m_forkedId, endWaitMs) : 0;
        m_endStatus = qMax(0, status);
    } else {
        gone = m_childWatch.endsWithin(endWaitMs) && ::waitpid(child, &status, WNOHANG) == child;
        if (gone)
            m_child = -1;
        m_endStatus = HelperSandbox::exitStatusOf(status);
    }
    kill();
    if (!gone)
        return Outcome::Amiss;
    return m_endStatus == HelperChannel::outOfStackStatus ? Outcome::Stack : Outcome::Ended;
}

// A helper forked from a template is the template's to reap, and ends
// without the program waiting for it.
void HelperProcess::kill()
{
    if (m_watch.isOpen())
        m_usedMsAtEnd = usedMs();
    m_watch.kill(0);
    if (m_child > 0) {
        // The sandbox ends with the helper in it; the child is ours until
        // reaped, so its ID is no other's.
        ::kill(m_child, SIGKILL);
        if (!m_childWatch.endsWithin(endWaitMs) || ::waitpid(m_child, nullptr, WNOHANG) != m_child)
            reapApart(m_child);
    }
    m_child = -1;
    m_forkedId = 0;
    m_resting = false;
    m_halted = false;
    m_continuing = false;
    m_errors.drain();
    m_errors.close();
    m_watch.close();
    m_childWatch.close();
    m_channel.reset();
    m_folder.reset();
}

QByteArray HelperProcess::stage() const
{
    return m_folder && m_watch.isOpen() ? m_folder->stage() : QByteArray();
}

void HelperProcess::startClocks()
{
    m_clock.start();
    m_usedMsAtEnd = 0;
    m_cpuAtStart = cpuNs();
    m_busyAtStart = busyNs();
}

qint64 HelperProcess::usedMs() const
{
    if (!m_watch.isOpen())
        return m_usedMsAtEnd;
    return (cpuNs() - m_cpuAtStart + qMax<qint64>(0, waitNs())) / 1000000;
}

qint64 HelperProcess::cpuNs() const
{
    const qint64 used = m_watch.cpuNs();
    return used < 0 ? m_cpuAtStart : used;
}

// The time the first thread ran or stood ready to run, as its schedstat tells.
qint64 HelperProcess::busyNs() const
{
    const qint64 busy = m_watch.busyNs();
    return busy < 0 ? m_busyAtStart : busy;
}

// The wall clock since the start less the time the first thread was busy.
qint64 HelperProcess::waitNs() const
{
    return m_clock.nsecsElapsed() - (busyNs() - m_busyAtStart);
}
