#include "../common/PeakMemory.h"
#include "../common/RunawayBound.h"
#include "../common/TestFolder.h"
#include "../common/ThreadTime.h"
#include "DrawingProcesses.h"
#include "HostilePicture.h"
#include "HostileSvg.h"
#include "PictureLoader.h"
#include "PictureReader.h"
#include "SvgClient.h"
#include "SvgClientPool.h"
#include "Warnings.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>
#include <QProcess>
#include <QScopeGuard>
#include <QtTest>

#include <csignal>
#include <future>
#include <mutex>
#include <sys/stat.h>

using DAvuroD::PictureReader;
using DAvuroD::SvgClient;
using DAvuroD::SvgClientPool;

namespace {

// The program's memory may grow by this much through the hostile drawings, in KiB.
// The program holds the text of an SVG it has drawn, at most 8 MiB each;
// ThreadSanitizer shadows each byte it holds with several more.
#if defined(__SANITIZE_THREAD__)
constexpr qint64 mostGrowthKiB = 150 * 1024;
#else
constexpr qint64 mostGrowthKiB = 50 * 1024;
#endif

// A drawing answered within the limits of its helper, its processor time
// and its waiting, which a busy machine stretches on the wall clock.
constexpr int answeredWithinMs = waitBoundMs(SvgClient::cpuLimitMs + SvgClient::waitLimitMs);

QImage readAs(const QString& how, const QString& path, const QSize& bound)
{
    if (how == "fitted")
        return PictureReader::readFitted(path, bound);
    if (how == "stretched")
        return PictureReader::readStretched(path, bound);
    if (how == "data") {
        QFile file(path);
        QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        QBuffer data(&bytes);
        return PictureReader::read(&data);
    }
    return PictureReader::read(path);
}

// The picture QImageReader draws in this process, at the size read() gave.
QImage drawnByQt(const QString& path, const QSize& size)
{
    QImageReader reader(path);
    reader.setScaledSize(size);
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The largest difference of a channel between two pictures of one size.
int largestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* one = reinterpret_cast<const uchar*>(a.constScanLine(y));
        const auto* other = reinterpret_cast<const uchar*>(b.constScanLine(y));
        for (int x = 0; x < a.width() * 4; ++x)
            largest = qMax(largest, qAbs(one[x] - other[x]));
    }
    return largest;
}

} // namespace

// SVG pictures drawn by the program's drawing processes: as Qt draws them,
// and within the limits of a process whatever they hold.
class TestSvgPictures : public QObject
{
    Q_OBJECT

private slots:
    void ordinarySvgIsShownAsQtDrawsIt_data()
    {
        QTest::addColumn<QByteArray>("svg");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QSize>("bound");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("16 x 16 icon")
            << HostileSvg::dashedIcon() << "whole" << QSize() << QSize(16, 16);
        QTest::newRow("16 x 16 icon fitted into 256 x 256")
            << HostileSvg::dashedIcon() << "fitted" << QSize(256, 256) << QSize(256, 256);
        QTest::newRow("400 x 300 diagram with text")
            << HostileSvg::dashedDiagram() << "whole" << QSize() << QSize(400, 300);
        QTest::newRow("the diagram fitted into a thumbnail")
            << HostileSvg::dashedDiagram() << "fitted" << QSize(80, 80) << QSize(80, 60);
        QTest::newRow("the diagram stretched")
            << HostileSvg::dashedDiagram() << "stretched" << QSize(90, 50) << QSize(90, 50);
        QTest::newRow("the diagram from data")
            << HostileSvg::dashedDiagram() << "data" << QSize() << QSize(400, 300);
        QTest::newRow("application icon of 5000 short segments")
            << HostileSvg::detailedIcon(5000) << "whole" << QSize() << QSize(256, 256);
        QTest::newRow("compressed icon")
            << gzipped(HostileSvg::dashedIcon()) << "whole" << QSize() << QSize(16, 16);
        QTest::newRow("320 drawings nested")
            << HostileSvg::nestedDrawings(320) << "whole" << QSize() << QSize(100, 100);
        QTest::newRow("800 drawings nested")
            << HostileSvg::nestedDrawings(800) << "whole" << QSize() << QSize(100, 100);
        QTest::newRow("800 drawings nested, fitted into 256 x 256")
            << HostileSvg::nestedDrawings(800) << "fitted" << QSize(256, 256) << QSize(256, 256);
    }

