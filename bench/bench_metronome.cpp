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

#include <algorithm>
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

// The ticks in runs between the engine's re-anchorings. The disk driver
// sleeps whole milliseconds a period, so it drifts from the clock; the
// engine slews its clock-to-frame mapping after it and, when the device has
// drifted too far, anchors it anew, which moves the grid for good. A spacing
// off the period whose next spacing is the period again marks such a move;
// a single late tick is off twice, and stays in its run.
QVector<QVector<qint64>> runs(const QVector<qint64>& frames)
{
    const double tolerance = 0.002 * 44100;
    auto off
        = [&](int k) { return std::abs(frames[k] - frames[k - 1] - periodFrames) > tolerance; };
    QVector<QVector<qint64>> all(1);
    for (int k = 0; k < frames.size(); ++k) {
        if (k > 0 && off(k) && (k + 1 == frames.size() || !off(k + 1)))
            all.append(QVector<qint64>());
        all.last() << frames[k];
    }
    return all;
}

// The distances of a run's ticks from the straight line that fits them
// best: the ideal grid, at the period the device's own clock gives it.
QVector<double> offGrid(const QVector<qint64>& run)
{
    const int n = run.size();
    double sumK = 0, sumF = 0, sumKK = 0, sumKF = 0;
    for (int k = 0; k < n; ++k) {
        const double f = run[k] - run[0];
        sumK += k;
        sumF += f;
        sumKK += double(k) * k;
        sumKF += k * f;
    }
    const double denominator = n * sumKK - sumK * sumK;
    const double slope = denominator > 0 ? (n * sumKF - sumK * sumF) / denominator : periodFrames;
    const double intercept = (sumF - slope * sumK) / n;
    QVector<double> off;
    for (int k = 0; k < n; ++k)
        off << run[k] - run[0] - (intercept + slope * k);
    return off;
}

// Largest and RMS distance of the ticks from the ideal grid in ms.
void reportDeviation(benchmark::State& state, const QVector<qint64>& frames)
{
    double largest = 0;
    double squares = 0;
    const QVector<QVector<qint64>> all = runs(frames);
    for (const QVector<qint64>& run : all) {
        for (double d : offGrid(run)) {
            largest = std::max(largest, std::abs(d));
            squares += d * d;
        }
    }
    state.counters["ticks"] = frames.size();
    state.counters["reanchored"] = all.size() - 1;
    state.counters["largest_ms"] = largest / 44.1;
    state.counters["rms_ms"] = std::sqrt(squares / frames.size()) / 44.1;
}

// How much later than the earliest one, on the timer's own 288 ms grid, the
// latest tick was handled.
void reportLateness(benchmark::State& state, const QVector<qint64>& handled)
{
    QVector<double> late;
    for (int k = 0; k < handled.size(); ++k)
        late << (handled[k] - handled[0]) / 1e6 - k * 288.0;
    const auto range = std::minmax_element(late.begin(), late.end());
    state.counters["handled_late_ms"] = late.isEmpty() ? 0 : *range.second - *range.first;
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
        // When each tick was handled: a tick handled later than its lead
        // before the beat could not be asked for in time.
        QVector<qint64> handled;
        QObject::connect(metronome.findChild<QTimer*>(), &QTimer::timeout,
            [&handled] { handled << AudioEngine::clockNs(); });
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
        reportLateness(state, handled);
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
