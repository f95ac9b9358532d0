#include "LandlockRules.h"
#include "ProbeSurroundings.h"
#include "SanitizedBuild.h"

#include <QRegularExpression>
#include <QtTest>

#include <pwd.h>

using namespace ProbeSurroundings;

namespace {

// Set in the copy of this test that runs as an ordinary user.
constexpr char unprivilegedVariable[] = "TESSIVAR_PROBE_UNPRIVILEGED";

QString lineStarting(const QStringList& lines, const QString& start)
{
    for (const QString& line : lines) {
        if (line.startsWith(start))
            return line.mid(start.size());
    }
    return QString();
}

// What another process finds held on the file: a lock of either kind, or
// a lease that keeps it from being opened to write.
QStringList heldOn(const QString& path)
{
    QStringList held;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0)
        held << "flock";
    ::flock(fd, LOCK_UN);
    struct flock lock
    {
    };
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (fd < 0 || ::fcntl(fd, F_SETLK, &lock) != 0)
        held << "fcntl lock";
    if (fd >= 0)
        ::close(fd);
    const int writer = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (writer < 0)
        held << "lease";
    else
        ::close(writer);
    return held;
}

// Control bytes reach the terminal written out: none of ESC, BEL or CSI.
QStringList controlsShown(const QByteArray& shown)
{
    QStringList found;
    for (const char control : {'\x1b', '\x07', '\x9b'}) {
        if (shown.contains(control))
            found << QString("byte %1").arg(int(uchar(control)), 0, 16);
    }
    if (!shown.contains("\\x1b]0;probe\\x07"))
        found << "no escaped title: " + QString::fromLatin1(shown.toPercentEncoding(" :;/\n"));
    return found;
}

// What a probe may do: open the file of its task and write to its standard
// error; without a sandbox and without Landlock, read what the user can, the
// program's /proc entries and terminal among them.
QStringList harmless(bool sandboxed)
{
    QStringList calls {"open the staged file", "control bytes written"};
#ifdef TESSIVAR_SANITIZED
    // The sanitizers' runtimes need pipes of their own.
    calls << "pipe2";
#endif
    if (!sandboxed && LandlockRules::abi() == 0)
        calls << "read its memory"
              << "read its environment"
              << "open the program's terminal"
              << "read a file of the home folder"
              << "read a file of another folder";
    return calls;
}

// A copy of the files named, in a folder of its own that the user reads.
bool copiedInto(const QString& folder, const QStringList& files)
{
    for (const QString& file : files) {
        const QString copy = folder + '/' + QFileInfo(file).fileName();
        if (!QFile::copy(file, copy))
            return false;
        QFile::setPermissions(copy, QFile::permissions(file) | QFile::ReadOther | QFile::ExeOther);
    }
    return true;
}

// The sanitizers' options, their suppression files copied into the folder.
QProcessEnvironment withCopiedSuppressions(QProcessEnvironment environment, const QString& folder)
{
    for (const char* variable : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS", "TSAN_OPTIONS"}) {
        QStringList options = environment.value(variable).split(':');
        for (QString& option : options) {
            if (!option.startsWith("suppressions="))
                continue;
            const QString file = option.mid(int(qstrlen("suppressions=")));
            copiedInto(folder, {file});
            option = "suppressions=" + folder + '/' + QFileInfo(file).fileName();
        }
        if (environment.contains(variable))
            environment.insert(variable, options.join(':'));
    }
    return environment;
}

// The probe linked under a name that tells it how to behave, in the folder;
// an empty text where it cannot be linked.
QString probeCalled(const TestFolder& folder, const QString& name)
{
    const QString link = folder.path(name);
    return QFile::link(besideTest("probe-helper"), link) ? link : QString();
}

} // namespace

