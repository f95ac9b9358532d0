// Picture views: a thumbnail of a photograph, a 108-megapixel camera picture
// read at the size shown, a GIF whose frames come after a long comment, a
// large picture read on the GUI thread beside thumbnails decoded in others,
// folders of pictures loaded into the thumbnail view, and a hovered picture
// label painted.
#include "../tests/common/GuiStalls.h"
#include "../tests/graphics/HostilePicture.h"
#include "AdvancedLabel.h"
#include "IconView.h"
#include "PeakMemory.h"
#include "PictureReader.h"
#include "TemporaryHome.h"
#include "Thumbnail.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEvent>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

namespace {

QImage photograph(int w, int h, int variant = 0)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, w, h);
    gradient.setColorAt(0, QColor::fromHsv(variant * 37 % 360, 180, 120));
    gradient.setColorAt(1, QColor(230, 180, 90));
    painter.fillRect(image.rect(), gradient);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRect(w / 4 + variant, h / 4, w / 2, h / 2));
    return image;
}

// Writes count JPEG photographs of w x h; a few different ones, copied.
void writePhotographs(const QString& folder, int count, int w, int h)
{
    const int different = qMin(count, 50);
    for (int i = 0; i < count; ++i) {
        const QString path = QDir(folder).filePath(QString("photo%1.jpg").arg(i));
        if (i < different)
            photograph(w, h, i).save(path, "JPG", 85);
        else
            QFile::copy(QDir(folder).filePath(QString("photo%1.jpg").arg(i % different)), path);
    }
}

// Runs the event loop until the view holds count items.
void waitForItems(const DORuverud::IconView& view, int count)
{
    while (view.count() < count)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

void thumbnailOfPhotograph(benchmark::State& state)
{
    const QPixmap source = QPixmap::fromImage(photograph(1600, 1200));
    for (auto _ : state)
        benchmark::DoNotOptimize(ZEReruzo::Thumbnail(80, 80, source));
}

// A 12000 x 9000 JPEG read fitted into w x h: the time, and the peak growth
// of the process beyond what it held before.
void cameraPictureFitted(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("camera.jpg");
    photograph(12000, 9000).save(path, "JPG", 85);
    const QSize bound(int(state.range(0)), int(state.range(1)));
    // What the picture's making freed goes back first, so that its reuse counts.
    malloc_trim(0);
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
    clearRefs.close();
    const long before = statusMemoryKiB("VmRSS:");
    for (auto _ : state) {
        if (DAvuroD::PictureReader::readFitted(path, bound).isNull())
            state.SkipWithError("no picture");
    }
    state.counters["peak_growth_MB"] = double(statusMemoryKiB("VmHWM:") - before) / 1024;
}

// A GIF of 200 x 150 whose three frames follow 60 MiB of comment blocks
// of one byte each, read whole by PictureReader, which walks the blocks
// before it decodes, or by Qt's reader alone.
void gifAfterLongComment(benchmark::State& state)
{
    const bool byQt = state.range(0);
    QByteArray gif = commentedGif(QSize(200, 150), 3, 30 << 20, 1);
    for (auto _ : state) {
        QBuffer buffer(&gif);
        const QImage image
            = byQt ? QImageReader(&buffer).read() : DAvuroD::PictureReader::read(&buffer);
        if (image.size() != QSize(200, 150))
            state.SkipWithError("not shown");
    }
    state.SetLabel(byQt ? "Qt's reader" : "PictureReader");
}

// A 35-megapixel PNG fitted into a preview on the GUI thread, alone or while
// eight threads keep reading 16-megapixel PNGs, as a folder view's
// thumbnails do.
void guiReadBesideThumbnails(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString large = folder.filePath("large.png");
    const QString small = folder.filePath("small.png");
    for (const auto& [path, picture] : {std::make_pair(large, hugePicture(QSize(7000, 5000), true)),
             std::make_pair(small, hugePicture(4096, true))}) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(picture);
    }
    std::atomic<bool> stop {false};
    std::vector<std::thread> threads;
    for (int i = 0; i < (state.range(0) ? 8 : 0); ++i)
        threads.emplace_back([&] {
            while (!stop)
                DAvuroD::PictureReader::readFitted(small, QSize(80, 80));
        });
    for (auto _ : state) {
        if (DAvuroD::PictureReader::readFitted(large, QSize(640, 480)).isNull())
            state.SkipWithError("no picture");
    }
    stop = true;
    for (std::thread& thread : threads)
        thread.join();
    state.SetLabel(state.range(0) ? "beside eight threads" : "alone");
}

// A folder of 40 pictures of 640 x 480 and as many other files.
void folderIntoIconView(benchmark::State& state)
{
    QTemporaryDir folder;
    writePhotographs(folder.path(), 40, 640, 480);
    for (int i = 0; i < 40; ++i) {
        QFile other(folder.filePath(QString("sound%1.mp3").arg(i)));
        other.open(QIODevice::WriteOnly);
        other.write(QByteArray(4096, 'x'));
    }
    DORuverud::IconView view;
    for (auto _ : state) {
        view.addItems(folder.path());
        waitForItems(view, 40);
    }
    state.counters["pictures"] = view.count();
}

// A shown view loading a folder of 5,000 photographs of 1024 x 768: the time
// to the first thumbnail and to the last, the process's peak memory from
// the moment the view is made, and the longest the GUI thread went without
// running a 5 ms timer.
void largeFolderIntoIconView(benchmark::State& state)
{
    const int count = int(state.range(0));
    QTemporaryDir folder;
    writePhotographs(folder.path(), count, 1024, 768);
    for (auto _ : state) {
        QFile clearPeak(QStringLiteral("/proc/self/clear_refs"));
        if (clearPeak.open(QIODevice::WriteOnly))
            clearPeak.write("5");
        clearPeak.close();
        DORuverud::IconView view;
        view.resize(800, 600);
        view.show();
        QElapsedTimer clock;
        qint64 firstMs = -1;
        QObject::connect(view.model(), &QAbstractItemModel::rowsInserted, &view, [&] {
            if (firstMs < 0)
                firstMs = clock.elapsed();
        });
        GuiStalls stalls;
        clock.start();
        stalls.start();
        view.addItems(folder.path());
        stalls.mark();
        waitForItems(view, count);
        const qint64 allMs = clock.elapsed();
        state.SetIterationTime(double(allMs) / 1000);
        state.counters["first_ms"] = double(firstMs);
        state.counters["all_ms"] = double(allMs);
        state.counters["peak_MB"] = double(statusMemoryKiB("VmHWM:")) / 1024;
        state.counters["longest_stall_ms"] = double(stalls.longestMs());
    }
}

void hoveredLabelRepaint(benchmark::State& state)
{
    DORuverud::AdvancedLabel label;
    label.resize(300, 200);
    label.setBackgroundPixmap(QPixmap::fromImage(photograph(600, 400)));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&label, &enter);
    for (auto _ : state)
        benchmark::DoNotOptimize(label.grab());
}

} // namespace

BENCHMARK(thumbnailOfPhotograph)->Unit(benchmark::kMillisecond);
BENCHMARK(cameraPictureFitted)
    ->Args({160, 120})
    ->Args({1920, 1080})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(gifAfterLongComment)->Arg(0)->Arg(1)->ArgName("qt")->Unit(benchmark::kMillisecond);
BENCHMARK(guiReadBesideThumbnails)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("busy")
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(folderIntoIconView)->Unit(benchmark::kMillisecond);
BENCHMARK(largeFolderIntoIconView)
    ->Arg(5000)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(hoveredLabelRepaint)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    const TemporaryHome home;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
