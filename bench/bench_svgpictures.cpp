// SVG pictures: every SVG of this machine read through PictureReader, which
// has its helper process draw it, beside Qt's own image reader in this
// process, at its own size and fitted into 256 x 256; the first drawing of a
// run, which waits for its process to start; a folder view of them all;
// and drawings made slow to read or draw, or to fill the memory, with the
// peak memory of this program and of its helpers.
#include "../tests/common/GuiStalls.h"
#include "../tests/common/PeakMemory.h"
#include "../tests/graphics/HostilePicture.h"
#include "../tests/graphics/HostileSvg.h"
#include "DrawingProcessMemory.h"
#include "HelperSandbox.h"
#include "IconView.h"
#include "PictureLoader.h"
#include "PictureReader.h"
#include "QtSvgReader.h"
#include "SvgClientPool.h"
#include "TemporaryHome.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QMutex>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <ftw.h>

#include <iterator>
#include <utility>

using DAvuroD::PictureReader;

namespace {

QStringList& found()
{
    static QStringList paths;
    return paths;
}

int collect(const char* path, const struct stat*, int type, struct FTW*)
{
    const QString name = QString::fromLocal8Bit(path);
    if (type == FTW_F && (name.endsWith(".svg") || name.endsWith(".svgz")))
        found() << name;
    return 0;
}

// Every SVG of the file system the root is on, as find / -xdev lists them,
// but those of the temporary folder, which tests and benchmarks make.
const QStringList& machineSvgs()
{
    static const QStringList svgs = [] {
        nftw("/", collect, 64, FTW_MOUNT | FTW_PHYS);
        const QString temporary = QDir::tempPath() + '/';
        QStringList paths;
        for (const QString& path : found()) {
            if (!path.startsWith(temporary))
                paths << path;
        }
        return paths;
    }();
    return svgs;
}

// Those Qt's reader crashes on or does not finish, and why.
const QMap<QString, QString>& unreadableByQt()
{
    static const QMap<QString, QString> unreadable = QtSvgReader::unreadable(machineSvgs());
    return unreadable;
}

// Why PictureReader refused the last picture it refused, kept instead of
// told, from any thread.
QMutex refusalMutex;
QString lastRefusal;
QtMessageHandler otherMessages = nullptr;

void keepRefusals(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtWarningMsg || qstrcmp(context.category, "tessivar.trace") != 0
        || !text.startsWith("Refused picture"))
        return otherMessages(type, context, text);
    const QMutexLocker lock(&refusalMutex);
    lastRefusal = text.mid(text.indexOf(": ") + 2);
}

QString takeRefusal()
{
    const QMutexLocker lock(&refusalMutex);
    return std::exchange(lastRefusal, QString());
}

double elapsedMs(const QElapsedTimer& clock)
{
    return clock.nsecsElapsed() / 1e6;
}

// The pool's processes are ended; the next drawing starts one.
void restartDrawingProcesses()
{
    DAvuroD::SvgClientPool& pool = DAvuroD::SvgClientPool::instance();
    pool.setHelper(pool.helper());
}

// The largest difference of a channel between two pictures of one size.
int largestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* one = a.constScanLine(y);
        const auto* other = b.constScanLine(y);
        for (int x = 0; x < a.width() * 4; ++x)
            largest = qMax(largest, qAbs(one[x] - other[x]));
    }
    return largest;
}

// The drawings one reader showed: how many, their time, and the slowest.
struct Column
{
    int shown = 0;
    double totalMs = 0;
    double worstMs = 0;
    QString worst;

    void add(const QString& path, const QImage& image, double ms)
    {
        shown += !image.isNull();
        totalMs += ms;
        if (ms > worstMs) {
            worstMs = ms;
            worst = QFileInfo(path).fileName();
        }
    }
};

// How PictureReader's drawings differ from Qt's.
struct Differences
{
    int largest = 0;
    QString ofLargest;
    int aboveTwo = 0;
    int sizesDiffer = 0;
    int shownByOne = 0;