// A helper taken over by a hostile file harms nothing but its own work: from
// inside its confinement, started and forked as the program starts its
// helpers, it reads no file of the user's, reaches no file, listener,
// socket, process, terminal or shared object outside, holds no lock or lease
// another process meets, keeps nothing running or held past its answer, and
// nothing of it outlives the program; a helper that stops reading is ended
// within the ceiling. As root, and as an ordinary user where the machine
// allows.
class TestHelperConfinement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const int signal : {SIGUSR1, SIGIO, SIGURG})
            std::signal(signal, countSignal);
    }

    void waysOutStayClosed_data()
    {
        QTest::addColumn<bool>("sandboxed");
        QTest::newRow("in its sandbox") << true;
        QTest::newRow("without a sandbox, by its filter and Landlock") << false;
    }

    void waysOutStayClosed()
    {
        QFETCH(bool, sandboxed);
        // GIVEN files, sockets, memory, a segment and a terminal of this test's
        Targets targets;
        QVERIFY(targets.isReady());
        // WHEN a probe helper tries every way out it knows to them
        Host host(besideTest("probe-helper"), sandboxed, targets.written());
        const QStringList answer = host.answer();
        QVERIFY2(answer.contains("thread: refused"), qPrintable(answer.join('\n')));
        // THEN nothing it was given holds a lock or lease for another process
        const QString staged = lineStarting(answer, "stage: ");
        QVERIFY2(QFile::exists(staged), qPrintable(answer.join('\n')));
        QCOMPARE(heldOn(staged), QStringList());
        // AND it is in a session of its own, away from the program's terminal
        QVERIFY2(lineStarting(answer, "session: ") != lineStarting(answer, "host session: "),
            qPrintable(answer.join('\n')));
        // AND what it wrote to its standard error reached the terminal escaped
        QCOMPARE(controlsShown(targets.shown()), QStringList());
        // AND nothing outside changed
        QCOMPARE(targets.changes(), QStringList());
        // AND each try failed
        for (const QString& line : answer) {
            if (line.endsWith(": done") && !harmless(sandboxed).contains(line.section(": ", 0, 0)))
                QFAIL(qPrintable(line + "\n" + answer.join('\n')));
        }
        // AND it rests as it was, and is kept
        QVERIFY(host.rest().contains("rest: kept"));
        QVERIFY(host.end());
    }

    void restingHoldsNothing_data()
    {
        QTest::addColumn<bool>("sandboxed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("done");
        QTest::addColumn<bool>("kept");
        for (const bool sandboxed : {true, false}) {
            const char* where = sandboxed ? ", in its sandbox" : ", without a sandbox";
            QTest::addRow("300 MiB of shared memory held past the answer%s", where)
                << sandboxed << "memory"
                << "300 MiB of shared memory: done" << false;
            QTest::addRow("300 MiB of shared memory let go of but mapped%s", where)
                << sandboxed << "let go"
                << "300 MiB of shared memory let go: done" << false;
            QTest::addRow("a descriptor kept past the answer%s", where)
                << sandboxed << "descriptor"
                << "a descriptor kept: done" << false;
            QTest::addRow("a thread spinning past the answer%s", where) << sandboxed << "spin"
                                                                        << "spinning: done" << true;
        }
    }

    void restingHoldsNothing()
    {
        QFETCH(bool, sandboxed);
        QFETCH(QString, after);
        QFETCH(QString, done);
        QFETCH(bool, kept);
        // GIVEN a probe that holds memory or spins a thread past its answer,
        // the only one, those of the rows before gone
        QVERIFY(
            QTest::qWaitFor([] { return probes("probe-helper").isEmpty(); }, waitBoundMs(2000)));
        Targets targets;
        Host host(besideTest("probe-helper"), sandboxed, targets.written(after));
        const QStringList answer = host.answer();
        QVERIFY2(answer.contains(done), qPrintable(answer.join('\n')));
        // WHEN it rests
        const QStringList rested = host.rest();
        // THEN it is ended for what it holds, or kept, taking no processor time
        QVERIFY2(
            rested.contains(kept ? "rest: kept" : "rest: ended"), qPrintable(rested.join('\n')));
        if (kept) {
            // The helper at rest, not its template, which may fork a spare meanwhile.
            const qint64 ticks = ticksOf("probe-helper", true);
            QTest::qWait(300);
            QCOMPARE(ticksOf("probe-helper", true), ticks);
        }
        QVERIFY(host.end());
    }

    void sendsEndAtTheCeiling()
    {
        // GIVEN a probe that reads no request
        Targets targets;
        TestFolder folder;
        const QString deaf = probeCalled(folder, "probe-deaf");
        QVERIFY(!deaf.isEmpty());
        // WHEN it is sent requests until a send is refused
        Host host(deaf, true, targets.written());
        const QString refused
            = lineStarting(host.linesUpTo(QString(), 60000), "sends refused after ");
        // THEN the sending thread is back at the ceiling, 10 s after the task began
        const qint64 ms = refused.section(' ', 0, 0).toLongLong();
        QVERIFY2(refused.endsWith("took longer than 10 s by the clock"), qPrintable(refused));
        QVERIFY2(ms < 10000 + waitBoundMs(1000), qPrintable(refused));
    }

    void unreadRequestsAreNotKept()
    {
        // GIVEN a probe that answers its request unread
        Targets targets;
        TestFolder folder;
        const QString unread = probeCalled(folder, "probe-unread");
        QVERIFY(!unread.isEmpty());
        Host host(unread, true, targets.written());
        const QStringList answer = host.answer();
        QVERIFY2(answer.contains("unread: answered"), qPrintable(answer.join('\n')));
        // WHEN it rests, THEN it is ended, and what it was sent with it
        QVERIFY(host.rest().contains("rest: ended"));
        QVERIFY(host.end());
    }

    void nothingOutlivesTheProgram()
    {
        // GIVEN a probe whose template left a process behind before the
        // probe sealed itself, then cleared its death signal, ignores
        // SIGXCPU and parked its threads
        Targets targets;
        TestFolder folder;
        const QString linger = probeCalled(folder, "probe-linger");
        QVERIFY(!linger.isEmpty());
        Host host(linger, true, targets.written());
        const QStringList answer = host.answer();
        QVERIFY2(answer.contains("answered") && probes("probe-linger").size() == 3,
            qPrintable(answer.join('\n') + '\n' + probes("probe-linger").join(' ')));
        QVERIFY2(!answer.contains("clear its death signal: done"), qPrintable(answer.join('\n')));
        // WHEN the program ends at once, killing nothing
        host.rest();
        QVERIFY(host.end());
        // THEN none of the probe's processes is left
        QVERIFY2(
            QTest::qWaitFor([] { return probes("probe-linger").isEmpty(); }, waitBoundMs(2000)),
            qPrintable(probes("probe-linger").join(' ')));
    }

    void foldersLeftByAKilledProgramGo()
    {
        // GIVEN the folder for helpers of a program that was killed, and one
        // of a program that runs
        TestFolder temporary;
        QProcess gone;
        gone.start("true", QStringList());
        QVERIFY(gone.waitForStarted());
        const qint64 goneId = gone.processId();
        QVERIFY(gone.waitForFinished());
        const QString left = QString("tessivar-helpers-%1-left").arg(goneId);
        const QString running = QString("tessivar-helpers-%1-running").arg(::getpid());
        for (const QString& base : {left, running})
            QVERIFY(QDir(temporary.path()).mkpath(base + "/XXXXXX/stage"));
        // WHEN a program starts its helpers there
        Targets targets;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TMPDIR", temporary.path());
        environment.remove("XDG_RUNTIME_DIR");
        QProcess host;
        host.setProcessEnvironment(environment);
        host.start(besideTest("probe-host"),
            {besideTest("probe-helper"), "unsandboxed", targets.written()});
        QByteArray said;
        while (!said.contains("answered") && host.waitForReadyRead(waitBoundMs(10000)))
            said += host.readAll();
        host.kill();
        host.waitForFinished();
        // THEN the killed program's is gone, the running one's kept
        QVERIFY(!QDir(temporary.path(left)).exists());
        QVERIFY(QDir(temporary.path(running)).exists());
    }

    void asAnOrdinaryUser()
    {
        if (qEnvironmentVariableIsSet(unprivilegedVariable))
            QSKIP("This copy runs as the ordinary user.");
        if (::getuid() != 0)
            QSKIP("The tests above ran as an ordinary user already.");
        const passwd* nobody = ::getpwnam("nobody");
        const QString setpriv = QStandardPaths::findExecutable("setpriv");
        if (!nobody || setpriv.isEmpty())
            QSKIP("There is no user nobody, or no setpriv, to run the probe as an ordinary user.");
        // GIVEN this test, its host and probe, copied where nobody reads them
        QTemporaryDir copies;
        const QString folder = copies.path();
        QDir(folder).mkpath("home");
        QDir(folder).mkpath("tmp");
        for (const char* owned : {"home", "tmp"})
            ::chown(QFile::encodeName(folder + '/' + owned).constData(), nobody->pw_uid,
                nobody->pw_gid);
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        QVERIFY(copiedInto(folder,
            {QCoreApplication::applicationFilePath(), besideTest("probe-host"),
                besideTest("probe-helper")}));
        // WHEN its confinement tests run there as nobody
        QProcess copy;
        QProcessEnvironment environment
            = withCopiedSuppressions(QProcessEnvironment::systemEnvironment(), folder);
        environment.insert(unprivilegedVariable, "1");
        environment.insert("HOME", folder + "/home");
        environment.insert("TMPDIR", folder + "/tmp");
        environment.remove("XDG_RUNTIME_DIR");
        copy.setProcessEnvironment(environment);
        copy.setProcessChannelMode(QProcess::MergedChannels);
        copy.start(setpriv,
            {"--reuid", QString::number(nobody->pw_uid), "--regid", QString::number(nobody->pw_gid),
                "--clear-groups", "--inh-caps=-all", "--",
                folder + '/' + QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                "waysOutStayClosed", "restingHoldsNothing"});
        QVERIFY(copy.waitForFinished(waitBoundMs(60000)));
        const QByteArray output = copy.readAll();
        // As setpriv tells a program it could not run.
        if (copy.exitCode() == 126 || copy.exitCode() == 127)
            QSKIP(qPrintable("nobody cannot run the copies here:\n" + output));
        // THEN they pass
        QVERIFY2(
            copy.exitStatus() == QProcess::NormalExit && copy.exitCode() == 0, output.constData());
    }
};

QTEST_GUILESS_MAIN(TestHelperConfinement)
#include "test_HelperConfinement.moc"
