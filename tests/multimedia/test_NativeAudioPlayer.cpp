#include "App.h"
#include "AudioEngine.h"
#include "NativeAudioPlayer.h"
#include "TestSound.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sndfile.h>

#include <memory>

using DIReridArazi::NativeAudioPlayer;

namespace {

constexpr int wavFloat = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
constexpr int mp3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;

qint64 framesOf(qint64 ms)
{
    return ms * 441 / 10;
}

// The level of the left and right channel at a stereo frame.
QPair<float, float> levelAt(const std::vector<float>& stereo, qint64 frame)
{
    return {stereo[size_t(2 * frame)], stereo[size_t(2 * frame + 1)]};
}

} // namespace

// The player runs on the engine's manual clock: the test decides how much
// sound has been produced when the 500 ms ticks come.
class TestNativeAudioPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void shortSoundFinishesAtFirstTick();
    void longSoundFinishesAtThirdTick();
    void finishedPlayerIsSilent();
    void pauseResumesAndStopRewinds();
    void setMediaWhilePlayingEndsAtNextTick();
    void fileNameFollowsSetMediaOnly();
    void volumeAndMute();
    void balanceAppliesToCurrentMediaOnly();
    void positionRounding_data();
    void positionRounding();
    void durationTruncation_data();
    void durationTruncation();
    void deletingPlayingPlayerSilencesIt();
    void badFiles_data();
    void badFiles();
    void truncatedFilePlaysWhatItHolds_data();
    void truncatedFilePlaysWhatItHolds();

private:
    QString file(const QString& name) const
    {
        return m_dir.filePath(name);
    }
    // A constant level of 0.5, so the mix shows volume and pan directly.
    QString flatFile(const QString& name, qint64 ms);

    QTemporaryDir m_dir;
};

void TestNativeAudioPlayer::initTestCase()
{
    QVERIFY(m_dir.isValid());
    DIReridArazi::AudioEngine::instance()->setManualClock(true);
}

QString TestNativeAudioPlayer::flatFile(const QString& name, qint64 ms)
{
    const QString path = file(name);
    if (!QFile::exists(path))
        TestSound::write(path, TestSound::constant(framesOf(ms), 0.5f), wavFloat);
    return path;
}

void TestNativeAudioPlayer::shortSoundFinishesAtFirstTick()
{
    // GIVEN a playing 200 ms sound that has been produced in full
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    QSignalSpy position(&player, &NativeAudioPlayer::positionChanged);
    QElapsedTimer clock;
    clock.start();
    player.play(flatFile("200ms.wav", 200));
    QVERIFY(player.isPlaying());
    TestSound::render(framesOf(300));
    QVERIFY(!player.isPlaying());

    // THEN the first tick reports the end, once
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
    QVERIFY(clock.elapsed() >= 400);
    QCOMPARE(position.count(), 0);
    QTest::qWait(600);
    QCOMPARE(finished.count(), 1);
}

void TestNativeAudioPlayer::longSoundFinishesAtThirdTick()
{
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    QSignalSpy position(&player, &NativeAudioPlayer::positionChanged);
    player.play(flatFile("1200ms.wav", 1200));

    // WHEN the sound keeps pace with the ticks
    TestSound::render(framesOf(500));
    QTRY_COMPARE_WITH_TIMEOUT(position.count(), 1, 5000);
    QCOMPARE(position.at(0).at(0).toLongLong(), 500);
    TestSound::render(framesOf(500));
    QTRY_COMPARE_WITH_TIMEOUT(position.count(), 2, 5000);
    QCOMPARE(position.at(1).at(0).toLongLong(), 1000);
    QCOMPARE(finished.count(), 0);
    TestSound::render(framesOf(500));

    // THEN the third tick finds it ended
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
    QCOMPARE(position.count(), 2);
}

void TestNativeAudioPlayer::finishedPlayerIsSilent()
{
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    player.play(flatFile("200ms.wav", 200));
    TestSound::render(framesOf(300));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);

    // WHEN played again after the end
    player.play();
    player.pause();
    player.stop();
    player.play();

    // THEN nothing sounds and everything reads 0
    QCOMPARE(TestSound::peak(TestSound::render(framesOf(100))), 0.f);
    QCOMPARE(player.position(), 0);
    QCOMPARE(player.duration(), 0);
    QVERIFY(!player.isPlaying());
    QVERIFY(!player.isStopped());
    QVERIFY(!player.isPaused());
    QTest::qWait(600);
    QCOMPARE(finished.count(), 1);
}

