#include "PageProcess.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// How often the limits are looked at while the process works.
constexpr int watchMs = 5;
// How long a process whose channel closed may take to end.
constexpr int endingMs = 200;
// Starting, the process may take this long and hold this much.
constexpr qint64 startCpuMs = 5000;
constexpr qint64 startMemory = qint64(1) << 30;
// What an idle process may hold past what it held once started.
constexpr qint64 keptMemory = qint64(256) << 20;

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
    char* arguments[] = {program.data(), nullptr};
    const int error
        = ::posix_spawn(&pid, program.constData(), &files, &attributes, arguments, environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    ::close(socket);
    return error;
}

// A file of the process in /proc, kept open to be read again; or -1.
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

void closeProcFile(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

PageProcess::PageProcess(const QString& helper)
    : m_helper(helper)
{
}

PageProcess::~PageProcess()
{
    kill();
}

// An idle process says nothing: what comes is its end. One that kept much
// of what it held for a page is started anew.
bool PageProcess::isIdle() const
{
    pollfd channel {m_channel ? m_channel->socket() : -1, POLLIN, 0};
    return m_pid > 0 && ::poll(&channel, 1, 0) == 0
        && residentBytes() < m_residentAtStart + keptMemory;
}

QString PageProcess::start()
{
    if (isIdle())
        return QString();
    kill();
    int sockets[2];
    int error = ::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, sockets) != 0 ? errno : 0;
    if (error == 0) {
        m_channel = std::make_unique<Channel>(sockets[0]);
        error = spawn(QFile::encodeName(m_helper), sockets[1], m_pid);
    }
    if (error == 0)
        error = ::clock_getcpuclockid(m_pid, &m_cpuClock);
    if (error != 0) {
        kill();
        return QStringLiteral("%1 cannot start: %2")
            .arg(m_helper, QString::fromLocal8Bit(std::strerror(error)));
    }
    m_statm = openProcFile(m_pid, "statm");
    m_schedstat = openProcFile(m_pid, "schedstat");
    restartClocks();
    Channel::Message ready;
    const Outcome outcome = next(ready, Limits {startCpuMs, startCpuMs, startMemory});
    const bool started = outcome == Outcome::Message && ready.kind == Channel::Kind(Kind::Ready)
        && ready.data.isEmpty() && ready.fd < 0;
    if (ready.fd >= 0)
        ::close(ready.fd);
    m_residentAtStart = residentBytes();
    if (started)
        return QString();
    kill();
    return QStringLiteral("%1 did not start").arg(m_helper);
}

bool PageProcess::send(Kind kind, const QByteArray& data, int fd)
{
    return m_channel && m_channel->send(Channel::Kind(kind), data, fd);
}

PageProcess::Outcome PageProcess::next(Channel::Message& message, const Limits& limits)
{
    for (;;) {
        pollfd channel {m_channel->socket(), POLLIN, 0};
        const int ready = ::poll(&channel, 1, watchMs);
        if (ready > 0)
            return m_channel->receive(message) ? Outcome::Message : Outcome::Ended;
        if (cpuNs() - m_cpuAtStart > limits.cpuMs * 1000000)
            return Outcome::Cpu;
        if (waitingMs() > limits.waitingMs)
            return Outcome::Waiting;
        if (residentBytes() > limits.residentBytes)
            return Outcome::Memory;
    }
}

void PageProcess::restartClocks()
{
    m_cpuAtStart = cpuNs();
    restartWaiting();
}

void PageProcess::restartWaiting()
{
    const QList<QByteArray> times = readProcFile(m_schedstat).split(' ');
    m_readyAtStart = times.size() >= 2 ? times.at(0).toLongLong() + times.at(1).toLongLong() : 0;
    m_clock.start();
}

qint64 PageProcess::cpuNs() const
{
    timespec used {};
    if (::clock_gettime(m_cpuClock, &used) != 0)
        return m_cpuAtStart;
    return qint64(used.tv_sec) * 1000000000 + used.tv_nsec;
}

// The time since the clocks started that the process neither ran nor stood
// ready to: its schedstat tells both, for its main thread, which lays out.
qint64 PageProcess::waitingMs() const
{
    const QList<QByteArray> times = readProcFile(m_schedstat).split(' ');
    if (times.size() < 2)
        return m_clock.elapsed();
    const qint64 busyNs = times.at(0).toLongLong() + times.at(1).toLongLong() - m_readyAtStart;
    return m_clock.elapsed() - busyNs / 1000000;
}

qint64 PageProcess::residentBytes() const
{
    long long size = 0;
    long long resident = 0;
    if (std::sscanf(readProcFile(m_statm).constData(), "%lld %lld", &size, &resident) != 2)
        return 0;
    return resident * ::sysconf(_SC_PAGESIZE);
}

QString PageProcess::endedWhy()
{
    int status = 0;
    pid_t ended = 0;
    for (int waited = 0; ended == 0 && waited < endingMs; waited += watchMs) {
        ended = ::waitpid(m_pid, &status, WNOHANG);
        if (ended == 0)
            ::usleep(watchMs * 1000);
    }
    if (ended > 0)
        m_pid = -1;
    kill();
    if (ended > 0 && WIFSIGNALED(status))
        return QStringLiteral("its layout process crashed (%1)")
            .arg(QString::fromLocal8Bit(::strsignal(WTERMSIG(status))));
    return QStringLiteral("its layout process ended");
}

void PageProcess::kill()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) { }
    }
    m_pid = -1;
    m_channel.reset();
    closeProcFile(m_statm);
    closeProcFile(m_schedstat);
}
