// The string tuner: building the whole page, and a press on the chooser
// until the instrument page has repainted, first at a new size (the picture
// is scaled) and then at the same size (the scaled picture is reused).
#include "AppBenchmarkMain.h"
#include "TunersMainPage.h"

#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

void buildTuner(benchmark::State& state)
{
    for (auto _ : state) {
        VADirur::TunersMainPage page(nullptr, false);
        benchmark::DoNotOptimize(page.size());
    }
}

void switchInstrument(benchmark::State& state)
{
    const bool newSize = state.range(0) != 0;
    VADirur::TunersMainPage page(nullptr, false);
    page.show();
    QCoreApplication::processEvents();
    QPushButton* buttons[2] = {page.findChild<QPushButton*>(QStringLiteral("ViolinButton")),
        page.findChild<QPushButton*>(QStringLiteral("GuitarButton"))};
    const QSize size = page.size();
    int next = 0;
    for (auto _ : state) {
        if (newSize)
            page.resize(size + QSize(next, next));
        buttons[next]->click();
        page.repaint();
        next = 1 - next;
    }
}

} // namespace

BENCHMARK(buildTuner)->Unit(benchmark::kMillisecond);
BENCHMARK(switchInstrument)->Arg(1)->ArgName("newSize")->Unit(benchmark::kMillisecond);
BENCHMARK(switchInstrument)->Arg(0)->ArgName("newSize")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runAppBenchmarks(argc, argv);
}