    void add(const QString& path, const QImage& ours, const QImage& qt, const QString& why)
    {
        const char* shownBy = ours.isNull() ? (qt.isNull() ? "neither" : "Qt only")
                                            : (qt.isNull() ? "PictureReader only" : nullptr);
        if (shownBy)
            std::fprintf(stderr, "shown by %s: %s%s\n", shownBy, qPrintable(path),
                qPrintable(why.isEmpty() ? why : ": " + why));
        if (ours.isNull() != qt.isNull()) {
            ++shownByOne;
        } else if (ours.size() != qt.size()) {
            ++sizesDiffer;
        } else if (!ours.isNull()) {
            const int difference = largestDifference(ours, qt);
            aboveTwo += difference > 2;
            if (difference > largest) {
                largest = difference;
                ofLargest = QFileInfo(path).fileName();
            }
        }
    }
};

struct Timed
{
    QImage image;
    double ms = 0;
};

template <typename Read> Timed timed(const Read& read)
{
    QElapsedTimer clock;
    clock.start();
    QImage image = read();
    return Timed {image, elapsedMs(clock)};
}

QImage readThroughPictureReader(const QString& path, bool fit)
{
    return fit ? PictureReader::readFitted(path, QtSvgReader::bound) : PictureReader::read(path);
}

void setMachineCounters(benchmark::State& state, const Column& ours, double oursOfQtFilesMs,
    const Column& qt, const Differences& differences)
{
    state.counters["files"] = machineSvgs().size();
    state.counters["qt_skipped"] = unreadableByQt().size();
    state.counters["shown"] = ours.shown;
    state.counters["qt_shown"] = qt.shown;
    state.counters["total_ms"] = ours.totalMs;
    state.counters["qt_total_ms"] = qt.totalMs;
    state.counters["ratio"] = qt.totalMs > 0 ? oursOfQtFilesMs / qt.totalMs : 0;
    state.counters["worst_ms"] = ours.worstMs;
    state.counters["qt_worst_ms"] = qt.worstMs;
    state.counters["largest_difference"] = differences.largest;
    state.counters["above_2"] = differences.aboveTwo;
    state.counters["sizes_differ"] = differences.sizesDiffer;
    state.counters["shown_by_one"] = differences.shownByOne;
    const QString largest = differences.ofLargest.isEmpty()
        ? QString("no pixel differs")
        : "largest difference in " + differences.ofLargest;
    state.SetLabel(
        QString("slowest %1, Qt %2; %3").arg(ours.worst, qt.worst, largest).toStdString());
}

// Each SVG of the machine read by PictureReader, from a run's start, and
// by Qt's reader in this process: the time of each, the ratio of their
// totals over the files both read, and how their pictures differ.
void machineSvgPictures(benchmark::State& state)
{
    const bool fit = state.range(0);
    for (const auto& [path, why] : unreadableByQt().toStdMap())
        std::fprintf(stderr, "not read by Qt here: %s: %s\n", qPrintable(path), qPrintable(why));
    for (auto _ : state) {
        restartDrawingProcesses();
        Column ours;
        Column qt;
        Differences differences;
        double oursOfQtFilesMs = 0;
        for (int i = 0; i < machineSvgs().size(); ++i) {
            const QString& path = machineSvgs().at(i);
            const bool alsoQt = !unreadableByQt().contains(path);
            // Each goes first every other file, so that neither finds the other's work done.
            const bool qtFirst = i % 2;
            Timed byQt;
            if (alsoQt && qtFirst)
                byQt = timed([&] { return QtSvgReader::read(path, fit); });
            const Timed byUs = timed([&] { return readThroughPictureReader(path, fit); });
            const QString why = takeRefusal();
            if (alsoQt && !qtFirst)
                byQt = timed([&] { return QtSvgReader::read(path, fit); });
            ours.add(path, byUs.image, byUs.ms);
            if (!alsoQt)
                continue;
            oursOfQtFilesMs += byUs.ms;
            qt.add(path, byQt.image, byQt.ms);
            differences.add(path, byUs.image, byQt.image, why);
        }
        state.SetIterationTime(ours.totalMs / 1000);
        setMachineCounters(state, ours, oursOfQtFilesMs, qt, differences);
    }
}

