// Picture views: a thumbnail of a photograph, a folder of pictures loaded
// into the thumbnail view, and a hovered picture label painted.
#include "AdvancedLabel.h"
#include "IconView.h"
#include "Thumbnail.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QImage photograph(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, w, h);
    gradient.setColorAt(0, QColor(20, 60, 120));
    gradient.setColorAt(1, QColor(230, 180, 90));
    painter.fillRect(image.rect(), gradient);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRect(w / 4, h / 4, w / 2, h / 2));
    return image;
}

void thumbnailOfPhotograph(benchmark::State& state)
{
    const QPixmap source = QPixmap::fromImage(photograph(1600, 1200));
    for (auto _ : state)
        benchmark::DoNotOptimize(ZEReruzo::Thumbnail(80, 80, source));
}

// A folder of 40 pictures of 640 x 480 and as many other files.
void folderIntoIconView(benchmark::State& state)
{
    QTemporaryDir folder;
    const QImage picture = photograph(640, 480);
    for (int i = 0; i < 40; ++i) {
        picture.save(folder.filePath(QString("picture%1.jpg").arg(i)), "JPG", 85);
        QFile other(folder.filePath(QString("sound%1.mp3").arg(i)));
        other.open(QIODevice::WriteOnly);
        other.write(QByteArray(4096, 'x'));
    }
    DORuverud::IconView view;
    for (auto _ : state)
        view.addItems(folder.path());
    state.counters["pictures"] = view.count();
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
BENCHMARK(folderIntoIconView)->Unit(benchmark::kMillisecond);
BENCHMARK(hoveredLabelRepaint)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
