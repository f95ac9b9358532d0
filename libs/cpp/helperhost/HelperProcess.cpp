#include "HelperProcess.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <functional>
#include <future>
#include <mutex>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define TESSIVAR_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define TESSIVAR_SANITIZED 1
#endif
#endif

namespace {

// How often the limits are looked at while the process works.
constexpr int watchMs = 5;
// Starting, the process holds little; much more is no start.
constexpr qint64 startMemory = qint64(1) << 30;
// A process idle after growing by more than this since its start is replaced.
constexpr qint64 keptGrowth = qint64(256) << 20;
// The most the program waits for a process to end once killed, or to end by
// itself once it closed its channel; one that takes longer is reaped apart.
constexpr int endWaitMs = 1000;
constexpr rlim_t mostFiles = 64;
constexpr rlim_t mostData = rlim_t(2) << 30;
constexpr rlim_t mostAddressSpace = rlim_t(8) << 30;

// What Qt needs to draw as the program does: its fonts, as fontconfig finds
// them for the user and the language, its libraries and plugins.
const char* const passedOn[] = {
    "HOME",
    "LANG",
    "LANGUAGE",
    "LC_ALL",
    "LC_CTYPE",
    "XDG_CONFIG_HOME",
    "XDG_CONFIG_DIRS",
    "XDG_DATA_HOME",
    "XDG_DATA_DIRS",
    "XDG_CACHE_HOME",
    "FONTCONFIG_FILE",
    "FONTCONFIG_PATH",
    "FONTCONFIG_SYSROOT",
    "LD_LIBRARY_PATH",
    "QT_PLUGIN_PATH",
#ifdef TESSIVAR_SANITIZED
    "ASAN_OPTIONS",
    "LSAN_OPTIONS",
    "UBSAN_OPTIONS",
    "TSAN_OPTIONS",
#endif
};

QList<QByteArray> helperEnvironment()
{
    QList<QByteArray> environment {"QT_QPA_PLATFORM=offscreen"};
    for (const char* name : passedOn) {
        if (qEnvironmentVariableIsSet(name))
            environment << QByteArray(name) + '=' + qgetenv(name);
    }
    return environment;
}

// Runs each spawn on one thread that lasts as long as the program: a helper
// dies with the thread that started it (PR_SET_PDEATHSIG), which must not be
// a worker thread that ends before the program.
int onLastingThread(std::function<int()> spawn)
{
    struct Spawner
    {
        std::mutex mutex;
        std::condition_variable queued;
        std::deque<std::packaged_task<int()>> tasks;
    };
    // Never deleted: the thread waits on it until the program ends.
    static Spawner* const spawner = [] {
        auto* made = new Spawner;
        std::thread([made] {
            for (;;) {
                std::unique_lock<std::mutex> lock(made->mutex);
                made->queued.wait(lock, [made] { return !made->tasks.empty(); });
                std::packaged_task<int()> task = std::move(made->tasks.front());
                made->tasks.pop_front();
                lock.unlock();
                task();
            }
        }).detach();
        return made;
    }();
    std::packaged_task<int()> task(std::move(spawn));
    std::future<int> done = task.get_future();
    {
        const std::lock_guard<std::mutex> lock(spawner->mutex);
        spawner->tasks.push_back(std::move(task));
    }
    spawner->queued.notify_one();
    return done.get();
}

// Starts the program with the socket as its standard input, nothing on its
// standard output, the program's standard error for its warnings, and no
// other file, its signals as a new program has them; takes the socket, and
// gives the error, or 0.
int spawn(QByteArray program, int socket, pid_t& pid)
{
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, socket, STDIN_FILENO);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&files, STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t all;
    sigset_t none;
    sigfillset(&all);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    QList<QByteArray> environment = helperEnvironment();
    std::vector<char*> variables;
    for (QByteArray& variable : environment)
        variables.push_back(variable.data());
    variables.push_back(nullptr);
    char* arguments[] = {program.data(), nullptr};
    const int error = onLastingThread([&] {
        return ::posix_spawn(
            &pid, program.constData(), &files, &attributes, arguments, variables.data());
    });
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    ::close(socket);
    return error;
}

int openProcFile(pid_t pid, const char* name)
{
    return ::open(QByteArray("/proc/" + QByteArray::number(pid) + '/' + name).constData(),
        O_RDONLY | O_CLOEXEC);
}

// What such a file says now; empty when the process is gone.
QByteArray readProcFile(int fd)
{
    char text[512];
    const ssize_t read = fd >= 0 ? ::pread(fd, text, sizeof(text) - 1, 0) : -1;
    return read > 0 ? QByteArray(text, int(read)) : QByteArray();
}

