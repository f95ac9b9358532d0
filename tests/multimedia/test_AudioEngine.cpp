#include "../common/RunawayBound.h"
#include "../common/SoundStartLog.h"
#include "App.h"
#include "AudioClipCache.h"
#include "AudioEngine.h"
#include "AudioFileReader.h"
#include "AudioStream.h"
#include "AudioVoice.h"
#include "TestSound.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <sndfile.h>

#include <atomic>
#include <random>
#include <thread>

using DIReridArazi::AudioEngine;
using DIReridArazi::AudioVoice;

namespace {

constexpr int mixFrames = 64;

// Mixes flat out on a thread of its own, as a device would, only faster.
class Mixer
{
public:
    Mixer()
        : m_thread([this] {
            std::vector<float> out(2 * mixFrames);
            while (!m_stop.load(std::memory_order_relaxed))
                AudioEngine::instance()->mix(out.data(), mixFrames);
        })
    {
    }
    ~Mixer()
    {
        m_stop = true;
        m_thread.join();
    }

    // Returns once the mixer has run a whole period after the call.
    static void waitForPeriods()
    {
        const qint64 from = AudioEngine::instance()->framesMixed();
        while (AudioEngine::instance()->framesMixed() < from + 2 * mixFrames)
            std::this_thread::yield();
    }

private:
    std::atomic<bool> m_stop {false};
    std::thread m_thread;
};

} // namespace

// The hand-over between the GUI thread and the mixer: every start, pause,
// seek and stop reaches the mixer, however the two threads interleave.
class TestAudioEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void handOverLosesNothing();
    void chordDecodedAfterThePressStartsTogether();
    void cacheKeepsToItsBudget();
    void streamBeginsReadAhead_data();
    void streamBeginsReadAhead();
    void dummyDeviceKeepsTime();

private:
    // Lets the start be committed and reported; false when it never comes.
    bool started(SoundStartLog& log, int count);

    QTemporaryDir m_dir;
    QString m_clip;
};

void TestAudioEngine::initTestCase()
{
    AudioEngine::instance()->setManualClock(true);
    // Shorter than five periods: the voices end, and rewind, all the time.
    m_clip = m_dir.filePath("short.wav");
    QVERIFY(
        TestSound::write(m_clip, std::vector<float>(300, 0.25f), SF_FORMAT_WAV | SF_FORMAT_FLOAT));
}

bool TestAudioEngine::started(SoundStartLog& log, int count)
{
    QElapsedTimer clock;
    clock.start();
    while (log.frames.size() < count && !clock.hasExpired(waitBoundMs(1250))) {
        QCoreApplication::processEvents();
        AudioEngine::instance()->poll();
    }
    return log.frames.size() == count;
}

void TestAudioEngine::handOverLosesNothing()
{
    AudioEngine* engine = AudioEngine::instance();
    SoundStartLog log;
    std::mt19937 random(13);
    QVector<AudioVoice*> voices;
    for (int i = 0; i < 4; ++i)
        voices << engine->openVoice(m_clip);
    Mixer mixer;
    int starts = 0;
    // Each step waits for the mixer, which a busy machine schedules late:
    // there it takes as many steps as twenty seconds allow, at least 5,000.
    const QDeadlineTimer busyMachine(20000);
    for (int op = 0; op < 100000 && (op < 5000 || !busyMachine.hasExpired()); ++op) {
        AudioVoice*& voice = voices[int(random() % 4)];
        const qint64 seek = qint64(random() % 300);
        switch (random() % 6) {
        case 0: // stop and play, as at the end of a sound
            voice->pause();
            voice->setCurrentTime(0);
            voice->play();
            QVERIFY2(started(log, ++starts), qPrintable(QString("start %1 lost").arg(op)));
            break;
        case 1: // a start at a time of its own
            voice->pause();
            voice->playAt(AudioEngine::clockNs() + 100000);
            QVERIFY2(started(log, ++starts), qPrintable(QString("start %1 lost").arg(op)));
            break;
        case 2: // seek while it may be playing
            voice->setCurrentTime(double(seek) / 44100);
            break;
        case 3: { // pause, seek and stay
            voice->pause();
            voice->setCurrentTime(double(seek) / 44100);
            Mixer::waitForPeriods();
            QVERIFY2(!voice->isPlaying() && std::lround(voice->currentTime() * 44100) == seek,
                qPrintable(QString("stop %1 lost").arg(op)));
            break;
        }
        case 4: // release and take a new one
            voice->release();
            voice = engine->openVoice(m_clip);
            break;
        default:
            Mixer::waitForPeriods();
            break;
        }
    }
    for (AudioVoice* voice : voices)
        voice->release();
    QCOMPARE(log.frames.size(), starts);
}