    void ordinarySvgIsShownAsQtDrawsIt()
    {
        QFETCH(QByteArray, svg);
        QFETCH(QString, how);
        QFETCH(QSize, bound);
        // GIVEN a drawing as users have them, WHEN it is read
        const QString path = m_files.write("ordinary.svg", svg);
        const QImage image = readAs(how, path, bound);
        // THEN it comes at its size, with the pixels Qt's own reader draws
        QTEST(image.size(), "expected");
        const QImage qt = drawnByQt(path, image.size());
        QCOMPARE(image.format(), qt.format());
        QCOMPARE(largestDifference(image, qt), 0);
    }

    // Each drawing is stopped by a limit of its process, or drawn within them.
    void hostileSvgIsAnsweredWithinTheLimits_data()
    {
        QTest::addColumn<QByteArray>("svg");
        QTest::newRow("an entity used 20000 times in a style") << HostileSvg::entityInStyle();
        QTest::newRow("text of 200000 references to an entity") << HostileSvg::entityText();
        QTest::newRow("an element of 60000 attributes") << HostileSvg::manyAttributes();
        QTest::newRow("5000 class rules over elements of 1000 classes") << HostileSvg::classLists();
        QTest::newRow("a gradient of 90000 stops") << HostileSvg::manyStops();
        QTest::newRow("400 radial fills composed soft-light") << HostileSvg::compositionModes();
        QTest::newRow("a picture drawn 7000 times turned and translucent")
            << HostileSvg::rotatedPictures();
        QTest::newRow("2000 translucent circles over 8000 x 8000")
            << HostileHtml::svgCircles(8000, 2000);
        QTest::newRow("an image embedding 20000 x 20000 pixels")
            << HostileSvg::imageNamingTwo(hugePicture(20000), hugePicture(16));
        QTest::newRow("a million empty style rules") << HostileSvg::manyStyleRules(1000000);
        QTest::newRow("a style sheet instruction naming the zero device")
            << HostileSvg::styleFile("/dev/zero");
    }

    void hostileSvgIsAnsweredWithinTheLimits()
    {
        QFETCH(QByteArray, svg);
        // GIVEN a drawing slow to read or draw, or that fills the memory
        const QString path = m_files.write("hostile.svg", svg);
        if (!resetPeakMemory())
            QSKIP("The peak memory cannot be reset here.");
        const qint64 peakBefore = peakMemoryKiB();
        // WHEN it is read whole from its file and from data, and fitted, at once
        const Warnings warnings;
        std::vector<std::future<std::pair<QImage, qint64>>> reads;
        for (const QString how : {"whole", "data", "fitted"})
            reads.push_back(std::async(std::launch::async, [how, path] {
                const ThreadTime clock;
                const QImage image = readAs(how, path, QSize(256, 256));
                return std::make_pair(image, clock.elapsedMs());
            }));
        // THEN each is drawn, or refused for a limit, within the limits, and the
        // program's memory hardly grows
        int refused = 0;
        for (auto& read : reads) {
            const auto [image, milliseconds] = read.get();
            QVERIFY2(milliseconds < answeredWithinMs, qPrintable(QString::number(milliseconds)));
            refused += image.isNull();
        }
        QCOMPARE(warnings.all().count("Refused picture"), refused);
        const qint64 growth = peakMemoryKiB() - peakBefore;
        QVERIFY2(growth < mostGrowthKiB, qPrintable(QString("%1 KiB").arg(growth)));
    }

