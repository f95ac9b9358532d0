#include "ProbeReaches.h"

#include "ProbeTargets.h"

#include <QThreadPool>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <termios.h>
#include <unistd.h>

namespace {

void tried(QStringList& results, const QString& what, long result)
{
    results << QString("%1: %2").arg(what, result >= 0 ? "done" : std::strerror(errno));
}

sockaddr_un addressOf(const QString& path)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(
        address.sun_path, QFile::encodeName(path).constData(), sizeof(address.sun_path) - 1);
    return address;
}

bool isSocket(int fd)
{
    struct stat file;
    return ::fstat(fd, &file) == 0 && S_ISSOCK(file.st_mode);
}

// Opened for good: a lock or lease taken on it lasts as long as the probe.
int keptOpen(const QString& path, int flags)
{
    return ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
}

} // namespace

namespace ProbeReaches {

void tryUserFiles(const ProbeTargets& targets, QStringList& results)
{
    char byte;
    for (const auto& [what, path] :
        {std::pair<const char*, QString> {"a file of the home folder", targets.home},
            {"a file of another folder", targets.elsewhere}}) {
        const int fd = keptOpen(path, O_RDONLY);
        tried(results, QString("read ") + what, fd < 0 ? -1 : ::read(fd, &byte, 1));
    }
}

// On the file of its task, which it may read, and on its output.
void tryLocks(const ProbeTargets& targets, QStringList& results)
{
    const int staged = keptOpen(targets.staged, O_RDONLY);
    tried(results, "open the staged file", staged);
    for (const int fd : {staged, STDOUT_FILENO}) {
        const QString on = fd == staged ? "the staged file" : "its output";
        tried(results, "flock " + on, ::flock(fd, LOCK_EX | LOCK_NB));
        struct flock lock
        {
        };
        lock.l_type = F_RDLCK;
        lock.l_whence = SEEK_SET;
        tried(results, "fcntl lock " + on, ::fcntl(fd, F_SETLK, &lock));
        tried(results, "open file description lock " + on, ::fcntl(fd, F_OFD_SETLK, &lock));
        tried(results, "read lease " + on, ::fcntl(fd, F_SETLEASE, F_RDLCK));
    }
}

// To a socket bound to a path: on a pair of its own, and on each socket
// it has, with a descriptor too.
void tryDatagrams(const ProbeTargets& targets, QStringList& results)
{
    int pair[2];
    tried(results, "socketpair", ::socketpair(AF_UNIX, SOCK_DGRAM, 0, pair));
    const sockaddr_un address = addressOf(targets.datagram);
    const auto* to = reinterpret_cast<const sockaddr*>(&address);
    for (int fd = 0; fd < 64; ++fd) {
        if (!isSocket(fd))
            continue;
        tried(results, QString("datagram on descriptor %1").arg(fd),
            ::sendto(fd, "x", 1, MSG_NOSIGNAL, to, sizeof(address)));
        char byte = 'x';
        iovec part {&byte, 1};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
        msghdr message {};
        message.msg_name = const_cast<sockaddr_un*>(&address);
        message.msg_namelen = sizeof(address);
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof(control);
        cmsghdr* rights = CMSG_FIRSTHDR(&message);
        rights->cmsg_level = SOL_SOCKET;
        rights->cmsg_type = SCM_RIGHTS;
        rights->cmsg_len = CMSG_LEN(sizeof(int));
        const int sent = STDERR_FILENO;
        std::memcpy(CMSG_DATA(rights), &sent, sizeof(int));
        tried(results, QString("descriptor sent on descriptor %1").arg(fd),
            ::sendmsg(fd, &message, MSG_NOSIGNAL));
    }
}

// The test's process as the owner of its channel, its standard error and
// a folder it reads, to be signalled as they are read or written.
void trySignalsByFiles(const ProbeTargets& targets, QStringList& results)
{
    const int folder = keptOpen(".", O_RDONLY | O_DIRECTORY);
    const auto owner = pid_t(targets.pid);
    const f_owner_ex exact {F_OWNER_PID, owner};
    for (const int fd : {STDIN_FILENO, STDERR_FILENO, folder}) {
        const QString on = QString(" on descriptor %1").arg(fd);
        tried(results, "F_SETOWN" + on, ::fcntl(fd, F_SETOWN, owner));
        tried(results, "F_SETOWN_EX" + on, ::fcntl(fd, F_SETOWN_EX, &exact));
        tried(results, "F_SETSIG" + on, ::fcntl(fd, F_SETSIG, SIGUSR1));
        tried(results, "O_ASYNC" + on, ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_ASYNC));
    }
    tried(results, "F_NOTIFY",
        ::fcntl(folder, F_NOTIFY, DN_ACCESS | DN_MODIFY | DN_CREATE | DN_MULTISHOT));
    ::write(STDERR_FILENO, "signals by files\n", 17);
    char byte;
    const int staged = keptOpen(targets.staged, O_RDONLY);
    ::read(staged, &byte, 1);
}