void TestAudioEngine::chordDecodedAfterThePressStartsTogether()
{
    // GIVEN six files at a rate the engine converts; three are decoded, and
    // the other three wait behind a long file the worker decodes ahead
    QStringList paths;
    for (int string = 0; string < 6; ++string) {
        paths << m_dir.filePath(QStringLiteral("string%1.wav").arg(string));
        QVERIFY(TestSound::write(paths.back(), TestSound::sine(48000, 110.0 * (string + 1), 0.1f),
            SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000));
    }
    const QString ahead = m_dir.filePath(QStringLiteral("ahead.wav"));
    QVERIFY(TestSound::write(
        ahead, TestSound::sine(25 * 48000, 220, 0.1f), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000));
    AudioEngine* engine = AudioEngine::instance();
    engine->setManualClock(false);
    SoundStartLog log;
    QVector<AudioVoice*> voices;
    for (int string = 0; string < 3; ++string)
        voices << engine->openVoice(paths[string]);
    QTRY_VERIFY(std::all_of(
        paths.begin(), paths.begin() + 3, [engine](auto& path) { return engine->isReady(path); }));
    engine->prefetch({ahead});
    for (int string = 3; string < 6; ++string)
        voices << engine->openVoice(paths[string]);

    // WHEN all six are played in one call, and the call returns at once
    for (AudioVoice* voice : voices)
        voice->play();
    engine->commit();

    // THEN all six begin in the same frame, once the last has its first frames
    QVERIFY(started(log, 6));
    QCOMPARE(log.frames, QVector<qint64>(6, log.frames.value(0)));
    QCOMPARE(voices.last()->duration(), 1.0);
    for (AudioVoice* voice : voices)
        voice->release();
    engine->setManualClock(true);
}

void TestAudioEngine::cacheKeepsToItsBudget()
{
    // GIVEN a cache with room for two clips of 400 bytes
    using DIReridArazi::AudioClip;
    DIReridArazi::AudioClipCache cache(1000);
    auto clip = [] { return std::make_shared<AudioClip>(1, std::vector<qint16>(200, 1)); };
    QVERIFY(QFile::copy(m_clip, m_dir.filePath("b.wav")));
    QVERIFY(QFile::copy(m_clip, m_dir.filePath("c.wav")));
    cache.insert(m_clip, clip());
    cache.insert(m_dir.filePath("b.wav"), clip());
    QVERIFY(cache.find(m_dir.filePath("b.wav")));

    // WHEN the first is used again and a third comes
    QVERIFY(cache.find(m_clip));
    cache.insert(m_dir.filePath("c.wav"), clip());

    // THEN the one used least recently goes
    QCOMPARE(cache.bytes(), qint64(800));
    QVERIFY(cache.find(m_clip) && cache.find(m_dir.filePath("c.wav")));
    QVERIFY(!cache.find(m_dir.filePath("b.wav")));
}

void TestAudioEngine::streamBeginsReadAhead_data()
{
    QTest::addColumn<qint64>("fromMs");
    QTest::addColumn<qint64>("heldMs");
    QTest::newRow("from its start") << qint64(0) << qint64(740);
    QTest::newRow("in its last half second") << qint64(30500) << qint64(500);
}

// A streamed file may begin to play only once the worker has read some
// 0.75 s ahead, or the rest of the file: a disk that is slow right after
// the start then leaves no gap.
void TestAudioEngine::streamBeginsReadAhead()
{
    QFETCH(qint64, fromMs);
    QFETCH(qint64, heldMs);
    // GIVEN a file long enough to be streamed, whose every frame tells its
    // place, sought and about to play
    constexpr qint64 places = 16384;
    const QString path = m_dir.filePath(QStringLiteral("places.wav"));
    if (!QFile::exists(path)) {
        std::vector<float> samples(size_t(31 * 44100));
        for (size_t n = 0; n < samples.size(); ++n)
            samples[n] = float(qint64(n) % places) / 32768.f;
        QVERIFY(TestSound::write(path, samples, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    }
    using DIReridArazi::AudioFileReader;
    const auto stream = DIReridArazi::AudioStream::make(std::make_unique<AudioFileReader>(path));
    QVERIFY(stream);
    const qint64 from = fromMs * 441 / 10;
    stream->seekTo(from);
    stream->willPlay();

    // WHEN the worker has read the first block, THEN it may not begin yet
    QVERIFY(stream->fill());
    QVERIFY(!stream->hasFrames(from));

    // WHEN it reads on until the play may begin, THEN it plays that long
    // with nothing more read, every frame once
    while (!stream->hasFrames(from) && stream->fill()) { }
    QVERIFY(stream->hasFrames(from));
    const qint64 held = heldMs * 441 / 10;
    std::vector<float> mix(size_t(2 * held), 0.f);
    QCOMPARE(stream->mixInto(mix.data(), from, held, 1.f, 1.f), held);
    for (qint64 f = 0; f < held; ++f) {
        const qint64 place = std::lround(double(mix[size_t(2 * f)]) * 32768);
        QVERIFY2(place == (from + f) % places, qPrintable(QStringLiteral("frame %1").arg(f)));
    }
}

// Without a sound device the output still keeps time: the metronome's face
// and a song's position follow its frames.
void TestAudioEngine::dummyDeviceKeepsTime()
{
    AudioEngine* engine = AudioEngine::instance();
    engine->setManualClock(false);
    const auto manualAgain = qScopeGuard([engine] { engine->setManualClock(true); });
    engine->openOutput();
    QCOMPARE(engine->driverName(), QStringLiteral("dummy"));
    QTest::qWait(100);
    QElapsedTimer clock;
    clock.start();
    const qint64 from = engine->framesMixed();
    QTest::qWait(2000);
    const double rate = double(engine->framesMixed() - from) * 1e9 / double(clock.nsecsElapsed());
    QVERIFY2(qAbs(rate / 44100 - 1) < 0.08, qPrintable(QString::number(rate)));
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestAudioEngine test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AudioEngine.moc"
