// The sound path: play() until the mixer renders the first frame, decoding
// from the cache against decoding from disk, and one 256-frame period of
// the mixer with 32 voices sounding.
#include "App.h"
#include "AudioClip.h"
#include "AudioClipCache.h"
#include "AudioEngine.h"
#include "AudioEngineObserver.h"
#include "NativeAudioPlayer.h"
#include "SampleName.h"

#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using DIReridArazi::AudioEngine;
using DIReridArazi::NativeAudioPlayer;

namespace {

QString sample(int midi)
{
    return DORuverud::App::theApp()->bundleResourcePath()
        + DIReridArazi::SampleName::fileName(QStringLiteral("piano"), 440, midi);
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
        while (!observer.started) {
            QCoreApplication::processEvents();
            engine->poll();
        }
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

} // namespace

BENCHMARK(playToFirstMixedFrame)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(openFromCache)->Unit(benchmark::kMicrosecond);
BENCHMARK(openColdDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(mixPeriod)->Arg(6)->Arg(32)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
        qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
