// Metronome timing: at 208 bpm (a 288 ms period), the output frame at which
// each of at least 200 ticks starts, against one beat grid fitted to the
// whole run. The mixed output goes to SDL's disk driver. The GUI thread
// idles, is kept busy in slices between its events, or is blocked once.
#include "App.h"
#include "AudioEngine.h"
#include "AudioEngineObserver.h"
#include "Metronome.h"
#include "MetronomeControls.h"
#include "TemporaryHome.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

using DIReridArazi::AudioEngine;

namespace {

const int ticks = 200;
const double framesPerMs = 44.1;
const double periodFrames = 288 * framesPerMs;
// A spacing this far from a whole number of periods moves the grid.
const double stepFrames = 0.002 * 44100;

enum GuiLoad { Idle, BusySlices, BlockedOnce };

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

void spin(int ms)
{
    QElapsedTimer spent;
    spent.start();
    while (spent.elapsed() < ms) { }
}

// The beat of each tick on the grid of the first, whole periods counted.
QVector<double> beats(const QVector<qint64>& frames)
{
    QVector<double> beat;
    for (qint64 frame : frames)
        beat << std::round((frame - frames[0]) / periodFrames);
    return beat;
}

// The distances of the ticks from the one straight line that fits them all
// best: the ideal grid, at the period the device's own clock gives it.
QVector<double> offGrid(const QVector<qint64>& frames)
{
    const QVector<double> beat = beats(frames);
    const int n = frames.size();
    double sumK = 0, sumF = 0, sumKK = 0, sumKF = 0;
    for (int i = 0; i < n; ++i) {
        const double f = frames[i] - frames[0];
        sumK += beat[i];
        sumF += f;
        sumKK += beat[i] * beat[i];
        sumKF += beat[i] * f;
    }
    const double denominator = n * sumKK - sumK * sumK;
    const double slope = denominator > 0 ? (n * sumKF - sumK * sumF) / denominator : periodFrames;
    const double intercept = (sumF - slope * sumK) / n;
    QVector<double> off;
    for (int i = 0; i < n; ++i)
        off << frames[i] - frames[0] - (intercept + slope * beat[i]);
    return off;
}

// Places where the grid moved: a spacing off a whole number of periods
// whose next spacing is whole again (a single late tick is off twice).
int newGrids(const QVector<qint64>& frames)
{
    auto off = [&](int i) {
        const double periods = (frames[i] - frames[i - 1]) / periodFrames;
        return std::abs(periods - std::round(periods)) * periodFrames > stepFrames;
    };
    int moves = 0;
    for (int i = 1; i < frames.size(); ++i)
        moves += off(i) && (i + 1 == frames.size() || !off(i + 1)) ? 1 : 0;
    return moves;
}

void report(benchmark::State& state, const QVector<qint64>& frames)
{
    double largest = 0;
    double squares = 0;
    for (double d : offGrid(frames)) {
        largest = std::max(largest, std::abs(d));
        squares += d * d;
    }
    const QVector<double> beat = beats(frames);
    state.counters["ticks"] = frames.size();
    state.counters["missed"] = beat.last() + 1 - frames.size();
    state.counters["new_grids"] = newGrids(frames);
    state.counters["worst_ms"] = largest / framesPerMs;
    state.counters["rms_ms"] = std::sqrt(squares / frames.size()) / framesPerMs;
}

// Keeps the GUI thread as the mode asks while the ticks come.
void loadGui(GuiLoad load, QTimer* busy, const TickFrames& log)
{
    if (load == BusySlices) {
        QObject::connect(busy, &QTimer::timeout, [] { spin(30); });
        busy->start(0);
    } else if (load == BlockedOnce) {
        QObject::connect(busy, &QTimer::timeout, [busy, &log] {
            if (log.frames.size() < ticks / 2)
                return;
            busy->stop();
            QThread::msleep(400);
        });
        busy->start(10);
    }
}

void tickTiming(benchmark::State& state)
{
    const auto load = GuiLoad(state.range(0));
    AudioEngine* engine = AudioEngine::instance();
    engine->setManualClock(false);
    for (auto _ : state) {
        TickFrames log;
        engine->addObserver(&log);
        VADirur::Metronome metronome(nullptr);
        startAt208(&metronome);
        QTimer busy;
        loadGui(load, &busy, log);
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
        report(state, log.frames);
    }
}

} // namespace

BENCHMARK(tickTiming)
    ->ArgName("gui_idle0_busy1_blocked2")
    ->Arg(Idle)
    ->Arg(BusySlices)
    ->Arg(BlockedOnce)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    const TemporaryHome home;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "disk");
    // Whole milliseconds a period: 6 keeps the driver just slower than a sound card.
    qputenv("SDL_DISKAUDIODELAY", "6");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(home.filePath("bench_metronome.raw")));
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