// A drawing of the machine that Qt's reader shows.
QString ordinaryDrawing()
{
    for (const QString& path : machineSvgs()) {
        if (!unreadableByQt().contains(path) && !QtSvgReader::read(path, false).isNull())
            return path;
    }
    return QString();
}

// The first drawing of a run, whose process starts for it in its sandbox or
// without one, against the same drawing once its process runs and Qt's
// reader drawing it here.
void firstSvgOfRun(benchmark::State& state)
{
    const bool sandboxed = state.range(0);
    HelperSandbox::setBubblewrap(
        sandboxed ? QStandardPaths::findExecutable(QStringLiteral("bwrap")) : QString());
    const QString path = ordinaryDrawing();
    double firstMs = 0;
    double againMs = 0;
    double qtMs = 0;
    double mostStartMs = 0;
    for (auto _ : state) {
        restartDrawingProcesses();
        QElapsedTimer clock;
        clock.start();
        if (PictureReader::read(path).isNull())
            state.SkipWithError("not shown");
        const double first = elapsedMs(clock);
        clock.start();
        PictureReader::read(path);
        const double again = elapsedMs(clock);
        clock.start();
        QtSvgReader::read(path, false);
        const double byQt = elapsedMs(clock);
        state.SetIterationTime(first / 1000);
        firstMs += first;
        againMs += again;
        qtMs += byQt;
        mostStartMs = qMax(mostStartMs, first - byQt);
    }
    state.counters["first_ms"] = benchmark::Counter(firstMs, benchmark::Counter::kAvgIterations);
    state.counters["again_ms"] = benchmark::Counter(againMs, benchmark::Counter::kAvgIterations);
    state.counters["qt_ms"] = benchmark::Counter(qtMs, benchmark::Counter::kAvgIterations);
    state.counters["most_first_over_qt_ms"] = mostStartMs;
    state.SetLabel(QFileInfo(path).fileName().toStdString());
}

// A folder of links to every SVG of the machine, loaded by a shown view:
// the time to its last thumbnail, and the longest the GUI thread went
// without running a 5 ms timer.
void machineSvgsIntoIconView(benchmark::State& state)
{
    QTemporaryDir folder;
    for (int i = 0; i < machineSvgs().size(); ++i)
        QFile::link(machineSvgs().at(i),
            folder.filePath(
                QString("%1-%2").arg(i).arg(QFileInfo(machineSvgs().at(i)).fileName())));
    for (auto _ : state) {
        restartDrawingProcesses();
        DORuverud::IconView view;
        view.resize(800, 600);
        view.show();
        QElapsedTimer clock;
        qint64 lastMs = 0;
        QObject::connect(view.model(), &QAbstractItemModel::rowsInserted, &view,
            [&] { lastMs = clock.elapsed(); });
        GuiStalls stalls;
        clock.start();
        stalls.start();
        view.addItems(folder.path());
        stalls.mark();
        bool loaded = false;
        QObject::connect(view.findChild<DAvuroD::PictureLoader*>(),
            &DAvuroD::PictureLoader::finished, [&] { loaded = true; });
        while (!loaded)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        state.SetIterationTime(double(lastMs) / 1000);
        state.counters["files"] = machineSvgs().size();
        state.counters["thumbnails"] = view.count();
        state.counters["last_thumbnail_ms"] = double(lastMs);
        state.counters["longest_stall_ms"] = double(stalls.longestMs());
    }
}

struct Hostile
{
    const char* name;
    QByteArray (*make)();
};

