// Metronome timing: at 208 bpm (a 288 ms period), the output frame at which
// each of 200 ticks starts, against the ideal grid of that period. The mixed
// output goes to SDL's disk driver; the GUI thread idles or is kept busy in
// slices of the given length between its events.
#include "App.h"
#include "AudioEngine.h"
#include "AudioEngineObserver.h"
#include "Metronome.h"
#include "MetronomeControls.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <cmath>

using DIReridArazi::AudioEngine;

namespace {

const int ticks = 200;
const double periodFrames = 0.288 * 44100;

class TickFrames : public DIReridArazi::AudioEngineObserver
{
public:
    void voiceStarted(const QString&, qint64 frame) override
    {
        frames << frame;
    }

    QVector<qint64> frames;
};

// Every beat a tick: no bar, so no silent first tick and no bell.
void startAt208(VADirur::Metronome* metronome)
{
    auto* controls = metronome->findChild<VADirur::MetronomeControls*>();
    controls->findChild<QPushButton*>(QStringLiteral("BeatCombo"))
        ->menu()
        ->actions()
        .at(0)
        ->trigger();
    controls->setInterval(208);
}

// The ticks in runs between the engine's re-anchorings: the disk driver
// sleeps whole milliseconds, so it falls behind the clock and the engine
// anchors its output anew, moving the grid. A spacing far off the period
// starts a new run.
QVector<QVector<qint64>> runs(const QVector<qint64>& frames)
{
    QVector<QVector<qint64>> all(1);
    for (int k = 0; k < frames.size(); ++k) {
        if (k > 0 && std::abs(frames[k] - frames[k - 1] - periodFrames) > periodFrames / 4)
            all.append(QVector<qint64>());
        all.last() << frames[k];
    }
    return all;
}

// Largest and RMS distance of the ticks from the ideal grid in ms, the grid
// of each run placed where it fits that run best.
void reportDeviation(benchmark::State& state, const QVector<qint64>& frames)
{
    double largest = 0;
    double squares = 0;
    const QVector<QVector<qint64>> all = runs(frames);
    for (const QVector<qint64>& run : all) {
        QVector<double> off;
        double mean = 0;
        for (int k = 0; k < run.size(); ++k) {
            off << run[k] - run[0] - k * periodFrames;
            mean += off.last() / run.size();
        }
        for (double d : off) {
            largest = std::max(largest, std::abs(d - mean));
            squares += (d - mean) * (d - mean);
        }
    }
    state.counters["ticks"] = frames.size();
    state.counters["reanchored"] = all.size() - 1;
    state.counters["largest_ms"] = largest / 44.1;
    state.counters["rms_ms"] = std::sqrt(squares / frames.size()) / 44.1;
}

void tickTiming(benchmark::State& state)
{
    const int busyMs = int(state.range(0));
    AudioEngine* engine = AudioEngine::instance();
    engine->setManualClock(false);
    for (auto _ : state) {
        TickFrames log;
        engine->addObserver(&log);
        QTimer busy;
        QObject::connect(&busy, &QTimer::timeout, [busyMs] {
            QElapsedTimer spin;
            spin.start();
            while (spin.elapsed() < busyMs) { }
        });
        VADirur::Metronome metronome(nullptr);
        startAt208(&metronome);
        if (busyMs > 0)
            busy.start(0);
        QEventLoop loop;
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, [&] {
            engine->poll();
            if (log.frames.size() >= ticks)
                loop.quit();
        });
        check.start(50);
        loop.exec();
        busy.stop();
        engine->removeObserver(&log);
        reportDeviation(state, log.frames);
    }
}

} // namespace

BENCHMARK(tickTiming)->ArgName("busy_ms")->Arg(0)->Arg(30)->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "disk");
    // Whole milliseconds a period: 6 keeps the driver just slower than a sound card.
    qputenv("SDL_DISKAUDIODELAY", "6");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(QDir::temp().filePath("bench_metronome.raw")));
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    QFile::remove(QDir::temp().filePath("bench_metronome.raw"));
    return 0;
}
