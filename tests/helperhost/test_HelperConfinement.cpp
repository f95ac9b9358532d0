#include "../common/RunawayBound.h"
#include "../common/TestFolder.h"

#include <QDir>
#include <QLocalServer>
#include <QProcess>
#include <QTcpServer>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/keyctl.h>
#include <mqueue.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/ipc.h>
#include <sys/msg.h>
#include <sys/resource.h>
#include <sys/sem.h>
#include <sys/shm.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t signalsReceived = 0;
char canary[16] = "untouched";

void countSignal(int)
{
    signalsReceived = signalsReceived + 1;
}

QString besideTest(const QString& name)
{
    return QCoreApplication::applicationDirPath() + '/' + name;
}

// What is reachable only by this process and what it starts, with the
// pseudo-terminal it gives them as their terminal.
class Targets
{
public:
    Targets()
    {
        m_folder.write("kept", "kept");
        ::chmod(QFile::encodeName(m_folder.path("kept")).constData(), 0644);
        m_tcp.listen(QHostAddress::LocalHost);
        m_local.listen(m_folder.path("socket"));
        m_key = ::ftok(QFile::encodeName(m_folder.path("kept")).constData(), 'p');
        m_segment = ::shmget(m_key, 64, IPC_CREAT | IPC_EXCL | 0600);
        if (m_segment >= 0) {
            m_shared = static_cast<char*>(::shmat(m_segment, nullptr, 0));
            std::strcpy(m_shared, "untouched");
        }
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(m_master);
        ::unlockpt(m_master);
        m_terminal = QString::fromLocal8Bit(::ptsname(m_master));
        m_slave = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY | O_NONBLOCK);
    }

    ~Targets()
    {
        if (m_shared)
            ::shmdt(m_shared);
        ::shmctl(m_segment, IPC_RMID, nullptr);
        ::close(m_slave);
        ::close(m_master);
    }

    bool isReady() const
    {
        return m_tcp.isListening() && m_local.isListening() && m_shared && m_slave >= 0;
    }

    QStringList arguments() const
    {
        return {QString::number(::getpid()), QString::number(quintptr(canary)), m_folder.path(),
            QString::number(m_tcp.serverPort()), m_local.fullServerName(), QString::number(m_key),
            m_terminal};
    }

    // What changed outside of what the probe was given leave to change.
    QStringList changes()
    {
        QStringList found;
        const QStringList entries
            = QDir(m_folder.path())
                  .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System);
        if (entries != QStringList({"kept", "socket"}))
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
        if (signalsReceived != 0)
            found << "a signal";
        if (std::strcmp(canary, "untouched") != 0 || std::strcmp(m_shared, "untouched") != 0)
            found << "memory";
        int typed = 0;
        ::ioctl(m_slave, FIONREAD, &typed);
        if (typed != 0)
            found << "keys typed";
        if (::getpriority(PRIO_PROCESS, 0) != 0 || ::sched_getscheduler(0) != SCHED_OTHER)
            found << "scheduling";
        if (::msgget(m_key + 1, 0) >= 0 || ::semget(m_key + 2, 1, 0) >= 0
            || ::mq_open("/tessivar-probe", O_RDONLY) >= 0
            || ::syscall(
                   SYS_keyctl, KEYCTL_SEARCH, KEY_SPEC_USER_KEYRING, "user", "tessivar-probe", 0)
                >= 0)
            found << "a queue, semaphore or key";
        return found;
    }

private:
    TestFolder m_folder;
    QTcpServer m_tcp;
    QLocalServer m_local;
    key_t m_key = -1;
    int m_segment = -1;
    char* m_shared = nullptr;
    int m_master = -1;
    int m_slave = -1;
    QString m_terminal;
};

// The program that starts the probe; once it answered, it ends when told.
class Host
{
public:
    Host(const QString& helper, bool sandboxed, const Targets& targets)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(besideTest("probe-host"),
            QStringList {helper, sandboxed ? "sandboxed" : "unsandboxed"} + targets.arguments());
    }

    ~Host()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    QStringList answer()
    {
        QStringList lines;
        while (!lines.contains("answered") && m_process.waitForReadyRead(waitBoundMs(10000))) {
            while (m_process.canReadLine())
                lines << QString::fromUtf8(m_process.readLine()).trimmed();
        }
        return lines;
    }

    bool end()
    {
        m_process.write("\n");
        return m_process.waitForFinished(waitBoundMs(5000));
    }

private:
    QProcess m_process;
};

// The processes of the probe still there, by their name.
QStringList probes(const QString& name)
{
    QStringList found;
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile comm("/proc/" + pid + "/comm");
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name.left(15).toUtf8())
            found << pid;
    }
    return found;
}

} // namespace

// A helper taken over by a hostile file harms nothing but its own work: from
// inside its confinement, started as the program starts its helpers, it
// reaches no file, listener, process, terminal or shared object outside,
// and nothing of it outlives the program.
class TestHelperConfinement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        std::signal(SIGUSR1, countSignal);
    }

    void waysOutStayClosed_data()
    {
        QTest::addColumn<bool>("sandboxed");
        QTest::newRow("in its sandbox") << true;
        QTest::newRow("without a sandbox, by its filter") << false;
    }

    void waysOutStayClosed()
    {
        QFETCH(bool, sandboxed);
        // GIVEN files, listeners, memory, a segment and a terminal of this test's
        Targets targets;
        QVERIFY(targets.isReady());
        // WHEN a probe helper tries every way out it knows to them
        Host host(besideTest("probe-helper"), sandboxed, targets);
        const QStringList answer = host.answer();
        QVERIFY2(answer.contains("thread: ran"), qPrintable(answer.join('\n')));
        // THEN nothing outside changed
        QCOMPARE(targets.changes(), QStringList());
        // AND each try failed; without the sandbox the program's /proc
        // entries read as the user's files do
        const QStringList harmless {"open its terminal", "open the program's terminal"};
        const QStringList readable {"read its memory", "read its environment"};
        for (const QString& line : answer) {
            const QString call = line.section(": ", 0, 0);
            if (line.endsWith(": done") && !harmless.contains(call)
                && (sandboxed || !readable.contains(call)))
                QFAIL(qPrintable(line + "\n" + answer.join('\n')));
        }
        QVERIFY(host.end());
    }

    void nothingOutlivesTheProgram()
    {
        // GIVEN a probe that left a process behind before it sealed itself,
        // then cleared its death signal, ignores SIGXCPU and parked its threads
        Targets targets;
        TestFolder folder;
        const QString linger = folder.path("probe-linger");
        QVERIFY(QFile::link(besideTest("probe-helper"), linger));
        Host host(linger, true, targets);
        const QStringList answer = host.answer();
        QVERIFY2(answer.contains("answered") && probes("probe-linger").size() == 2,
            qPrintable(answer.join('\n')));
        QVERIFY2(!answer.contains("clear its death signal: done"), qPrintable(answer.join('\n')));
        // WHEN the program ends at once, killing nothing
        QVERIFY(host.end());
        // THEN none of the probe's processes is left
        QVERIFY2(
            QTest::qWaitFor([] { return probes("probe-linger").isEmpty(); }, waitBoundMs(2000)),
            qPrintable(probes("probe-linger").join(' ')));
    }
};

QTEST_GUILESS_MAIN(TestHelperConfinement)
#include "test_HelperConfinement.moc"