const Hostile hostiles[] = {
    {"an entity used 20000 times in a style", [] { return HostileSvg::entityInStyle(); }},
    {"text of 200000 references to an entity", [] { return HostileSvg::entityText(); }},
    {"an element of 60000 attributes", [] { return HostileSvg::manyAttributes(); }},
    {"5000 class rules over elements of 1000 classes", [] { return HostileSvg::classLists(); }},
    {"a gradient of 90000 stops", [] { return HostileSvg::manyStops(); }},
    {"400 radial fills composed soft-light", [] { return HostileSvg::compositionModes(); }},
    {"a picture drawn 7000 times turned and translucent",
        [] { return HostileSvg::rotatedPictures(); }},
    {"320 drawings nested", [] { return HostileSvg::nestedDrawings(320); }},
    {"800 drawings nested", [] { return HostileSvg::nestedDrawings(800); }},
    {"2000 translucent circles over 8000 x 8000",
        [] { return HostileHtml::svgCircles(8000, 2000); }},
    {"an image embedding 20000 x 20000 pixels",
        [] { return HostileSvg::imageNamingTwo(hugePicture(20000), hugePicture(16)); }},
    {"a million empty style rules", [] { return HostileSvg::manyStyleRules(1000000); }},
    {"a style sheet instruction naming the zero device",
        [] { return HostileSvg::styleFile("/dev/zero"); }},
};

QImage readHostile(QByteArray& svg, const QString& path, bool fit)
{
    if (fit)
        return PictureReader::readFitted(path, QtSvgReader::bound);
    QBuffer data(&svg);
    return PictureReader::read(&data);
}

// A hostile drawing read whole from data, or fitted into 256 x 256 from a
// file, by a process started for it: the time, what is shown or why not,
// the peak growth of this program, and the peak memory of its drawing
// processes, the one killed at a limit included.
void hostileSvg(benchmark::State& state)
{
    const Hostile& hostile = hostiles[state.range(0)];
    const bool fit = state.range(1);
    QByteArray svg = hostile.make();
    QTemporaryDir folder;
    const QString path = folder.filePath("hostile.svg");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(svg);
    file.close();
    for (auto _ : state) {
        restartDrawingProcesses();
        QByteArray icon = HostileSvg::dashedIcon();
        QBuffer started(&icon);
        PictureReader::read(&started);
        const qint64 workerBeforeKiB = DrawingProcessMemory::residentKiB();
        resetPeakMemory();
        const qint64 peakBefore = peakMemoryKiB();
        takeRefusal();
        const DrawingProcessMemory workers;
        QElapsedTimer clock;
        clock.start();
        const QImage image = readHostile(svg, path, fit);
        state.SetIterationTime(elapsedMs(clock) / 1000);
        state.counters["shown"] = !image.isNull();
        state.counters["peak_growth_MB"] = (peakMemoryKiB() - peakBefore) / 1024.0;
        state.counters["worker_before_MB"] = workerBeforeKiB / 1024.0;
        state.counters["worker_peak_MB"] = workers.peakKiB() / 1024.0;
        const QString shown = QString("shown %1 x %2").arg(image.width()).arg(image.height());
        state.SetLabel(QString("%1: %2")
                           .arg(hostile.name, image.isNull() ? takeRefusal() : shown)
                           .toStdString());
    }
}

} // namespace

BENCHMARK(machineSvgPictures)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("fitted")
    ->Iterations(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(firstSvgOfRun)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("sandboxed")
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(machineSvgsIntoIconView)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(hostileSvg)
    ->ArgsProduct({benchmark::CreateDenseRange(0, std::size(hostiles) - 1, 1), {0, 1}})
    ->ArgNames({"which", "fitted"})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's warnings on the machine's drawings here; the helpers, given only
    // what drawing needs, tell theirs.
    qputenv("QT_LOGGING_RULES", "qt.svg=false");
    if (qEnvironmentVariableIsSet(QtSvgReader::tryVariable)) {
        QGuiApplication app(argc, argv);
        return QtSvgReader::tryEach();
    }
    const TemporaryHome home;
    QApplication app(argc, argv);
    otherMessages = qInstallMessageHandler(keepRefusals);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