void closeFile(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Whether the process behind pidfd ended within ms.
bool endsWithin(int pidFd, int ms)
{
    pollfd ended {pidFd, POLLIN, 0};
    int ready;
    do
        ready = ::poll(&ended, 1, ms);
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

bool setLimit(pid_t pid, __rlimit_resource resource, rlim_t soft, rlim_t hard)
{
    const rlimit limit {soft, hard};
    return ::prlimit(pid, resource, &limit, nullptr) == 0;
}

// A helper's stack: seven eighths of the program's, since the program does
// the same work below frames of its own, so that what the helper finishes
// never runs the program's stack out.
rlim_t helperStack()
{
    rlimit program {};
    if (::getrlimit(RLIMIT_STACK, &program) != 0 || program.rlim_cur == RLIM_INFINITY)
        return RLIM_INFINITY;
    return program.rlim_cur / 8 * 7;
}

} // namespace

HelperProcess::HelperProcess(const QString& program)
    : m_program(program)
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
    if (m_abandoned)
        return QStringLiteral("the program is ending");
    if (isIdle()) {
        startClocks();
    } else {
        kill();
        const QString refusal = start(limits, outOfTime);
        if (!refusal.isEmpty())
            return refusal;
    }
    m_channel->setNumber(m_channel->number() + 1);
    m_residentAtBegin = residentBytes();
    // A backstop behind the watch, a second past its limit.
    const rlim_t cpuSeconds = rlim_t((cpuNs() / 1000000 + limits.cpuMs) / 1000 + 2);
    if (!setLimit(m_pid, RLIMIT_CPU, cpuSeconds, RLIM_INFINITY)) {
        kill();
        return QStringLiteral("its helper cannot be limited");
    }
    return QString();
}

bool HelperProcess::send(char kind, const QByteArray& data, const QVector<int>& fds)
{
    return m_channel && m_channel->send(kind, data, fds);
}

// Running or waiting for a task, neither stopped nor ending, with nothing
// to say, and no larger than it may stay.
bool HelperProcess::isIdle() const
{
    if (m_pid <= 0)
        return false;
    pollfd channel {m_channel->socket(), POLLIN, 0};
    const char now = state();
    return ::poll(&channel, 1, 0) == 0 && (now == 'S' || now == 'R')
        && residentBytes() < m_residentAtStart + keptGrowth;
}

// The state of the first thread (R running or ready, S or D waiting, T
// stopped, Z or X ending), or 0 when the process is gone.
char HelperProcess::state() const
{
    // pid (name) state ...
    const QByteArray line = readProcFile(m_stat);
    const int close = line.lastIndexOf(')');
    return close < 0 || line.size() < close + 3 ? 0 : line.at(close + 2);
}

qint64 HelperProcess::residentBytes() const
{
    long long size = 0;
    long long resident = 0;
    if (std::sscanf(readProcFile(m_statm).constData(), "%lld %lld", &size, &resident) != 2)
        return 0;
    return resident * ::sysconf(_SC_PAGESIZE);
}

QString HelperProcess::start(const Limits& limits, bool& outOfTime)
{
    m_usedMsAtEnd = 0;
    m_endSignal = 0;
    m_residentAtBegin = 0;
    int sockets[2];
    int error = ::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, sockets) != 0 ? errno : 0;
    if (error == 0) {
        m_channel = std::make_unique<HelperChannel>(sockets[0]);
        error = spawn(QFile::encodeName(m_program), sockets[1], m_pid);
    }
    if (error != 0) {
        m_pid = -1;
        m_channel.reset();
        return QStringLiteral("the helper %1 cannot start: %2")
            .arg(m_program, QString::fromLocal8Bit(std::strerror(error)));
    }
    m_pidFd = int(::syscall(SYS_pidfd_open, m_pid, 0));
    openProcFiles();
    if (m_pidFd < 0 || m_stat < 0 || m_statm < 0 || m_schedstat < 0
        || ::clock_getcpuclockid(m_pid, &m_cpuClock) != 0) {
        kill();
        return QStringLiteral("the helper %1 cannot be watched").arg(m_program);
    }
    startClocks();
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
    if (!confine()) {
        kill();
        return QStringLiteral("the helper %1 cannot be limited").arg(m_program);
    }
    m_residentAtStart = residentBytes();
    return QString();
}

void HelperProcess::openProcFiles()
{
    m_stat = openProcFile(m_pid, "stat");
    m_statm = openProcFile(m_pid, "statm");
    m_schedstat = openProcFile(m_pid, "schedstat");
}

