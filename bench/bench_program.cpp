// Whole-process figures of the chord window against the smallest Qt window
// program, both built beside this one and started in turn, each in a new
// home folder: the time from start to the first painted frame, and the
// resident memory after showing the seven pages and playing 21 chords. Each
// child prints "painted" and its memory figures once it is done. Run it as
// a user starts the program: under X (Xvfb will do) with a session bus,
// e.g. dbus-run-session -- xvfb-run -a bench_program.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

struct Figures
{
    double seconds = 0;
    double residentMiB = 0;
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
    if (report.value(0) == "painted") {
        figures.residentMiB = report.value(1).toDouble() / 1024;
        figures.peakMiB = report.value(2).toDouble() / 1024;
    }
    child.waitForFinished(60000);
    return figures;
}

// The median, the least and the greatest of a series under one name.
void addCounters(benchmark::State& state, const std::string& name, std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    if (values.empty())
        return;
    state.counters[name] = values[values.size() / 2];
    state.counters[name + "_min"] = values.front();
    state.counters[name + "_max"] = values.back();
}

// The chord window's and the minimal window's figures, and the ratios of
// the pairs, as counters.
void program(benchmark::State& state, const char* mode)
{
    std::vector<double> seconds[2], resident[2], peak[2], timeRatios, residentRatios, peakRatios;
    for (auto _ : state) {
        const Figures chords = run(QStringLiteral("chord_tour"), QLatin1String(mode));
        const Figures minimal = run(QStringLiteral("minimal_window"), QLatin1String(mode));
        if (chords.peakMiB == 0 || minimal.peakMiB == 0) {
            state.SkipWithError("a program did not report");
            return;
        }
        state.SetIterationTime(chords.seconds);
        seconds[0].push_back(chords.seconds * 1000);
        seconds[1].push_back(minimal.seconds * 1000);
        resident[0].push_back(chords.residentMiB);
        resident[1].push_back(minimal.residentMiB);
        peak[0].push_back(chords.peakMiB);
        peak[1].push_back(minimal.peakMiB);
        timeRatios.push_back(chords.seconds / minimal.seconds);
        residentRatios.push_back(chords.residentMiB / minimal.residentMiB);
        peakRatios.push_back(chords.peakMiB / minimal.peakMiB);
    }
    addCounters(state, "chords_ms", seconds[0]);
    addCounters(state, "minimal_ms", seconds[1]);
    addCounters(state, "time_ratio", timeRatios);
    addCounters(state, "chords_MiB", resident[0]);
    addCounters(state, "minimal_MiB", resident[1]);
    addCounters(state, "memory_ratio", residentRatios);
    addCounters(state, "peak_ratio", peakRatios);
}

BENCHMARK_CAPTURE(program, first_frame, "--first-frame")
    ->UseManualTime()
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(program, seven_pages_21_chords, "--tour")
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
