#pragma once

#include "../common/RunawayBound.h"
#include "../common/TestFolder.h"
#include "ProbeTargets.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalServer>
#include <QProcess>
#include <QTcpServer>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/keyctl.h>
#include <mqueue.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/ipc.h>
#include <sys/msg.h>
#include <sys/resource.h>
#include <sys/sem.h>
#include <sys/shm.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <termios.h>
#include <unistd.h>

// What surrounds the probe helper in the tests: what only the test's
// process and what it starts can reach, and the program that starts the
// probe (probe-host).
namespace ProbeSurroundings {

inline volatile sig_atomic_t signalsReceived = 0;
inline char canary[16] = "untouched";

inline void countSignal(int)
{
    signalsReceived = signalsReceived + 1;
}

inline QString besideTest(const QString& name)
{
    return QCoreApplication::applicationDirPath() + '/' + name;
}

// What is reachable only by this process and what it starts: files, a
// file in a home folder and one in another folder, listeners and a
// datagram socket, memory, a segment, and the pseudo-terminal it gives them
// as their terminal, with keys typed ahead, raw, of a size.
class Targets
{
public:
    static constexpr char typedAhead[] = "ahead";

    Targets()
    {
        m_folder.write("kept", "kept");
        ::chmod(QFile::encodeName(m_folder.path("kept")).constData(), 0644);
        m_tcp.listen(QHostAddress::LocalHost);
        m_local.listen(m_folder.path("socket"));
        m_datagram = bound(m_folder.path("datagram"));
        QDir(m_home.path()).mkdir(".ssh");
        m_home.write(".ssh/id_ed25519", "the user's key");
        m_elsewhere.write("secret", "the user's secret");
        m_source.write("lockable", "a file of a task");
        m_key = ::ftok(QFile::encodeName(m_folder.path("kept")).constData(), 'p');
        m_segment = ::shmget(m_key, 64, IPC_CREAT | IPC_EXCL | 0600);
        if (m_segment >= 0) {
            m_shared = static_cast<char*>(::shmat(m_segment, nullptr, 0));
            std::strcpy(m_shared, "untouched");
        }
        openTerminal();
    }

    ~Targets()
    {
        if (m_shared)
            ::shmdt(m_shared);
        ::shmctl(m_segment, IPC_RMID, nullptr);
        ::close(m_datagram);
        ::close(m_slave);
        ::close(m_master);
    }

    bool isReady() const
    {
        return m_tcp.isListening() && m_local.isListening() && m_shared && m_slave >= 0
            && m_datagram >= 0;
    }

    // The targets, written into a file for the host; the probe keeps after
    // its answer what after names.
    QString written(const QString& after = QString()) const
    {
        ProbeTargets targets;
        targets.pid = ::getpid();
        targets.canary = quintptr(canary);
        targets.folder = m_folder.path();
        targets.port = m_tcp.serverPort();
        targets.socket = m_local.fullServerName();
        targets.datagram = m_folder.path("datagram");
        targets.segment = m_key;
        targets.terminal = m_terminal;
        targets.home = m_home.path(".ssh/id_ed25519");
        targets.elsewhere = m_elsewhere.path("secret");
        targets.toStage = m_source.path("lockable");
        targets.staged = "lockable";
        targets.after = after;
        const QString path = m_source.path("targets");
        targets.write(path);
        return path;
    }

    // What changed outside of what the probe was given leave to change.
    QStringList changes()
    {
        QStringList found;
        const QStringList entries
            = QDir(m_folder.path())
                  .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System);
        if (entries != QStringList({"datagram", "kept", "socket"}))
            found << "files: " + entries.join(' ');
        struct stat kept
        {
        };
        ::stat(QFile::encodeName(m_folder.path("kept")).constData(), &kept);
        if ((kept.st_mode & 07777) != 0644)
            found << QString("mode %1").arg(kept.st_mode & 07777, 0, 8);
        QCoreApplication::processEvents();
        if (m_tcp.hasPendingConnections() || m_local.hasPendingConnections())
            found << "a connection";
        char byte;
        if (::recv(m_datagram, &byte, 1, MSG_DONTWAIT) >= 0)
            found << "a datagram";
        if (signalsReceived != 0)
            found << "a signal";
        if (std::strcmp(canary, "untouched") != 0 || std::strcmp(m_shared, "untouched") != 0)
            found << "memory";
        if (::getpriority(PRIO_PROCESS, 0) != 0 || ::sched_getscheduler(0) != SCHED_OTHER)
            found << "scheduling";
        if (::msgget(m_key + 1, 0) >= 0 || ::semget(m_key + 2, 1, 0) >= 0
            || ::mq_open("/tessivar-probe", O_RDONLY) >= 0
            || ::syscall(
                   SYS_keyctl, KEYCTL_SEARCH, KEY_SPEC_USER_KEYRING, "user", "tessivar-probe", 0)
                >= 0)
            found << "a queue, semaphore or key";
        return found + terminalChanges();
    }

