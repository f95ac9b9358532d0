// The sound path: play() until the mixer renders the first frame, decoding
// from the cache against decoding from disk, one 256-frame period of the
// mixer with 32 voices sounding, the first press of a chord on a page just
// shown (its samples decoded ahead, or not), and opening a 5-minute file.
#include "AppBenchmarkMain.h"
#include "AudioClip.h"
#include "AudioClipCache.h"
#include "AudioEngine.h"
#include "AudioEngineObserver.h"
#include "NativeAudioPlayer.h"
#include "SampleName.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include <memory>
#include <vector>

using DIReridArazi::AudioEngine;
using DIReridArazi::NativeAudioPlayer;

namespace {

QString sample(int midi, const QString& instrument = QStringLiteral("piano"))
{
    return DORuverud::App::theApp()->bundleResourcePath()
        + DIReridArazi::SampleName::fileName(instrument, 440, midi);
}

class FirstStart : public DIReridArazi::AudioEngineObserver
{
public:
    void voiceStarted(const QString&, qint64) override
    {
        started = true;
    }

    bool started = false;
};

// Waits for the mixer's first frame of a started sound.
void waitForStart(AudioEngine* engine, const FirstStart& observer)
{
    while (!observer.started) {
        QCoreApplication::processEvents();
        engine->poll();
    }
}

// The process's resident memory in bytes.
qint64 residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    qint64 pages = 0;
    qint64 resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Wall time from play() to the mixer's first frame of the sound, on the
// device (or the dummy driver); includes the wait for the next period.
void playToFirstMixedFrame(benchmark::State& state)
{
    AudioEngine* engine = AudioEngine::instance();
    engine->setManualClock(false);
    FirstStart observer;
    engine->addObserver(&observer);
    NativeAudioPlayer player;
    const QString path = sample(60);
    player.setMedia(path);
    for (auto _ : state) {
        observer.started = false;
        QElapsedTimer clock;
        clock.start();
        player.play(path);
        waitForStart(engine, observer);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        player.stop();
    }
    engine->removeObserver(&observer);
}

void openFromCache(benchmark::State& state)
{
    DIReridArazi::AudioClipCache cache(64 * 1024 * 1024);
    const QString path = sample(60);
    cache.insert(path, DIReridArazi::AudioClip::decode(path));
    for (auto _ : state)
        benchmark::DoNotOptimize(cache.find(path));
}

void openColdDecode(benchmark::State& state)
{
    const QString path = sample(60);
    for (auto _ : state)
        benchmark::DoNotOptimize(DIReridArazi::AudioClip::decode(path));
}

// The mixer alone, driven by hand: the cost of one device callback.
void mixPeriod(benchmark::State& state)
{
    AudioEngine* engine = AudioEngine::instance();
    engine->setManualClock(true);
    std::vector<std::unique_ptr<NativeAudioPlayer>> players;
    for (int i = 0; i < state.range(0); ++i) {
        players.push_back(std::make_unique<NativeAudioPlayer>());
        players.back()->play(sample(40 + i));
    }
    QCoreApplication::processEvents();
    std::vector<float> out(2 * 256);
    int periods = 0;
    for (auto _ : state) {
        engine->mix(out.data(), 256);
        // Rewind well before the samples end, so every voice keeps sounding.
        if (++periods % 256 == 0) {
            for (auto& player : players)
                player->setPosition(0);
        }
    }
    players.clear();
    engine->mix(out.data(), 256);
    engine->poll();
}

// A chord page's first press: six samples no play has decoded yet (fresh
// copies each round), decoded ahead on the worker as a shown page has them
// (argument 1), or not (0), when the worker decodes them after the press.
// Wall time from the press to the first mixed frame, also in 256-frame
// periods ("periods"); the counters "gui_ms" and "gui_max_ms" are the
// press's own time on the GUI thread, on average and at most.
void firstPressOfChord(benchmark::State& state)
{
    AudioEngine* engine = AudioEngine::instance();
    engine->setManualClock(false);
    FirstStart observer;
    engine->addObserver(&observer);
    QTemporaryDir dir;
    std::vector<std::unique_ptr<NativeAudioPlayer>> players(6);
    double guiMs = 0;
    double guiMaxMs = 0;
    double firstMs = 0;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QStringList paths;
        for (int midi : {40, 47, 52, 56, 59, 64}) {
            paths << dir.filePath(QStringLiteral("%1-%2.mp3").arg(round).arg(midi));
            QFile::copy(sample(midi, QStringLiteral("guitar")), paths.back());
        }
        ++round;
        if (state.range(0)) {
            engine->prefetch(paths);
            while (!std::all_of(paths.begin(), paths.end(),
                [engine](const QString& p) { return engine->isReady(p); }))
                QThread::msleep(1);
        }
        observer.started = false;
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 6; ++i) {
            players[size_t(i)] = std::make_unique<NativeAudioPlayer>();
            players[size_t(i)]->play(paths[i]);
        }
        guiMs += double(clock.nsecsElapsed()) / 1e6;
        guiMaxMs = std::max(guiMaxMs, double(clock.nsecsElapsed()) / 1e6);
        waitForStart(engine, observer);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        firstMs += double(clock.nsecsElapsed()) / 1e6;
    }
    players.clear();
    engine->removeObserver(&observer);
    const double iterations = double(state.iterations());
    state.counters["gui_ms"] = benchmark::Counter(guiMs / iterations);
    state.counters["gui_max_ms"] = benchmark::Counter(guiMaxMs);
    state.counters["periods"] = benchmark::Counter(firstMs / iterations / (256 * 1000.0 / 44100));
}

// Opening and starting a 5-minute stereo WAV: the time of play() on the GUI
// thread, and the growth of the process's memory ("rss_mb") once a second
// of it has played.
void openLongFile(benchmark::State& state)
{
    AudioEngine* engine = AudioEngine::instance();
    engine->setManualClock(true);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("song.wav"));
    SF_INFO info = {};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    std::vector<short> second(2 * 44100, 1000);
    for (int s = 0; s < 300; ++s)
        sf_writef_short(file, second.data(), 44100);
    sf_close(file);
    std::vector<float> out(2 * 256);
    double rssMb = 0;
    for (auto _ : state) {
        const qint64 before = residentBytes();
        QElapsedTimer clock;
        clock.start();
        auto player = std::make_unique<NativeAudioPlayer>();
        player->play(path);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        state.PauseTiming();
        for (int period = 0; period < 44100 / 256; ++period) {
            engine->mix(out.data(), 256);
            QThread::usleep(200);
        }
        rssMb = std::max(rssMb, double(residentBytes() - before) / 1e6);
        player.reset();
        engine->mix(out.data(), 256);
        engine->poll();
        state.ResumeTiming();
    }
    state.counters["rss_mb"] = benchmark::Counter(rssMb);
}

} // namespace

// First, so that its memory is not what earlier runs freed.
BENCHMARK(openLongFile)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(playToFirstMixedFrame)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(openFromCache)->Unit(benchmark::kMicrosecond);
BENCHMARK(openColdDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(mixPeriod)->Arg(6)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(firstPressOfChord)
    ->Arg(1)
    ->Arg(0)
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runAppBenchmarks(argc, argv);
}
