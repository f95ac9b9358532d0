// Whole-process figures of the chord window against the smallest Qt window
// program, both built beside this one and started in turn, each in a new
// home folder: the time from start to the first painted frame, and the peak
// memory after showing the seven pages and playing 21 chords. Each child
// prints "painted" and its peak resident memory once it is done.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

struct Figures
{
    double seconds = 0;
    double peakMiB = 0;
};

// Starts the program and waits for its report; the time runs to the report.
Figures run(const QString& name, const QString& mode)
{
    QTemporaryDir home;
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    if (!environment.contains(QStringLiteral("DISPLAY")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    child.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationDirPath() + QLatin1Char('/') + name, {mode});
    while (!child.canReadLine() && child.waitForReadyRead(60000)) { }
    Figures figures;
    figures.seconds = clock.nsecsElapsed() / 1e9;
    const QList<QByteArray> report = child.readLine().trimmed().split(' ');
    if (report.value(0) == "painted")
        figures.peakMiB = report.value(1).toDouble() / 1024;
    child.waitForFinished(60000);
    return figures;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The chord window's figures, with the minimal window's and the ratios of
// the pairs (medians) as counters.
void program(benchmark::State& state, const char* mode)
{
    std::vector<double> seconds[2], memory[2], timeRatios, memoryRatios;
    for (auto _ : state) {
        const Figures chords = run(QStringLiteral("chord_tour"), QLatin1String(mode));
        const Figures minimal = run(QStringLiteral("minimal_window"), QLatin1String(mode));
        if (chords.peakMiB == 0 || minimal.peakMiB == 0) {
            state.SkipWithError("a program did not report");
            return;
        }
        state.SetIterationTime(chords.seconds);
        seconds[0].push_back(chords.seconds);
        seconds[1].push_back(minimal.seconds);
        memory[0].push_back(chords.peakMiB);
        memory[1].push_back(minimal.peakMiB);
        timeRatios.push_back(chords.seconds / minimal.seconds);
        memoryRatios.push_back(chords.peakMiB / minimal.peakMiB);
    }
    state.counters["chords_ms"] = median(seconds[0]) * 1000;
    state.counters["minimal_ms"] = median(seconds[1]) * 1000;
    state.counters["time_ratio"] = median(timeRatios);
    state.counters["chords_MiB"] = median(memory[0]);
    state.counters["minimal_MiB"] = median(memory[1]);
    state.counters["memory_ratio"] = median(memoryRatios);
}

BENCHMARK_CAPTURE(program, first_frame, "--first-frame")
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(program, seven_pages_21_chords, "--tour")
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