    // A file the drawing names beside it that is no regular file, which may
    // block its read or never end, is not read: the drawing shows at once,
    // without it.
    void filesNamedBesideAreReadWithinTheLimits_data()
    {
        QTest::addColumn<QString>("named");
        QTest::newRow("a pipe nobody writes") << "pipe";
        QTest::newRow("a link to the zero device") << "zero";
    }

    void filesNamedBesideAreReadWithinTheLimits()
    {
        QFETCH(QString, named);
        // GIVEN a drawing whose picture is a file beside it
        const QString beside = m_files.path(named);
        QFile::remove(beside);
        if (named == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(beside).constData(), 0600), 0);
        else
            QVERIFY(QFile::link("/dev/zero", beside));
        const QString path = m_files.write("beside.svg",
            HostileSvg::drawing(
                64, "<image width=\"64\" height=\"64\" xlink:href=\"" + named.toUtf8() + "\"/>"));
        // WHEN it is read, THEN it is drawn without it within the limits
        const ThreadTime clock;
        const QImage image = PictureReader::read(path);
        QVERIFY2(
            clock.elapsedMs() < answeredWithinMs, qPrintable(QString::number(clock.elapsedMs())));
        QCOMPARE(image.size(), QSize(64, 64));
    }

    // Killed from outside, a process takes only its drawing with it.
    void killedProcessLosesOnlyItsDrawing()
    {
        // GIVEN a drawing that takes its process long
        const QString slow = m_files.write("slow.svg", HostileSvg::manyAttributes());
        const QString icon = m_files.write("icon.svg", HostileSvg::dashedIcon());
        const Warnings warnings;
        std::future<QImage> drawing = std::async(
            std::launch::async, [slow] { return PictureReader::readFitted(slow, QSize(64, 64)); });
        // WHEN its process is killed while it draws: the one that runs on, not
        // another helper that runs a moment as it ends
        qint64 drawer = 0;
        QVERIFY(QTest::qWaitFor(
            [&] {
                drawer = DrawingProcesses::busyOfThisProgram();
                QTest::qWait(200);
                return drawer > 0 && DrawingProcesses::process(drawer).state == 'R';
            },
            waitBoundMs(5000)));
        QCOMPARE(::kill(pid_t(drawer), SIGKILL), 0);
        // THEN that picture is missing, for that reason, and the next one is drawn
        QVERIFY(drawing.get().isNull());
        QVERIFY2(warnings.all().contains("crashed"), qPrintable(warnings.all()));
        QCOMPARE(PictureReader::read(icon).size(), QSize(16, 16));
        // AND processes killed while they wait cost no drawing either
        // (a spare forked meanwhile too)
        QVERIFY(QTest::qWaitFor(
            [] {
                const QList<qint64> idle = DrawingProcesses::ofThisProgram();
                for (const qint64 pid : idle)
                    ::kill(pid_t(pid), SIGKILL);
                return idle.isEmpty();
            },
            waitBoundMs(5000)));
        const Warnings after;
        QVERIFY2(PictureReader::read(icon).size() == QSize(16, 16), qPrintable(after.all()));
    }

    void processesEndWithTheProgram_data()
    {
        QTest::addColumn<bool>("killed");
        QTest::newRow("the program quits") << false;
        QTest::newRow("the program is killed, its processes stopped") << true;
    }

    void processesEndWithTheProgram()
    {
        QFETCH(bool, killed);
        // GIVEN this program, started again to draw drawings in four threads and tell its
        // processes
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DRAW_AND_TELL", m_files.write("tell.svg", HostileSvg::dashedIcon()));
        environment.insert("STAY", killed ? "1" : "0");
        program.setProcessEnvironment(environment);
        program.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(program.waitForReadyRead(waitBoundMs(5000)));
        QList<qint64> processes;
        for (const QByteArray& pid : program.readLine().trimmed().split(' '))
            processes << pid.toLongLong();
        QVERIFY(!processes.isEmpty() && processes.first() > 0);
        // WHEN it ends, or is killed while its processes are stopped
        if (killed) {
            for (const qint64 pid : processes)
                QCOMPARE(::kill(pid_t(pid), SIGSTOP), 0);
            program.kill();
        }
        QVERIFY(program.waitForFinished(waitBoundMs(5000)));
        // THEN none of its processes is left
        for (const qint64 pid : processes)
            QVERIFY2(QTest::qWaitFor(
                         [pid] { return !DrawingProcesses::isRunning(pid); }, waitBoundMs(1000)),
                qPrintable(QString::number(pid)));
    }

    void missingHelperShowsDrawingsAsMissing()
    {
        // GIVEN no helper where the program looks for it
        SvgClientPool& pool = SvgClientPool::instance();
        const QString helper = pool.helper();
        const auto restore = qScopeGuard([&] { pool.setHelper(helper); });
        pool.setHelper(m_files.path("no-helper"));
        const QString path = m_files.write("icon.svg", HostileSvg::dashedIcon());
        // WHEN a drawing is read, THEN it is missing, for that reason
        QTest::ignoreMessage(QtWarningMsg,
            QRegularExpression("Refused picture .*icon.svg: the helper .*no-helper "
                               "cannot start: No such file"));
        QVERIFY(PictureReader::read(path).isNull());
        // AND with the helper back, it is drawn
        pool.setHelper(helper);
        QCOMPARE(PictureReader::read(path).size(), QSize(16, 16));
    }

    // Threads that draw at once share the processes, one for each core at most.
    void threadsDrawAtOnce()
    {
        QStringList paths;
        for (int i = 0; i < 64; ++i)
            paths << m_files.write(QString("d%1.svg").arg(i),
                HostileSvg::drawing(32 + i, "<circle cx=\"16\" cy=\"16\" r=\"12\" fill=\"red\"/>"));
        DAvuroD::PictureLoader loader;
        QSignalSpy loaded(&loader, &DAvuroD::PictureLoader::pictureLoaded);
        QSignalSpy finished(&loader, &DAvuroD::PictureLoader::finished);
        int most = 0;
        QTimer counter;
        connect(&counter, &QTimer::timeout,
            [&] { most = qMax(most, int(DrawingProcesses::ofThisProgram().size())); });
        counter.start(5);
        loader.start(paths, QSize(128, 128));
        QVERIFY(finished.wait(waitBoundMs(10000)));
        QCOMPARE(loaded.size(), 64);
        for (const QList<QVariant>& picture : qAsConst(loaded))
            QCOMPARE(picture.at(2).value<QImage>().size(), QSize(128, 128));
        // One for each core, and the spares that serve nobody yet.
        QVERIFY2(most <= QThread::idealThreadCount() + SvgClientPool::keptSpares,
            qPrintable(QString::number(most)));
    }

private:
    TestFolder m_files;
};

// Started with DRAW_AND_TELL, draws that drawing in four threads, prints its
// drawing processes, and ends, or stays until it is killed with STAY=1.
int drawAndTell(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    const QString path = qEnvironmentVariable("DRAW_AND_TELL");
    std::vector<std::future<QImage>> drawings;
    for (int i = 0; i < 4; ++i)
        drawings.push_back(
            std::async(std::launch::async, [path] { return PictureReader::read(path); }));
    for (std::future<QImage>& drawing : drawings)
        drawing.wait();
    QStringList pids;
    for (const qint64 pid : DrawingProcesses::ofThisProgram())
        pids << QString::number(pid);
    std::printf("%s\n", qPrintable(pids.join(' ')));
    std::fflush(stdout);
    while (qEnvironmentVariable("STAY") == "1")
        QThread::sleep(1);
    return 0;
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet("DRAW_AND_TELL"))
        return drawAndTell(argc, argv);
    QGuiApplication application(argc, argv);
    TestSvgPictures test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_SvgPictures.moc"
