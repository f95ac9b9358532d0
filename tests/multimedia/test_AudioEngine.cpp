#include "App.h"
#include "AudioEngine.h"
#include "NativeAudioPlayer.h"
#include "TestSound.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sndfile.h>

#include <cmath>

using DIReridArazi::AudioEngine;
using DIReridArazi::NativeAudioPlayer;

namespace {

constexpr int wavFloat = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
// The notes of E major on a guitar, E2 to E4.
const double chord[6] = {82.407, 123.471, 164.814, 207.652, 246.942, 329.628};

} // namespace

// The engine's mix on its manual clock; that the voices of one call start
// in the same sample is shown on the real output by test_AudioCapture.
class TestAudioEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sixNotesKeepTheirShape();
    void twoLoudChordsDoNotClip();
    void changedFileIsDecodedAgain();
    void withoutDeviceTheDummyDriverKeepsTime();

private:
    QString file(const QString& name, const std::vector<float>& samples);
    // Starts one player per file in one call; each deletes itself at its end.
    void playAll(const QStringList& paths);

    QTemporaryDir m_dir;
};

void TestAudioEngine::initTestCase()
{
    QVERIFY(m_dir.isValid());
    AudioEngine::instance()->setManualClock(true);
}

QString TestAudioEngine::file(const QString& name, const std::vector<float>& samples)
{
    const QString path = m_dir.filePath(name);
    return TestSound::write(path, samples, wavFloat) ? path : QString();
}

void TestAudioEngine::playAll(const QStringList& paths)
{
    for (const QString& path : paths) {
        auto* player = new NativeAudioPlayer(this);
        connect(player, &NativeAudioPlayer::finished, player, &QObject::deleteLater);
        player->play(path);
    }
}

void TestAudioEngine::sixNotesKeepTheirShape()
{
    // GIVEN six notes with the samples' headroom at the default volume
    QStringList notes;
    for (double frequency : chord)
        notes << file(
            QString::number(frequency) + ".wav", TestSound::sine(44100, frequency, 0.25f));
    playAll(notes);
    const std::vector<float> mix = TestSound::render(22050);

    // THEN the mix is their plain sum in both channels: the limiter leaves it alone
    for (qint64 f = 0; f < 22050; f += 7) {
        double sum = 0;
        for (double frequency : chord)
            sum += 0.5 * 0.25 * std::sin(2 * M_PI * frequency * double(f) / 44100);
        QVERIFY(std::fabs(mix[size_t(2 * f)] - sum) < 1e-5);
        QCOMPARE(mix[size_t(2 * f)], mix[size_t(2 * f + 1)]);
    }
    TestSound::render(44100);
}

void TestAudioEngine::twoLoudChordsDoNotClip()
{
    // GIVEN two full chords at once, whose sum would reach 1.5
    const QString flat = file("flat.wav", std::vector<float>(44100, 0.25f));
    for (int i = 0; i < 12; ++i)
        playAll({flat});
    const std::vector<float> loud = TestSound::render(22050);

    // THEN the limiter holds it below full scale without choking it
    QVERIFY(TestSound::peak(loud) <= 0.9f);
    QVERIFY(loud.back() > 0.85f);
    TestSound::render(2 * 44100);

    // and once the chords are gone it lets a single note through again
    QCOMPARE(TestSound::peak(TestSound::render(256)), 0.f);
    playAll({flat});
    QCOMPARE(TestSound::render(256).front(), 0.125f);
    TestSound::render(44100);
}

void TestAudioEngine::changedFileIsDecodedAgain()
{
    const QString path = file("rewritten.wav", std::vector<float>(44100, 0.25f));
    NativeAudioPlayer player;
    player.setMedia(path);
    QCOMPARE(player.duration(), 1000);
    QVERIFY(!file("rewritten.wav", std::vector<float>(2 * 44100, 0.25f)).isEmpty());
    player.setMedia(path);
    QCOMPARE(player.duration(), 2000);
}

void TestAudioEngine::withoutDeviceTheDummyDriverKeepsTime()
{
    // GIVEN a driver that cannot open
    qputenv("SDL_AUDIODRIVER", "nosuchdriver");
    AudioEngine* engine = AudioEngine::instance();
    engine->setManualClock(false);

    // WHEN a sound plays
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    player.play(file("short.wav", std::vector<float>(8820, 0.25f)));

    // THEN the engine runs on the dummy driver, time passes and the end is seen
    QCOMPARE(engine->driverName(), QString("dummy"));
    const qint64 before = engine->framesMixed();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
    QVERIFY(engine->framesMixed() >= before + 8820);
    engine->setManualClock(true);
    QCOMPARE(engine->driverName(), QString());
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestAudioEngine test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AudioEngine.moc"