    // What the terminal shows, drained: the host's standard error, which
    // the probe's reaches.
    QByteArray shown()
    {
        QByteArray all;
        char part[4096];
        ssize_t read;
        while ((read = ::read(m_master, part, sizeof(part))) > 0)
            all.append(part, int(read));
        return all;
    }

private:
    static int bound(const QString& path)
    {
        const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        std::strncpy(
            address.sun_path, QFile::encodeName(path).constData(), sizeof(address.sun_path) - 1);
        if (fd >= 0
            && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0)
            return fd;
        if (fd >= 0)
            ::close(fd);
        return -1;
    }

    void openTerminal()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        ::grantpt(m_master);
        ::unlockpt(m_master);
        m_terminal = QString::fromLocal8Bit(::ptsname(m_master));
        m_slave = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios raw {};
        ::tcgetattr(m_slave, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(m_slave, TCSANOW, &raw);
        ::tcgetattr(m_slave, &m_modes);
        const winsize size {24, 80, 0, 0};
        ::ioctl(m_slave, TIOCSWINSZ, &size);
        ::write(m_master, typedAhead, sizeof(typedAhead) - 1);
    }

    // Keys typed ahead still there and none added, its modes and size as
    // they were, its output flowing.
    QStringList terminalChanges()
    {
        QStringList found;
        int typed = 0;
        ::ioctl(m_slave, FIONREAD, &typed);
        if (typed != int(sizeof(typedAhead)) - 1)
            found << QString("keys typed or flushed: %1 waiting").arg(typed);
        termios modes {};
        ::tcgetattr(m_slave, &modes);
        if (std::memcmp(&modes, &m_modes, sizeof(modes)) != 0)
            found << "terminal modes";
        winsize size {};
        ::ioctl(m_slave, TIOCGWINSZ, &size);
        if (size.ws_row != 24 || size.ws_col != 80)
            found << "terminal size";
        shown();
        if (::write(m_slave, "o", 1) != 1 || !shown().contains('o'))
            found << "terminal output stopped";
        return found;
    }

    TestFolder m_folder;
    TestFolder m_home;
    TestFolder m_elsewhere;
    TestFolder m_source;
    QTcpServer m_tcp;
    QLocalServer m_local;
    int m_datagram = -1;
    key_t m_key = -1;
    int m_segment = -1;
    char* m_shared = nullptr;
    int m_master = -1;
    int m_slave = -1;
    termios m_modes {};
    QString m_terminal;
};

// The program that starts the probe; once it answered, it lets the probe
// rest when told, and ends when told.
class Host
{
public:
    Host(const QString& helper, bool sandboxed, const QString& targets)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(
            besideTest("probe-host"), {helper, sandboxed ? "sandboxed" : "unsandboxed", targets});
    }

    ~Host()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    // The lines up to the one given.
    QStringList linesUpTo(const QString& last, int waitMs = 10000)
    {
        QStringList lines;
        while (!lines.contains(last) && m_process.waitForReadyRead(waitBoundMs(waitMs))) {
            while (m_process.canReadLine())
                lines << QString::fromUtf8(m_process.readLine()).trimmed();
        }
        return lines;
    }

    QStringList answer()
    {
        return linesUpTo("answered");
    }

    QStringList rest()
    {
        m_process.write("\n");
        return linesUpTo("rested");
    }

    bool end()
    {
        m_process.write("\n");
        return m_process.waitForFinished(waitBoundMs(5000));
    }

private:
    QProcess m_process;
};

// The processes of that name still there.
inline QStringList probes(const QString& name)
{
    QStringList found;
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile comm("/proc/" + pid + "/comm");
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name.left(15).toUtf8())
            found << pid;
    }
    return found;
}

// The processor time, in ticks, of the processes of that name, or of those
// of them that are stopped.
inline qint64 ticksOf(const QString& name, bool stoppedOnly = false)
{
    qint64 ticks = 0;
    for (const QString& pid : probes(name)) {
        QFile stat("/proc/" + pid + "/stat");
        const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 12 && (!stoppedOnly || fields.at(0) == "T"))
            ticks += fields.at(11).toLongLong() + fields.at(12).toLongLong();
    }
    return ticks;
}

} // namespace ProbeSurroundings
