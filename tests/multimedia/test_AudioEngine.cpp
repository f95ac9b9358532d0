#include "App.h"
#include "AudioEngine.h"
#include "AudioEngineObserver.h"
#include "NativeAudioPlayer.h"
#include "TestSound.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sndfile.h>

#include <algorithm>
#include <cmath>

using DIReridArazi::AudioEngine;
using DIReridArazi::NativeAudioPlayer;

namespace {

constexpr int wavFloat = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
// The notes of E major on a guitar, E2 to E4.
const double chord[6] = {82.407, 123.471, 164.814, 207.652, 246.942, 329.628};

class StartRecorder : public DIReridArazi::AudioEngineObserver
{
public:
    StartRecorder()
    {
        AudioEngine::instance()->addObserver(this);
    }
    ~StartRecorder() override
    {
        AudioEngine::instance()->removeObserver(this);
    }
    void voiceStarted(const QString& name, qint64 frame) override
    {
        starts.append({name, frame});
    }

    QVector<QPair<QString, qint64>> starts;
};

} // namespace

class TestAudioEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void voicesOfOneCallStartInTheSameSample();
    void sixNotesKeepTheirShape();
    void twoLoudChordsDoNotClip();
    void changedFileIsDecodedAgain();
    void withoutDeviceTheDummyDriverKeepsTime();
    void cleanupTestCase();

private:
    QStringList chordFiles(const QString& prefix, float amplitude);
    // Starts one player per file in one call; they delete themselves at the end.
    void playAll(const QStringList& paths);

    QTemporaryDir m_dir;
    QList<QPointer<NativeAudioPlayer>> m_players;
};

void TestAudioEngine::initTestCase()
{
    QVERIFY(m_dir.isValid());
    AudioEngine::instance()->setManualClock(true);
}

QStringList TestAudioEngine::chordFiles(const QString& prefix, float amplitude)
{
    QStringList paths;
    for (double frequency : chord) {
        const QString path = m_dir.filePath(prefix + QString::number(frequency) + ".wav");
        TestSound::write(path, TestSound::sine(44100, frequency, amplitude), wavFloat);
        paths << path;
    }
    return paths;
}

void TestAudioEngine::playAll(const QStringList& paths)
{
    for (const QString& path : paths) {
        auto* player = new NativeAudioPlayer;
        connect(player, &NativeAudioPlayer::finished, player, &QObject::deleteLater);
        player->play(path);
        m_players << player;
    }
}

void TestAudioEngine::voicesOfOneCallStartInTheSameSample()
{
    StartRecorder recorder;
    const QStringList paths = chordFiles("same", 0.25f);

    // WHEN six players start in one call, then two more a period later
    playAll(paths);
    TestSound::render(256);
    playAll(paths.mid(0, 2));
    TestSound::render(256);
    AudioEngine::instance()->poll();

    // THEN the six share one frame, the later two the next period
    QCOMPARE(recorder.starts.size(), 8);
    QStringList started;
    for (int i = 0; i < 6; ++i) {
        started << recorder.starts.at(i).first;
        QCOMPARE(recorder.starts.at(i).second, recorder.starts.at(0).second);
    }
    started.sort();
    QStringList expected = paths;
    expected.sort();
    QCOMPARE(started, expected);
    QCOMPARE(recorder.starts.at(6).second, recorder.starts.at(0).second + 256);
    QCOMPARE(recorder.starts.at(7).second, recorder.starts.at(0).second + 256);
    TestSound::render(44100);
}

void TestAudioEngine::sixNotesKeepTheirShape()
{
    // GIVEN six notes with the samples' headroom at the default volume
    playAll(chordFiles("shape", 0.25f));
    const std::vector<float> mix = TestSound::render(22050);

    // THEN the mix is their plain sum: the limiter leaves it alone
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
    const QString flat = m_dir.filePath("flat.wav");
    QVERIFY(TestSound::write(flat, TestSound::constant(44100, 0.25f), wavFloat));
    QStringList twelve;
    for (int i = 0; i < 12; ++i)
        twelve << flat;
    playAll(twelve);
    const std::vector<float> loud = TestSound::render(22050);

    // THEN the limiter holds it below full scale without choking it
    QVERIFY(TestSound::peak(loud) <= 0.9f);
    QVERIFY(loud[loud.size() - 1] > 0.85f);
    TestSound::render(44100);

    // and once the chords are gone it lets a single note through again
    playAll(chordFiles("after", 0.25f).mid(0, 1));
    TestSound::render(44100);
    QVERIFY(TestSound::peak(TestSound::render(256)) < 0.01f);
    playAll({flat});
    const std::vector<float> single = TestSound::render(256);
    QCOMPARE(single[0], 0.125f);
    TestSound::render(44100);
}

void TestAudioEngine::changedFileIsDecodedAgain()
{
    const QString path = m_dir.filePath("rewritten.wav");
    QVERIFY(TestSound::write(path, TestSound::constant(44100, 0.25f), wavFloat));
    NativeAudioPlayer player;
    player.setMedia(path);
    QCOMPARE(player.duration(), 1000);
    player.setMedia(path);
    QCOMPARE(player.duration(), 1000);

    QVERIFY(TestSound::write(path, TestSound::constant(2 * 44100, 0.25f), wavFloat));
    player.setMedia(path);
    QCOMPARE(player.duration(), 2000);
}

void TestAudioEngine::withoutDeviceTheDummyDriverKeepsTime()
{
    // GIVEN a driver that cannot open
    qputenv("SDL_AUDIODRIVER", "nosuchdriver");
    AudioEngine* engine = AudioEngine::instance();
    engine->setManualClock(false);
    const QString path = m_dir.filePath("short.wav");
    QVERIFY(TestSound::write(path, TestSound::constant(8820, 0.25f), wavFloat));

    // WHEN a sound plays
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    player.play(path);

    // THEN the engine runs on the dummy driver, time passes and the end is seen
    QCOMPARE(engine->driverName(), QString("dummy"));
    const qint64 before = engine->framesMixed();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
    QVERIFY(engine->framesMixed() >= before + 8820);
    engine->setManualClock(true);
    QCOMPARE(engine->driverName(), QString());
}

void TestAudioEngine::cleanupTestCase()
{
    // Every player has played to its end and deleted itself.
    QTRY_VERIFY_WITH_TIMEOUT(std::all_of(m_players.begin(), m_players.end(),
                                 [](const QPointer<NativeAudioPlayer>& p) { return !p; }),
        5000);
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestAudioEngine test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AudioEngine.moc"
