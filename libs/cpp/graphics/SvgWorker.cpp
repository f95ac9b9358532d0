#include "SvgWorker.h"

#include "SvgCanvas.h"
#include "SvgRequest.h"

#include <QDataStream>
#include <QFile>
#include <QScopeGuard>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace DAvuroD {

namespace {

// How often the limits are looked at while the process works.
constexpr int watchMs = 5;
// Starting, the process holds little; much more is no start.
constexpr qint64 startMemory = qint64(1) << 30;

QString seconds(qint64 ms)
{
    return QString::number(ms / 1000.0);
}

// A memory file holding text, or -1.
int memoryFileOf(const QByteArray& text)
{
    const int fd = ::memfd_create("svg-text", MFD_CLOEXEC);
    if (fd >= 0 && ::write(fd, text.constData(), size_t(text.size())) == text.size())
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

template <typename... Values> bool readInto(const QByteArray& data, Values&... values)
{
    QDataStream in(data);
    (in >> ... >> values);
    return in.status() == QDataStream::Ok && in.atEnd();
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

SvgWorker::SvgWorker(const QString& helper)
    : m_helper(helper)
{
}

SvgWorker::~SvgWorker()
{
    kill();
}

QString SvgWorker::helper() const
{
    return m_helper;
}

void SvgWorker::abandon()
{
    m_abandoned = true;
}

// Running, idle, and no larger than its margin allows.
bool SvgWorker::isReady(qint64 resident) const
{
    pollfd channel {m_channel ? m_channel->socket() : -1, POLLIN, 0};
    // An idle process says nothing: what comes is its end.
    const bool ended = m_pid <= 0 || ::poll(&channel, 1, 0) != 0 || isEnding();
    return !ended && resident < m_residentAtStart + memoryMargin;
}

// Whether the process has begun to end: its first thread is gone, while the
// others may still hold its channel open a moment.
bool SvgWorker::isEnding() const
{
    // pid (name) state ...
    const QByteArray line = readProcFile(m_stat);
    const int close = line.lastIndexOf(')');
    return close < 0 || line.size() < close + 3 || line.at(close + 2) == 'Z'
        || line.at(close + 2) == 'X';
}

qint64 SvgWorker::residentBytes() const
{
    long long size = 0;
    long long resident = 0;
    if (std::sscanf(readProcFile(m_statm).constData(), "%lld %lld", &size, &resident) != 2)
        return 0;
    return resident * ::sysconf(_SC_PAGESIZE);
}

void SvgWorker::start()
{
    m_startRefusal.clear();
    int sockets[2];
    int error = ::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, sockets) != 0 ? errno : 0;
    if (error == 0) {
        m_channel = std::make_unique<SvgChannel>(sockets[0]);
        error = spawn(QFile::encodeName(m_helper), sockets[1], m_pid);
    }
    if (error != 0) {
        m_pid = -1;
        m_channel.reset();
        m_startRefusal = QStringLiteral("the drawing helper %1 cannot start: %2")
                             .arg(m_helper, QString::fromLocal8Bit(std::strerror(error)));
        return;
    }
    ::clock_getcpuclockid(m_pid, &m_cpuClock);
    m_statm = openProcFile(m_pid, "statm");
    m_stat = openProcFile(m_pid, "stat");
    SvgChannel::Message ready;
    startClocks();
    const Outcome outcome = next(ready, Limits {cpuLimitMs * 1000000, wallLimitMs, startMemory});
    if (outcome != Outcome::Message || ready.kind != SvgChannel::Kind::Ready) {
        kill();
        m_startRefusal = QStringLiteral("the drawing helper %1 did not start").arg(m_helper);
    }
    m_residentAtStart = residentBytes();
}

SvgWorker::Result SvgWorker::draw(const SvgRequest& request, qint64 msLeft)
{
    if (m_abandoned)
        return Result {QImage(), QStringLiteral("the program is ending")};
    qint64 before = residentBytes();
    if (!isReady(before)) {
        kill();
        start();
        before = residentBytes();
    }
    if (m_pid <= 0)
        return Result {QImage(), m_startRefusal};
    const bool shortened = msLeft < wallLimitMs;
    const Limits limits {
        qMin(cpuLimitMs, msLeft) * 1000000, qMin(wallLimitMs, msLeft), before + memoryMargin};
    const int text = request.path.isEmpty() ? memoryFileOf(request.text) : -1;
    startClocks();
    const bool sent = m_channel->send(SvgChannel::Kind::Draw, request.toMessage(), text);
    if (text >= 0)
        ::close(text);
    if (!sent)
        return Result {QImage(), endedWhy()};
    return answer(limits, before, shortened);
}

SvgWorker::Result SvgWorker::answer(Limits limits, qint64 residentBefore, bool shortened)
{
    SvgChannel::Message message;
    for (;;) {
        const Outcome outcome = next(message, limits);
        if (outcome != Outcome::Message)
            return stopped(outcome, limits, residentBefore, shortened);
        QSize size;
        QString why;
        bool beyond = false;
        const int fd = message.fd;
        const auto closeFd = qScopeGuard([fd] {
            if (fd >= 0)
                ::close(fd);
        });
        if (message.kind == SvgChannel::Kind::Canvas && readInto(message.data, size)) {
            limits.residentBytes = residentBefore + SvgCanvas::bytesOf(size) + memoryMargin;
        } else if (message.kind == SvgChannel::Kind::Drawn && readInto(message.data, size)) {
            const QImage image = SvgCanvas::copied(fd, size);
            if (!image.isNull())
                return Result {image, QString()};
            kill();
            return Result {QImage(), QStringLiteral("its pixels did not arrive")};
        } else if (message.kind == SvgChannel::Kind::Refused
            && readInto(message.data, why, beyond)) {
            return Result {QImage(), why, beyond, false};
        } else {
            kill();
            return Result {QImage(), QStringLiteral("its drawing process answered amiss")};
        }
    }
}

SvgWorker::Outcome SvgWorker::next(SvgChannel::Message& message, const Limits& limits)
{
    for (;;) {
        pollfd channel {m_channel->socket(), POLLIN, 0};
        const int ready = ::poll(&channel, 1, watchMs);
        if (ready > 0)
            return m_channel->receive(message) ? Outcome::Message : Outcome::Ended;
        if (m_abandoned)
            return Outcome::Abandoned;
        if (cpuNs() - m_cpuAtStart > limits.cpuNs)
            return Outcome::Cpu;
        if (m_clock.elapsed() > limits.wallMs)
            return Outcome::Wall;
        if (residentBytes() > limits.residentBytes)
            return Outcome::Memory;
    }
}

SvgWorker::Result SvgWorker::stopped(
    Outcome outcome, const Limits& limits, qint64 residentBefore, bool shortened)
{
    if (outcome == Outcome::Ended)
        return Result {QImage(), endedWhy()};
    kill();
    switch (outcome) {
    case Outcome::Cpu:
        return Result {QImage(),
            QStringLiteral("took longer than %1 s to draw").arg(seconds(limits.cpuNs / 1000000)),
            false, shortened};
    case Outcome::Wall:
        return Result {QImage(),
            QStringLiteral("was still not drawn after %1 s").arg(seconds(limits.wallMs)), false,
            shortened};
    case Outcome::Abandoned:
        return Result {QImage(), QStringLiteral("the program is ending")};
    default:
        return Result {QImage(),
            QStringLiteral("needed more than %1 MB")
                .arg((limits.residentBytes - residentBefore) >> 20)};
    }
}

// Why the process ended unasked, once it is gone.
QString SvgWorker::endedWhy()
{
    int status = 0;
    pid_t ended;
    do
        ended = ::waitpid(m_pid, &status, 0);
    while (ended < 0 && errno == EINTR);
    m_pid = -1;
    kill();
    if (ended > 0 && WIFSIGNALED(status))
        return QStringLiteral("its drawing process crashed (%1)")
            .arg(QString::fromLocal8Bit(::strsignal(WTERMSIG(status))));
    return QStringLiteral("its drawing process ended");
}

void SvgWorker::kill()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) { }
    }
    m_pid = -1;
    m_channel.reset();
    closeProcFile(m_statm);
    closeProcFile(m_stat);
}

void SvgWorker::startClocks()
{
    m_cpuAtStart = cpuNs();
    m_clock.start();
}

qint64 SvgWorker::cpuNs() const
{
    timespec used {};
    if (::clock_gettime(m_cpuClock, &used) != 0)
        return m_cpuAtStart;
    return qint64(used.tv_sec) * 1000000000 + used.tv_nsec;
}

} // namespace DAvuroD
