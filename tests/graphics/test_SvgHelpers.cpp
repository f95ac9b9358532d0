#include "../common/RunawayBound.h"
#include "../common/StandardErrorInto.h"
#include "../common/TestFolder.h"
#include "DrawingProcesses.h"
#include "HelperInPlace.h"
#include "HostileSvg.h"
#include "PictureReader.h"
#include "SvgClientPool.h"
#include "Warnings.h"

#include <QGuiApplication>
#include <QScopeGuard>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <future>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using DAvuroD::PictureReader;
using DAvuroD::SvgClientPool;

namespace {

int openFds()
{
    return QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size();
}

// The memory files of drawings that this program maps.
int drawingMappings()
{
    QFile maps("/proc/self/maps");
    return maps.open(QIODevice::ReadOnly) ? int(maps.readAll().count("memfd:svg-")) : -1;
}

QList<qint64> childPids()
{
    QList<qint64> pids;
    for (const DrawingProcesses::Process& child : DrawingProcesses::anyChildren())
        pids << child.pid;
    return pids;
}

// Those not among the ones before, ended ones not yet reaped too.
QList<qint64> childPidsBeyond(const QList<qint64>& before)
{
    QList<qint64> beyond;
    for (const qint64 pid : childPids()) {
        if (!before.contains(pid))
            beyond << pid;
    }
    return beyond;
}

// The processor time the process ran, as the scheduler counts it.
qint64 ranNs(qint64 pid)
{
    QFile schedstat(QString("/proc/%1/schedstat").arg(pid));
    return schedstat.open(QIODevice::ReadOnly)
        ? schedstat.readAll().split(' ').value(0).toLongLong()
        : -1;
}

QByteArray naming(const QString& file)
{
    return HostileSvg::drawing(
        64, "<image width=\"64\" height=\"64\" xlink:href=\"" + file.toUtf8() + "\"/>");
}

QString fakeHelper(const TestFolder& folder, const QString& how)
{
    const QString link = folder.path(how);
    QFile::remove(link);
    QFile::link(QCoreApplication::applicationDirPath() + "/fake-svg-helper", link);
    return link;
}

// The program's helper under another path, whose template starts anew.
QString freshHelper(const TestFolder& folder, const QString& place)
{
    QDir(folder.path()).mkpath(place);
    const QString link = folder.path(place + '/' + SvgClientPool::helperName);
    QFile::link(SvgClientPool::instance().helper(), link);
    return link;
}

// A drawing the fake helper "waiting" waits on without end.
QByteArray held(int i)
{
    return HostileSvg::drawing(64, "<desc>held " + QByteArray::number(i) + "</desc>");
}

} // namespace

