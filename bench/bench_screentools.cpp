// A drag over the screen cropper and the screen ruler: one mouse move until
// the 1280 x 1024 frame has repainted, the rectangle and, on the ruler, its
// size fitted into it. Goal: well within one 16 ms frame.
#include "AppBenchmarkMain.h"
#include "Common.h"
#include "ScreenCropper.h"
#include "ScreenMeasurer.h"

#include <QMouseEvent>
#include <benchmark/benchmark.h>

namespace {

void send(QWidget* widget, QEvent::Type type, const QPoint& at)
{
    QMouseEvent event(type, at, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

template <class Tool> void dragMove(benchmark::State& state)
{
    QImage screen(1280, 1024, QImage::Format_RGB32);
    screen.fill(QColor(40, 90, 140));
    DORuverud::Common::setScreenGrabber([&screen] { return QPixmap::fromImage(screen); });
    Tool tool;
    tool.setShowMode(DORuverud::ScreenCropper::NormalMode);
    tool.setGeometry(0, 0, 1280, 1024);
    QMetaObject::invokeMethod(&tool, "grabScreen");
    tool.show();
    tool.recreatePix2();
    QCoreApplication::processEvents();
    send(&tool, QEvent::MouseButtonPress, QPoint(100, 100));
    int step = 0;
    for (auto _ : state) {
        send(&tool, QEvent::MouseMove, QPoint(300 + step, 200 + step / 2));
        step = (step + 7) % 400;
    }
    QMetaObject::invokeMethod(&tool, "slotClose");
}

} // namespace

BENCHMARK_TEMPLATE(dragMove, DORuverud::ScreenCropper)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(dragMove, DORuverud::ScreenMeasurer)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runAppBenchmarks(argc, argv);
}