void TestNativeAudioPlayer::pauseResumesAndStopRewinds()
{
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    player.play(flatFile("2000ms.wav", 2000));
    TestSound::render(framesOf(100));

    // pause holds the place, and the sound is silent meanwhile
    player.pause();
    QVERIFY(player.isPaused());
    QVERIFY(!player.isPlaying());
    QCOMPARE(TestSound::peak(TestSound::render(framesOf(100))), 0.f);
    QCOMPARE(player.position(), 100);
    QTest::qWait(600);

    // play resumes there
    player.play();
    TestSound::render(framesOf(100));
    QCOMPARE(player.position(), 200);

    // stop rewinds, play starts at 0
    player.stop();
    QVERIFY(player.isStopped());
    QCOMPARE(player.position(), 0);
    player.play();
    const std::vector<float> sound = TestSound::render(framesOf(50));
    QCOMPARE(levelAt(sound, 0).first, 0.25f);
    QCOMPARE(player.position(), 50);
    QTest::qWait(600);
    QCOMPARE(finished.count(), 0);
}

void TestNativeAudioPlayer::setMediaWhilePlayingEndsAtNextTick()
{
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    player.play(flatFile("2000ms.wav", 2000));
    TestSound::render(framesOf(100));

    // WHEN other media is opened without play()
    player.setMedia(flatFile("1200ms.wav", 1200));

    // THEN the old sound stops, the new one does not start
    QCOMPARE(TestSound::peak(TestSound::render(framesOf(100))), 0.f);
    QVERIFY(!player.isPlaying());
    QCOMPARE(player.duration(), 1200);
    // and the next tick releases the new media as ended
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
    QCOMPARE(player.duration(), 0);
}

void TestNativeAudioPlayer::fileNameFollowsSetMediaOnly()
{
    NativeAudioPlayer player;
    const QString path = flatFile("200ms.wav", 200);
    player.play(path);
    QCOMPARE(player.fileName(), QString());
    player.setMedia(path);
    QCOMPARE(player.fileName(), path);
    player.setMedia(file("missing.mp3"));
    QCOMPARE(player.fileName(), file("missing.mp3"));
}

void TestNativeAudioPlayer::volumeAndMute()
{
    NativeAudioPlayer player;
    QCOMPARE(player.volume(), 0.5);
    QVERIFY(!player.isMuted());

    // GIVEN a volume set before play(path), THEN the sound plays at it
    player.setVolume(0.3);
    player.play(flatFile("2000ms.wav", 2000));
    QCOMPARE(levelAt(TestSound::render(256), 0).first, 0.5f * 0.3f);

    // WHEN muted, THEN silent; unmuted, THEN back
    player.setMuted(true);
    QVERIFY(player.isMuted());
    QCOMPARE(TestSound::peak(TestSound::render(256)), 0.f);
    player.setMuted(false);
    QCOMPARE(player.volume(), 0.3);
    QCOMPARE(levelAt(TestSound::render(256), 0).first, 0.5f * 0.3f);

    // WHEN muted twice, THEN the second mute saved 0 and unmuting keeps it silent
    player.setMuted(true);
    player.setMuted(true);
    player.setMuted(false);
    QCOMPARE(player.volume(), 0.0);
    QVERIFY(player.isMuted());
    QCOMPARE(TestSound::peak(TestSound::render(256)), 0.f);
}

void TestNativeAudioPlayer::balanceAppliesToCurrentMediaOnly()
{
    NativeAudioPlayer player;
    const QString path = flatFile("2000ms.wav", 2000);

    // setBalance before play(path) is lost with the new media
    player.setMedia(path);
    player.setBalance(-1.f);
    player.play(path);
    QCOMPARE(levelAt(TestSound::render(256), 0), qMakePair(0.25f, 0.25f));

    // on the current media it pans at once
    player.setBalance(-1.f);
    QCOMPARE(levelAt(TestSound::render(256), 0), qMakePair(0.25f, 0.f));
    player.setBalance(0.5f);
    QCOMPARE(levelAt(TestSound::render(256), 0), qMakePair(0.125f, 0.25f));
}

void TestNativeAudioPlayer::positionRounding_data()
{
    QTest::addColumn<qint64>("frames");
    QTest::addColumn<qint64>("ms");
    // 1234.5 ms falls between two frames at 44.1 kHz.
    QTest::newRow("just below 1234.5 rounds down") << qint64(54441) << qint64(1234);
    QTest::newRow("just above 1234.5 rounds up") << qint64(54442) << qint64(1235);
    QTest::newRow("a whole second") << qint64(44100) << qint64(1000);
    QTest::newRow("the first frame") << qint64(1) << qint64(0);
}