// The program and its SVG helpers: the program reads each answer as from a
// stranger and never waits past its limits, the helper runs confined, and
// the GUI thread never waits behind other drawings.
class TestSvgHelpers : public QObject
{
    Q_OBJECT

private slots:
    void misbehavingHelperGivesAMissingPicture_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("reason");
        // Drawings that wait on nothing are stopped in a moment; a hang is
        // stopped once the helper waited for 5 s, never before.
        QTest::addColumn<int>("waitsMs");
        const QString amiss = "its helper answered amiss";
        const QString hang = "was still waiting after 5 s";
        QTest::newRow("a packet of no bytes") << "zero-length-packet" << amiss << 0;
        QTest::newRow("a packet over 64 KiB") << "oversized-packet" << amiss << 0;
        // Its sandbox keeps the channel open: a helper that says nothing more.
        QTest::newRow("the channel closed while the helper lives on")
            << "closed-channel" << hang << 5000;
        QTest::newRow("an answer of the wrong kind") << "wrong-kind" << amiss << 0;
        QTest::newRow("a drawing of 9000 x 9000 for 16 x 16") << "drawn-larger" << amiss << 0;
        QTest::newRow("a canvas of 65535 x 65535 announced") << "huge-canvas" << amiss << 0;
        QTest::newRow("a canvas of INT_MAX x INT_MAX announced")
            << "overflowing-canvas" << amiss << 0;
        QTest::newRow("a descriptor passed with Ready") << "descriptor-with-ready"
                                                        << "did not start: " + amiss << 0;
        QTest::newRow("descriptors passed with an answer")
            << "descriptors-with-answer" << amiss << 0;
        QTest::newRow("more descriptors than a message holds")
            << "too-many-descriptors" << amiss << 0;
        QTest::newRow("a hang before Ready") << "hang-before-ready"
                                             << "did not start: " + hang << 5000;
        QTest::newRow("a hang after Ready") << "hang-after-ready" << hang << 5000;
        QTest::newRow("a helper stopped by a signal") << "stopped" << hang << 5000;
        QTest::newRow("a stack run out") << "deep"
                                         << "its helper ran out of stack" << 0;
        QTest::newRow("a fault") << "faulty"
                                 << "its helper crashed (Segmentation fault)" << 0;
    }

    void misbehavingHelperGivesAMissingPicture()
    {
        QFETCH(QString, how);
        QFETCH(QString, reason);
        QFETCH(int, waitsMs);
        // GIVEN a helper that answers amiss in place of the real one
        const QString icon = m_files.write("icon.svg", HostileSvg::dashedIcon());
        const HelperInPlace helper(fakeHelper(m_files, how));
        const int fds = openFds();
        const int mappings = drawingMappings();
        const QList<qint64> children = childPids();
        // WHEN a picture is read
        const Warnings warnings;
        QElapsedTimer clock;
        clock.start();
        const QImage image = PictureReader::readFitted(icon, QSize(16, 16));
        const qint64 elapsed = clock.elapsed();
        // THEN it is missing, for that reason, within the limits
        QVERIFY(image.isNull());
        QVERIFY2(warnings.all().contains(reason), qPrintable(warnings.all()));
        QVERIFY2(elapsed >= waitsMs, qPrintable(QString::number(elapsed)));
        QVERIFY2(elapsed < waitBoundMs(waitsMs + 1000), qPrintable(QString::number(elapsed)));
        // AND no descriptor, process or mapping of it is left, its process
        // reaped once it ended, on a busy machine after a while
        QCOMPARE(openFds(), fds);
        QCOMPARE(drawingMappings(), mappings);
        QTRY_COMPARE_WITH_TIMEOUT(childPidsBeyond(children), QList<qint64>(), waitBoundMs(1000));
    }

    void helperHoldingMoreAtRestIsEndedUnasked()
    {
        // GIVEN a helper that keeps a thread it made for its drawing
        const QString icon = m_files.write("icon.svg", HostileSvg::dashedIcon());
        const HelperInPlace helper(fakeHelper(m_files, "threading"));
        const QList<qint64> children = childPids();
        // WHEN a picture is read, and none after it
        const QImage image = PictureReader::readFitted(icon, QSize(16, 16));
        // THEN the picture is shown, and the helper ended for what it holds at rest
        QCOMPARE(image.pixel(8, 8), qRgb(0, 255, 0));
        QTRY_VERIFY_WITH_TIMEOUT(childPidsBeyond(children).isEmpty(), int(waitBoundMs(2000)));
    }

    void helperThatRanAtRestIsReplaced()
    {
        // GIVEN a helper at rest after a drawing, that runs whenever it is continued
        const QString icon = m_files.write("icon.svg", HostileSvg::dashedIcon());
        const HelperInPlace helper(fakeHelper(m_files, "restless"));
        const QList<qint64> children = childPids();
        QCOMPARE(PictureReader::readFitted(icon, QSize(16, 16)).pixel(8, 8), qRgb(0, 255, 0));
        qint64 restless = 0;
        for (const DrawingProcesses::Process& started : DrawingProcesses::anyChildren()) {
            if (started.name == "restless" && !children.contains(started.pid))
                restless = started.pid;
        }
        QVERIFY(restless != 0);
        QTRY_COMPARE_WITH_TIMEOUT(
            DrawingProcesses::process(restless).state, 'T', int(waitBoundMs(2000)));
        // WHEN another process continues it, and it runs 50 ms
        const qint64 ran = ranNs(restless);
        QCOMPARE(::kill(pid_t(restless), SIGCONT), 0);
        QTRY_VERIFY_WITH_TIMEOUT(ranNs(restless) - ran >= 50000000, int(waitBoundMs(2000)));
        // THEN the next picture is drawn by another helper, and the one that ran is ended
        QCOMPARE(PictureReader::readFitted(icon, QSize(16, 16)).pixel(8, 8), qRgb(0, 255, 0));
        QTRY_VERIFY_WITH_TIMEOUT(!childPids().contains(restless), int(waitBoundMs(3000)));
    }

    void helperRefusesWhatDrawingNeverNeeds()
    {
        // GIVEN a helper confined as the real one, that tries what drawing never needs
        const QString icon = m_files.write("icon.svg", HostileSvg::dashedIcon());
        const HelperInPlace helper(fakeHelper(m_files, "probe"));
        const Warnings warnings;
        // WHEN it is asked to draw, THEN each try was refused, a thread too:
        // it made those it needs before
        QVERIFY(PictureReader::readFitted(icon, QSize(16, 16)).isNull());
        const QString refused = "Operation not permitted";
        for (const char* call : {"socket", "write", "exec", "fork", "signal"})
            QVERIFY2(
                warnings.all().contains(call + QString(" ") + refused), qPrintable(warnings.all()));
        QVERIFY2(warnings.all().contains("thread refused"), qPrintable(warnings.all()));
        QVERIFY(!QFile::exists("/tmp/fake-svg-helper-probe"));
    }

    void helperRunsConfined()
    {
        // GIVEN a variable of the program that drawing does not need, and
        // helpers, and their template, started anew
        qputenv("TESSIVAR_PRIVATE", "the program's own");
        const auto unset = qScopeGuard([] { qunsetenv("TESSIVAR_PRIVATE"); });
        const HelperInPlace helper(freshHelper(m_files, "confined"));
        // WHEN a helper drew, from a thread
        const QString path = m_files.write("icon.svg", HostileSvg::dashedIcon());
        std::future<QImage> drawing
            = std::async(std::launch::async, [path] { return PictureReader::read(path); });
        QCOMPARE(drawing.get().size(), QSize(16, 16));
        // THEN each helper, the spares started beside it too, is at rest
        // once its rest is checked, off the drawing's path, and its /proc
        // entries show it confined
        const QList<DrawingProcesses::Process> helpers = DrawingProcesses::children();
        QVERIFY(!helpers.isEmpty());
        for (const DrawingProcesses::Process& drawer : helpers) {
            QTRY_COMPARE_WITH_TIMEOUT(
                DrawingProcesses::process(drawer.pid).state, 'T', int(waitBoundMs(2000)));
            verifyConfined(drawer.pid);
        }
    }

    void warningsReachThisProgramsStandardError()
    {
        // GIVEN this program's standard error a file
        const StandardErrorInto log(m_files.path("errors.log"));
        SvgClientPool::instance().setHelper(SvgClientPool::instance().helper());
        // WHEN a drawing that makes Qt warn is drawn
        const QString path = m_files.write("warns.svg", naming("missing.png"));
        const QImage image = PictureReader::read(path);
        SvgClientPool::instance().setHelper(SvgClientPool::instance().helper());
        // THEN it is shown, and the warning reached this program's standard
        // error as the helper's
        QCOMPARE(image.size(), QSize(64, 64));
        const QByteArray written = log.written();
        QVERIFY2(written.contains("tessivar-svg: ") && written.contains("missing.png"),
            written.constData());
    }

    void helpersSayABoundedAmount()
    {
        // GIVEN this program's standard error a file, and a helper that
        // writes a mebibyte to its own
        const StandardErrorInto log(m_files.path("chatter.log"));
        const HelperInPlace helper(fakeHelper(m_files, "chatty"));
        // WHEN it draws, THEN it refuses in a moment, and this program wrote
        // as much of its chatter as a task may, then said it left the rest out
        const QString icon = m_files.write("icon.svg", HostileSvg::dashedIcon());
        QVERIFY(PictureReader::read(icon).isNull());
        const QByteArray written = log.written();
        QVERIFY2(written.size() < 80 << 10, qPrintable(QString::number(written.size())));
        QVERIFY2(written.contains("chatty: what it wrote beyond this is left out"),
            written.right(300).constData());
    }

    void guiThreadNeverWaitsBehindOtherDrawings()
    {
        // GIVEN every helper of the pool waiting without end, each on a
        // drawing of a folder of its own; each started before, with the
        // GUI thread's, so that their waits, which count from the drawing's
        // start, begin together and the icon is drawn well within them
        const HelperInPlace helper(fakeHelper(m_files, "waiting"));
        const QString icon = m_files.write("icon.svg", HostileSvg::dashedIcon());
        QCOMPARE(PictureReader::read(m_files.write("started.svg", HostileSvg::dashedIcon())).size(),
            QSize(16, 16));
        std::vector<std::future<QImage>> others;
        QStringList heldPaths;
        for (int i = 0; i < QThread::idealThreadCount(); ++i) {
            QDir(m_files.path()).mkpath(QString("folder%1").arg(i));
            const QString started
                = m_files.write(QString("folder%1/started.svg").arg(i), HostileSvg::dashedIcon());
            heldPaths << m_files.write(QString("folder%1/held.svg").arg(i), held(i));
            others.push_back(
                std::async(std::launch::async, [started] { return PictureReader::read(started); }));
        }
        for (std::future<QImage>& other : others)
            QCOMPARE(other.get().size(), QSize(16, 16));
        others.clear();
        for (const QString& path : qAsConst(heldPaths))
            others.push_back(
                std::async(std::launch::async, [path] { return PictureReader::read(path); }));
        QTRY_VERIFY_WITH_TIMEOUT(
            waitingHelpers() == QThread::idealThreadCount(), waitBoundMs(2000));
        // WHEN the GUI thread reads an icon
        QCOMPARE(PictureReader::read(icon).size(), QSize(16, 16));
        // THEN it is drawn while they all still wait
        for (std::future<QImage>& other : others)
            QVERIFY(other.wait_for(std::chrono::seconds(0)) == std::future_status::timeout);
        // AND a document's drawing that waits keeps within the document's 3 s
        QFile slow(m_files.write("slow.svg", held(-1)));
        QVERIFY(slow.open(QIODevice::ReadOnly));
        PictureReader::Budget budget;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(PictureReader::read(&slow, &budget).isNull());
        QVERIFY(budget.outOfSvgTime);
        QVERIFY2(budget.svgMs <= 0 && budget.svgMs > -runawayBoundMs(250),
            qPrintable(QString::number(budget.svgMs)));
        QVERIFY2(clock.elapsed() >= PictureReader::Budget::svgDrawingMs
                && clock.elapsed() < waitBoundMs(PictureReader::Budget::svgDrawingMs),
            qPrintable(QString::number(clock.elapsed())));
        // AND the others end at their limit of waiting
        for (std::future<QImage>& other : others)
            QVERIFY(other.wait_for(std::chrono::milliseconds(waitBoundMs(5000)))
                == std::future_status::ready);
    }

    void givenUpDrawingIsNotDrawnAgain()
    {
        // GIVEN a drawing given up once its helper waited 5 s on it
        const HelperInPlace helper(fakeHelper(m_files, "waiting"));
        const QString path = m_files.write("stuck.svg", held(0));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("was still waiting after 5 s"));
        QVERIFY(PictureReader::read(path).isNull());
        // WHEN it is read again, fitted, THEN it is refused without a wait
        const Warnings warnings;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(PictureReader::readFitted(path, QSize(16, 16)).isNull());
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(warnings.all().contains("was still waiting after 5 s (given up before)"),
            qPrintable(warnings.all()));
        // AND a document showing it, a scope of its own, tries it anew
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        PictureReader::Budget budget;
        const Warnings inDocument;
        QVERIFY(PictureReader::read(&file, &budget).isNull());
        QVERIFY2(!inDocument.all().contains("given up before"), qPrintable(inDocument.all()));
        // AND once the file is another, it is drawn
        m_files.write("stuck.svg", HostileSvg::dashedIcon());
        QCOMPARE(PictureReader::readFitted(path, QSize(16, 16)).size(), QSize(16, 16));
    }

    void memoryFailureBarsOnlyLargerCanvases()
    {
        // GIVEN a helper that needs too much memory for a canvas of a megapixel or more
        const HelperInPlace helper(fakeHelper(m_files, "greedy"));
        const QString path = m_files.write("greedy.svg", HostileSvg::dashedIcon());
        const Warnings warnings;
        // WHEN it fails at 2000 x 2000
        QVERIFY(PictureReader::readFitted(path, QSize(2000, 2000)).isNull());
        QVERIFY2(warnings.all().contains("needed more than"), qPrintable(warnings.all()));
        // THEN a larger canvas is refused without drawing, and a smaller one is drawn
        QVERIFY(PictureReader::readFitted(path, QSize(3000, 3000)).isNull());
        QVERIFY2(warnings.all().contains("(given up before)"), qPrintable(warnings.all()));
        QCOMPARE(PictureReader::readFitted(path, QSize(100, 100)).size(), QSize(100, 100));
    }