// Its session's terminal, the terminal it was named, and its descriptors:
// typed input flushed, echo turned off, the size changed, output stopped.
void tryTerminals(const ProbeTargets& targets, QStringList& results)
{
    results << QString("session: %1").arg(::getsid(0));
    const int own = keptOpen("/dev/tty", O_RDONLY);
    tried(results, "open its terminal", own);
    const int named = keptOpen(targets.terminal, O_RDONLY | O_NOCTTY);
    tried(results, "open the program's terminal", named);
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO, own, named}) {
        if (fd < 0)
            continue;
        const QString on = QString(" on descriptor %1").arg(fd);
        tried(results, "TCFLSH" + on, ::ioctl(fd, TCFLSH, TCIFLUSH));
        termios quiet {};
        ::ioctl(fd, TCGETS, &quiet);
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tried(results, "TCSETS" + on, ::ioctl(fd, TCSETS, &quiet));
        const winsize size {3, 7, 0, 0};
        tried(results, "TIOCSWINSZ" + on, ::ioctl(fd, TIOCSWINSZ, &size));
        tried(results, "TCXONC" + on, ::ioctl(fd, TCXONC, TCOOFF));
        tried(results, "TIOCSCTTY" + on, ::ioctl(fd, TIOCSCTTY, 0));
    }
    // A window title, the clipboard written, and the cursor asked for.
    const char controls[] = "\x1b]0;probe\x07\x1b]52;c;cHJvYmU=\x07\x1b[6n\r\xc2\x9b"
                            "6n\n";
    tried(results, "control bytes written", ::write(STDERR_FILENO, controls, sizeof(controls) - 1));
}

void tryMaking(QStringList& results)
{
    tried(results, "memfd_create", ::memfd_create("probe", 0));
    int pipe[2];
    tried(results, "pipe2", ::pipe2(pipe, 0));
    pthread_t thread;
    const int made = ::pthread_create(
        &thread, nullptr, [](void*) -> void* { return nullptr; }, nullptr);
    if (made == 0)
        ::pthread_join(thread, nullptr);
    results << QString("thread: %1").arg(made == 0 ? "done" : "refused");
}

void holdPastTheAnswer(const ProbeTargets& targets, QStringList& results)
{
    if (targets.after == QLatin1String("memory")) {
        const size_t bytes = size_t(300) << 20;
        auto* shared = static_cast<char*>(
            ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
        tried(results, "300 MiB of shared memory", shared == MAP_FAILED ? -1 : 0);
        for (size_t i = 0; shared != MAP_FAILED && i < bytes; i += 4096)
            shared[i] = 1;
    } else if (targets.after == QLatin1String("descriptor")) {
        // As it would keep a memory file the program sent, and its pages.
        tried(results, "a descriptor kept", ::dup(STDERR_FILENO));
    } else if (targets.after == QLatin1String("let go")) {
        // Written, then let go of from its own memory, where the shared
        // memory keeps it while it stays mapped.
        const size_t bytes = size_t(300) << 20;
        auto* shared = static_cast<char*>(
            ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
        for (size_t i = 0; shared != MAP_FAILED && i < bytes; i += 4096)
            shared[i] = 1;
        tried(results, "300 MiB of shared memory let go",
            shared == MAP_FAILED ? -1 : ::madvise(shared, bytes, MADV_DONTNEED));
    } else if (targets.after == QLatin1String("spin")) {
        // On the thread the pool made before the filter.
        QThreadPool::globalInstance()->start([] {
            for (volatile quint64 turns = 0;; turns = turns + 1) { }
        });
        results << "spinning: done";
    }
}

} // namespace ProbeReaches
