#include "../common/SoundStartLog.h"
#include "App.h"
#include "AudioClipCache.h"
#include "AudioEngine.h"
#include "AudioVoice.h"
#include "TestSound.h"

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
    void cacheKeepsToItsBudget();

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
    while (log.frames.size() < count && !clock.hasExpired(5000)) {
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
    for (int op = 0; op < 100000; ++op) {
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

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestAudioEngine test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AudioEngine.moc"