private:
    // The helpers of the fake that waits, waiting.
    static int waitingHelpers()
    {
        int waiting = 0;
        for (const DrawingProcesses::Process& child : DrawingProcesses::anyChildren())
            waiting += child.name == "waiting" && child.state == 'S';
        return waiting;
    }

    void verifyConfined(qint64 pid)
    {
        const QByteArray status = procFile(pid, "status");
        QVERIFY2(status.contains("NoNewPrivs:\t1"), status.constData());
        QVERIFY2(status.contains("Seccomp:\t2"), status.constData());
        QVERIFY2(status.contains("CapEff:\t0000000000000000"), status.constData());
        QVERIFY2(status.contains("CapBnd:\t0000000000000000"), status.constData());
        // In namespaces of its own
        for (const char* space : {"user", "pid", "ipc", "net", "uts", "cgroup", "mnt"}) {
            const QString mine = QFile::symLinkTarget(QString("/proc/self/ns/%1").arg(space));
            const QString its = QFile::symLinkTarget(QString("/proc/%1/ns/%2").arg(pid).arg(space));
            QVERIFY2(!its.isEmpty() && its != mine, qPrintable(its));
        }
        const QByteArray limits = procFile(pid, "limits").simplified();
        QVERIFY2(limits.contains("Max core file size 0 0 bytes"), limits.constData());
        QVERIFY2(limits.contains("Max file size 0 0 bytes"), limits.constData());
        QVERIFY2(limits.contains("Max open files 64 64 files"), limits.constData());
        QVERIFY2(!limits.contains("Max cpu time unlimited"), limits.constData());
        // Its stack is smaller than this program's, which does its work below frames of its own.
        rlimit stack {};
        QCOMPARE(::getrlimit(RLIMIT_STACK, &stack), 0);
        const QString helperStack
            = QString::fromLatin1(limits).section("Max stack size ", 1).section(' ', 0, 0);
        QVERIFY2(helperStack.toULongLong() < stack.rlim_cur, qPrintable(helperStack));
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
        QVERIFY2(!limits.contains("Max data size unlimited"), limits.constData());
        QVERIFY2(!limits.contains("Max address space unlimited"), limits.constData());
#endif
        // Its standard error a pipe, never the program's terminal or file
        QVERIFY2(QFile::symLinkTarget(QString("/proc/%1/fd/2").arg(pid)).contains("pipe:"),
            qPrintable(QFile::symLinkTarget(QString("/proc/%1/fd/2").arg(pid))));
        const QList<QByteArray> environment = procFile(pid, "environ").split('\0');
        QVERIFY(environment.contains("QT_QPA_PLATFORM=offscreen"));
        const QByteArrayList needed {"QT_QPA_PLATFORM", "HOME", "LANG", "LANGUAGE", "LC_ALL",
            "LC_CTYPE", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS",
            "XDG_CACHE_HOME", "FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT",
            "LD_LIBRARY_PATH", "QT_PLUGIN_PATH", "ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS",
            "TSAN_OPTIONS",
            // Its runtime folder, what it reads, its folder, and that it was
            // a template before it was forked.
            "XDG_RUNTIME_DIR", "TESSIVAR_HELPER_READS", "TESSIVAR_HELPER_FOLDER",
            "TESSIVAR_HELPER_TEMPLATE",
            // Its template's working folder in the sandbox, "/".
            "PWD"};
        for (const QByteArray& variable : environment) {
            if (!variable.isEmpty())
                QVERIFY2(
                    needed.contains(variable.left(variable.indexOf('='))), variable.constData());
        }
    }

    static QByteArray procFile(qint64 pid, const char* name)
    {
        QFile file(QString("/proc/%1/%2").arg(pid).arg(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TestFolder m_files;
};

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    TestSvgHelpers test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_SvgHelpers.moc"
