// SVG pictures: every SVG of this machine read through the picture budget
// side by side with QSvgRenderer drawing it unbounded, at its own size and
// fitted into 256 x 256; the budget's predicted work against the renderer's
// time; and drawings made slow to read or draw, read through the budget.
#include "../tests/common/PeakMemory.h"
#include "../tests/graphics/HostilePicture.h"
#include "../tests/graphics/HostileSvg.h"
#include "PictureReader.h"
#include "SvgCost.h"
#include "SvgPicture.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QPainter>
#include <QSvgRenderer>
#include <benchmark/benchmark.h>
#include <ftw.h>

#include <algorithm>

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

QSize fitted(const QSize& size, bool fit)
{
    const QSize bound(256, 256);
    if (!fit || (size.width() <= bound.width() && size.height() <= bound.height()))
        return size;
    return size.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

// The renderer's own reading and drawing, unbounded.
QImage rendered(const QString& path, bool fit)
{
    QSvgRenderer renderer(path);
    const QSize size = fitted(renderer.defaultSize(), fit);
    if (size.isEmpty())
        return QImage();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

double elapsedMs(const QElapsedTimer& clock)
{
    return clock.nsecsElapsed() / 1e6;
}

// Arguments: fitted or not, and the budget or the renderer unbounded.
void machineSvgPictures(benchmark::State& state)
{
    const bool fit = state.range(0);
    const bool bounded = state.range(1);
    for (auto _ : state) {
        int shown = 0;
        double worst = 0;
        QString slowest;
        for (const QString& path : machineSvgs()) {
            QElapsedTimer clock;
            clock.start();
            const QImage image = !bounded ? rendered(path, fit)
                : fit ? DAvuroD::PictureReader::readFitted(path, QSize(256, 256))
                      : DAvuroD::PictureReader::read(path);
            if (elapsedMs(clock) > worst) {
                worst = elapsedMs(clock);
                slowest = QFileInfo(path).fileName();
            }
            shown += !image.isNull();
        }
        state.counters["files"] = machineSvgs().size();
        state.counters["shown"] = shown;
        state.counters["refused"] = machineSvgs().size() - shown;
        state.counters["worst_ms"] = worst;
        state.SetLabel(slowest.toStdString());
    }
}

// The budget's predicted work for each SVG against the renderer's time for
// it, best of three, for those it takes at least a millisecond over: the
// largest and smallest ratio.
void predictedAgainstDrawn(benchmark::State& state)
{
    const bool fit = state.range(0);
    for (auto _ : state) {
        std::vector<double> ratios;
        QString highest;
        QString lowest;
        for (const QString& path : machineSvgs()) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const DAvuroD::SvgCost cost(&file);
            if (!cost.refusal().isEmpty())
                continue;
            const DAvuroD::SvgPicture picture(&file, cost.text());
            const QSize size = fitted(picture.size(), fit);
            if (size.isEmpty())
                continue;
            const double predicted = cost.work(picture, size) / 1e6;
            double drawn = 1e9;
            for (int i = 0; i < 3; ++i) {
                QElapsedTimer clock;
                clock.start();
                rendered(path, fit);
                drawn = std::min(drawn, elapsedMs(clock));
            }
            if (drawn < 1)
                continue;
            const double ratio = predicted / drawn;
            if (ratios.empty() || ratio > *std::max_element(ratios.begin(), ratios.end()))
                highest = QFileInfo(path).fileName();
            if (ratios.empty() || ratio < *std::min_element(ratios.begin(), ratios.end()))
                lowest = QFileInfo(path).fileName();
            ratios.push_back(ratio);
        }
        std::sort(ratios.begin(), ratios.end());
        state.counters["measured"] = ratios.size();
        state.counters["lowest_ratio"] = ratios.empty() ? 0 : ratios.front();
        state.counters["median_ratio"] = ratios.empty() ? 0 : ratios[ratios.size() / 2];
        state.counters["highest_ratio"] = ratios.empty() ? 0 : ratios.back();
        state.SetLabel((highest + " highest, " + lowest + " lowest").toStdString());
    }
}

QByteArray hostile(int which)
{
    switch (which) {
    case 0:
        return HostileHtml::svgCircles(8000, 2000);
    case 1:
        return HostileSvg::wideDashedCircle();
    case 2:
        return HostileSvg::multiplyingUses(false);
    case 3:
        return HostileSvg::drawing(64, "<g id=\"loop\"><use xlink:href=\"#loop\"/></g>");
    case 4:
        return HostileSvg::translucentGradients(200);
    case 5:
        return HostileSvg::usesNamingTwo();
    case 6:
        return HostileSvg::imageNamingTwo(hugePicture(20000, true), hugePicture(16));
    case 7:
        return HostileSvg::idGivenTwice();
    case 8:
        return HostileSvg::styleForAll(20000);
    case 9:
        return HostileSvg::textLines(2000);
    default:
        return HostileSvg::combs(20, 400);
    }
}

const char* const hostileNames[] = {"2000 translucent circles at 8000 x 8000",
    "a wide dashed circle", "uses of uses eight deep, no size", "a use showing itself",
    "200 translucent gradients at 4000 x 4000", "uses naming a heavy group by xlink:href",
    "an image embedding 20000 x 20000 by xlink:href", "an id given twice",
    "20000 style rules over 20000 elements", "2000 lines of text", "combs of 400 teeth"};

// A drawing made slow, read whole through the budget: the time, the peak
// growth of the process, and whether it is shown.
void hostileSvg(benchmark::State& state)
{
    QByteArray svg = hostile(int(state.range(0)));
    for (auto _ : state) {
        resetPeakMemory();
        const qint64 before = peakMemoryKiB();
        QBuffer buffer(&svg);
        const QImage image = DAvuroD::PictureReader::read(&buffer);
        state.counters["peak_growth_MB"] = (peakMemoryKiB() - before) / 1024.0;
        state.counters["shown"] = !image.isNull();
    }
    state.SetLabel(hostileNames[state.range(0)]);
}

} // namespace

BENCHMARK(machineSvgPictures)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"fitted", "bounded"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(predictedAgainstDrawn)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("fitted")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(hostileSvg)->DenseRange(0, 10)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // The budget tells why it refuses each picture; here only the counts matter.
    QLoggingCategory::setFilterRules(QStringLiteral("tessivar.trace=false\nqt.svg=false"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