void TestNativeAudioPlayer::positionRounding()
{
    QFETCH(qint64, frames);
    QFETCH(qint64, ms);
    NativeAudioPlayer player;
    player.play(flatFile("2000ms.wav", 2000));
    TestSound::render(frames);
    QCOMPARE(player.position(), ms);
}

void TestNativeAudioPlayer::durationTruncation_data()
{
    QTest::addColumn<qint64>("frames");
    QTest::addColumn<qint64>("ms");
    QTest::newRow("2.99998 s truncates") << qint64(132299) << qint64(2999);
    QTest::newRow("exactly 3 s") << qint64(132300) << qint64(3000);
    QTest::newRow("one frame") << qint64(1) << qint64(0);
}

void TestNativeAudioPlayer::durationTruncation()
{
    QFETCH(qint64, frames);
    QFETCH(qint64, ms);
    const QString path = file(QStringLiteral("frames%1.wav").arg(frames));
    QVERIFY(TestSound::write(path, TestSound::constant(frames, 0.5f), wavFloat));
    NativeAudioPlayer player;
    player.setMedia(path);
    QCOMPARE(player.duration(), ms);
}

void TestNativeAudioPlayer::deletingPlayingPlayerSilencesIt()
{
    auto player = std::make_unique<NativeAudioPlayer>();
    QSignalSpy finished(player.get(), &NativeAudioPlayer::finished);
    player->play(flatFile("2000ms.wav", 2000));
    QCOMPARE(TestSound::peak(TestSound::render(256)), 0.25f);
    player.reset();
    QCOMPARE(TestSound::peak(TestSound::render(256)), 0.f);
    QCOMPARE(finished.count(), 0);
}

void TestNativeAudioPlayer::badFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QByteArray mp3Head;
    QVERIFY(TestSound::write(file("whole.mp3"), TestSound::sine(44100, 440, 0.3f), mp3));
    QFile whole(file("whole.mp3"));
    QVERIFY(whole.open(QIODevice::ReadOnly));
    mp3Head = whole.read(40);
    QVERIFY(TestSound::write(file("empty.wav"), {}, wavFloat));
    QFile emptyWav(file("empty.wav"));
    QVERIFY(emptyWav.open(QIODevice::ReadOnly));

    QTest::newRow("missing file") << QString("missing.mp3") << QByteArray();
    QTest::newRow("empty file") << QString("empty.mp3") << QByteArray("");
    QTest::newRow("text named mp3")
        << QString("text.mp3") << QByteArray("Not a sound at all.\nJust some text.\n");
    QTest::newRow("mp3 cut in its first frame") << QString("cut.mp3") << mp3Head;
    QTest::newRow("wav of no frames") << QString("noframes.wav") << emptyWav.readAll();
}

void TestNativeAudioPlayer::badFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString path = file(name);
    if (!content.isNull()) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
    }
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    player.play(path);
    QVERIFY(!player.isPlaying());
    QVERIFY(!player.isStopped());
    QCOMPARE(player.duration(), 0);
    QCOMPARE(TestSound::peak(TestSound::render(256)), 0.f);
    QTest::qWait(600);
    QCOMPARE(finished.count(), 0);
}

void TestNativeAudioPlayer::truncatedFilePlaysWhatItHolds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format");
    QTest::newRow("wav") << QString("long.wav") << wavFloat;
    QTest::newRow("mp3") << QString("long.mp3") << mp3;
}

void TestNativeAudioPlayer::truncatedFilePlaysWhatItHolds()
{
    QFETCH(QString, name);
    QFETCH(int, format);
    // GIVEN a 2 s file cut to half its bytes
    const QString path = file(name);
    QVERIFY(TestSound::write(path, TestSound::sine(framesOf(2000), 440, 0.3f), format));
    QFile cut(path);
    QVERIFY(cut.resize(cut.size() / 2));

    // THEN it plays about one second and ends
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    player.play(path);
    QVERIFY(player.isPlaying());
    QVERIFY2(player.duration() > 800 && player.duration() < 1200,
        qPrintable(QString::number(player.duration())));
    QVERIFY(TestSound::peak(TestSound::render(framesOf(500))) > 0.1f);
    TestSound::render(framesOf(1000));
    QVERIFY(!player.isPlaying());
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestNativeAudioPlayer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_NativeAudioPlayer.moc"