// Limits of the operating system, behind the watch, before the first task.
bool HelperProcess::confine()
{
    const rlim_t stack = helperStack();
    bool set = setLimit(m_pid, RLIMIT_CORE, 0, 0) && setLimit(m_pid, RLIMIT_FSIZE, 0, 0)
        && setLimit(m_pid, RLIMIT_NOFILE, mostFiles, mostFiles)
        && setLimit(m_pid, RLIMIT_STACK, stack, stack);
#ifndef TESSIVAR_SANITIZED
    // The sanitizers reserve terabytes of address space.
    set = set && setLimit(m_pid, RLIMIT_DATA, mostData, mostData)
        && setLimit(m_pid, RLIMIT_AS, mostAddressSpace, mostAddressSpace);
#endif
    return set;
}

HelperProcess::Outcome HelperProcess::next(HelperChannel::Message& message, const Limits& limits)
{
    for (;;) {
        pollfd channel {m_channel->socket(), POLLIN, 0};
        if (::poll(&channel, 1, watchMs) > 0) {
            if (!m_channel->receive(message))
                return ended();
            if (message.fds.isEmpty() && message.number == m_channel->number())
                return Outcome::Message;
            message.closeFds();
            return Outcome::Amiss;
        }
        if (m_abandoned)
            return Outcome::Abandoned;
        const qint64 cpuMs = (cpuNs() - m_cpuAtStart) / 1000000;
        // A thread ready to run may be waiting for a processor even now.
        const qint64 waitMs = state() == 'R' ? 0 : waitNs() / 1000000;
        if (cpuMs > limits.cpuMs)
            return Outcome::Cpu;
        if (waitMs > limits.waitMs)
            return Outcome::Waiting;
        if (cpuMs + waitMs > limits.totalMs)
            return Outcome::Total;
        if (residentBytes() > m_residentAtBegin + limits.growthBytes)
            return Outcome::Memory;
    }
}

QString HelperProcess::stop(Outcome outcome, const Limits& limits)
{
    // A channel found closed while sending: how the process ended.
    if (outcome == Outcome::Ended && m_pid > 0)
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
    case Outcome::Stack:
        return QStringLiteral("its helper ran out of stack");
    case Outcome::Ended:
        if (m_endSignal != 0)
            return QStringLiteral("its helper crashed (%1)")
                .arg(QString::fromLocal8Bit(::strsignal(m_endSignal)));
        return QStringLiteral("its helper ended");
    case Outcome::Abandoned:
        return QStringLiteral("the program is ending");
    default:
        return QStringLiteral("its helper answered amiss");
    }
}

// How the process that closed its channel ended; one that does not end at
// once answers amiss, and is killed for it.
HelperProcess::Outcome HelperProcess::ended()
{
    m_usedMsAtEnd = usedMs();
    int status = 0;
    const bool gone = endsWithin(m_pidFd, endWaitMs) && ::waitpid(m_pid, &status, WNOHANG) > 0;
    if (gone)
        m_pid = -1;
    kill();
    if (!gone)
        return Outcome::Amiss;
    m_endSignal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return WIFEXITED(status) && WEXITSTATUS(status) == HelperChannel::outOfStackStatus
        ? Outcome::Stack
        : Outcome::Ended;
}

void HelperProcess::kill()
{
    if (m_pid > 0) {
        m_usedMsAtEnd = usedMs();
        ::kill(m_pid, SIGKILL);
        const pid_t pid = m_pid;
        if (!endsWithin(m_pidFd, endWaitMs) || ::waitpid(pid, nullptr, WNOHANG) != pid)
            std::thread([pid] {
                while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) { }
            }).detach();
    }
    m_pid = -1;
    m_channel.reset();
    closeFile(m_pidFd);
    closeFile(m_stat);
    closeFile(m_statm);
    closeFile(m_schedstat);
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
    if (m_pid <= 0)
        return m_usedMsAtEnd;
    return (cpuNs() - m_cpuAtStart + qMax<qint64>(0, waitNs())) / 1000000;
}

qint64 HelperProcess::cpuNs() const
{
    timespec used {};
    if (m_pid <= 0 || ::clock_gettime(m_cpuClock, &used) != 0)
        return m_cpuAtStart;
    return qint64(used.tv_sec) * 1000000000 + used.tv_nsec;
}

// The time the first thread ran or stood ready to run, as its schedstat tells.
qint64 HelperProcess::busyNs() const
{
    long long running = 0;
    long long ready = 0;
    if (std::sscanf(readProcFile(m_schedstat).constData(), "%lld %lld", &running, &ready) != 2)
        return m_busyAtStart;
    return running + ready;
}

// The wall clock since the start less the time the first thread was busy.
qint64 HelperProcess::waitNs() const
{
    return m_clock.nsecsElapsed() - (busyNs() - m_busyAtStart);
}
