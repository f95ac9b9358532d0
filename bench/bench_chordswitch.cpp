// Chord switch: a press on the selector panel until the page has repainted,
// on a 620 x 620 page of the ukulele, of the guitar (whose diagram seeks the
// sizes that fit its six strings) and of the piano.
#include "AppBenchmarkMain.h"
#include "ChordFiles.h"
#include "ChordsButtonsPanel.h"
#include "GuitarChordsMainPage.h"
#include "PianoChordsMainPage.h"
#include "UkuleleChordsMainPage.h"

#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

template <class Page> void chordSwitch(benchmark::State& state)
{
    Page page(nullptr);
    page.resize(620, 620);
    page.show();
    QCoreApplication::processEvents();
    QList<QPushButton*> roots;
    for (QPushButton* button : page.template findChild<VADirur::ChordsButtonsPanel*>()
                                   ->template findChildren<QPushButton*>()) {
        if (button->text() == QLatin1String("C") || button->text() == QLatin1String("G"))
            roots << button;
    }
    int next = 0;
    for (auto _ : state) {
        roots.at(next)->click();
        QCoreApplication::processEvents();
        next = 1 - next;
    }
}

} // namespace

BENCHMARK_TEMPLATE(chordSwitch, VADirur::UkuleleChordsMainPage)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(chordSwitch, VADirur::GuitarChordsMainPage)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(chordSwitch, VADirur::PianoChordsMainPage)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runAppBenchmarks(argc, argv,
        [](DORuverud::App& app) { app.setResourceOffset(VADirur::ChordFiles::resourcePrefix()); });
}
