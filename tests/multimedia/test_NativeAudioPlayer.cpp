#include "../common/RunawayBound.h"
#include "App.h"
#include "AudioEngine.h"
#include "NativeAudioPlayer.h"
#include "SdlCaptureSource.h"
#include "TestSound.h"

#include <SDL.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sndfile.h>

#include <cmath>
#include <memory>

using DIReridArazi::AudioEngine;
using DIReridArazi::NativeAudioPlayer;

namespace {

constexpr int wavFloat = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
constexpr int mp3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
// The notes of E major on a guitar, E2 to E4.
const double chord[6] = {82.407, 123.471, 164.814, 207.652, 246.942, 329.628};

qint64 framesOf(qint64 ms)
{
    return ms * 441 / 10;
}

// A ramp whose level tells each frame's place in the file, modulo 16384,
// exactly at the default volume of 0.5.
std::vector<float> ramp(qint64 frames)
{
    std::vector<float> samples(size_t(frames), 0.f);
    for (qint64 n = 0; n < frames; ++n)
        samples[size_t(n)] = float(n % 16384) / 32768.f;
    return samples;
}

// Mixes until the ramp has played from its place `from` to `to`; false as soon
// as a frame is missed or repeated. Frames the stream did not have ready in
// time are silent and hold the place.
bool rampPlays(qint64 from, qint64 to)
{
    for (int round = 0; from < to && round < 10000; ++round) {
        const std::vector<float> mix = TestSound::render(std::min<qint64>(4096, to - from));
        for (size_t f = 0; f < mix.size() && from < to; f += 2) {
            const qint64 place = std::lround(double(mix[f]) * 65536);
            if (place == from % 16384)
                ++from;
            else if (place != 0)
                return false;
        }
        if (from < to)
            QThread::msleep(1);
    }
    return from == to;
}

// The left channel of the mix from the sound's first frame on, that many
// frames; fewer when nothing sounds for as long as only a hang takes. Mixed
// no faster than a device plays, so that a stream's worker has the time it
// has there: a slow disk may hold the start back, never the frames measured.
std::vector<float> heardFromItsStart(qint64 frames)
{
    constexpr qint64 piece = 2048;
    std::vector<float> left;
    QElapsedTimer waited;
    waited.start();
    while (
        qint64(left.size()) < frames && !(left.empty() && waited.hasExpired(waitBoundMs(5000)))) {
        QThread::usleep(piece * 1000000 / 44100);
        const std::vector<float> mix = TestSound::render(piece);
        for (size_t f = 0; f < mix.size() && qint64(left.size()) < frames; f += 2) {
            if (!left.empty() || mix[f] != 0.f)
                left.push_back(mix[f]);
        }
    }
    return left;
}

// The levels of the left and right channel at the first frame of the mix.
QPair<float, float> firstFrame(const std::vector<float>& stereo)
{
    return {stereo[0], stereo[1]};
}

float peakOf(qint64 ms)
{
    return TestSound::peak(TestSound::render(framesOf(ms)));
}

} // namespace

// The player and the engine's mix run on the engine's manual clock: the test
// decides how much sound has been produced when the 500 ms ticks come. That
// the voices of one call start in the same sample is shown on the real
// output by test_AudioCapture.
class TestNativeAudioPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void endIsSeenAtTheTick_data();
    void endIsSeenAtTheTick();
    void pauseResumesAndStopRewinds();
    void setMediaWhilePlayingEndsAtNextTick();
    void volumeMuteAndBalance();
    void positionAndDuration_data();
    void positionAndDuration();
    void deletingPlayingPlayerSilencesIt();
    void badFiles_data();
    void badFiles();
    void truncatedFilePlaysWhatItHolds_data();
    void truncatedFilePlaysWhatItHolds();
    void limiterSparesOneChordAndHoldsTwo();
    void changedFileIsDecodedAgain();
    void otherRatesKeepLengthAndPitch_data();
    void otherRatesKeepLengthAndPitch();
    void longFileStreamsAndSeeks();
    void streamSoughtBackPlaysOnAtOnce();
    void deviceThatAppearsLaterIsUsed();

private:
    QString file(const QString& name, const std::vector<float>& samples);
    // A constant level of 0.5, so the mix shows volume and pan directly.
    QString flatFile(qint64 frames);
    // Starts one player per file in one call; each deletes itself at its end.
    void playAll(const QStringList& paths);

    QTemporaryDir m_dir;
};

void TestNativeAudioPlayer::initTestCase()
{
    QVERIFY(m_dir.isValid());
    AudioEngine::instance()->setManualClock(true);
}

QString TestNativeAudioPlayer::file(const QString& name, const std::vector<float>& samples)
{
    const QString path = m_dir.filePath(name);
    return TestSound::write(path, samples, wavFloat) ? path : QString();
}

QString TestNativeAudioPlayer::flatFile(qint64 frames)
{
    const QString name = QStringLiteral("%1.wav").arg(frames);
    if (QFile::exists(m_dir.filePath(name)))
        return m_dir.filePath(name);
    return file(name, std::vector<float>(size_t(frames), 0.5f));
}

void TestNativeAudioPlayer::playAll(const QStringList& paths)
{
    for (const QString& path : paths) {
        auto* player = new NativeAudioPlayer(this);
        connect(player, &NativeAudioPlayer::finished, player, &QObject::deleteLater);
        player->play(path);
    }
}

void TestNativeAudioPlayer::endIsSeenAtTheTick_data()
{
    QTest::addColumn<int>("ms");
    QTest::addColumn<int>("ticks");
    QTest::newRow("200 ms ends at the first tick") << 200 << 1;
    QTest::newRow("1.2 s ends at the third tick") << 1200 << 3;
}

void TestNativeAudioPlayer::endIsSeenAtTheTick()
{
    QFETCH(int, ms);
    QFETCH(int, ticks);
    // GIVEN a playing sound that keeps pace with the ticks
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    QSignalSpy position(&player, &NativeAudioPlayer::positionChanged);
    QElapsedTimer clock;
    clock.start();
    player.play(flatFile(framesOf(ms)));
    QVERIFY(player.isPlaying());
    for (int tick = 1; tick < ticks; ++tick) {
        TestSound::render(framesOf(500));
        QTRY_COMPARE_WITH_TIMEOUT(position.count(), tick, 5000);
        QCOMPARE(position.last().at(0).toLongLong(), 500 * tick);
    }
    TestSound::render(framesOf(500));
    QVERIFY(!player.isPlaying());

    // THEN the next tick reports the end, once
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
    QVERIFY(clock.elapsed() >= 400 * ticks);
    QCOMPARE(position.count(), ticks - 1);

    // and played again after the end, nothing sounds and everything reads 0
    player.play();
    player.pause();
    player.stop();
    player.play();
    QCOMPARE(peakOf(100), 0.f);
    QCOMPARE(player.position(), 0);
    QCOMPARE(player.duration(), 0);
    QVERIFY(!player.isPlaying() && !player.isStopped() && !player.isPaused());
    QTest::qWait(600);
    QCOMPARE(finished.count(), 1);
}

void TestNativeAudioPlayer::pauseResumesAndStopRewinds()
{
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    player.play(flatFile(framesOf(2000)));
    TestSound::render(framesOf(100));

    // pause holds the place, and the sound is silent meanwhile
    player.pause();
    QVERIFY(player.isPaused() && !player.isPlaying());
    QCOMPARE(peakOf(100), 0.f);
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
    QCOMPARE(firstFrame(TestSound::render(framesOf(50))).first, 0.25f);
    QCOMPARE(player.position(), 50);
    QTest::qWait(600);
    QCOMPARE(finished.count(), 0);
}

void TestNativeAudioPlayer::setMediaWhilePlayingEndsAtNextTick()
{
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    const QString path = flatFile(framesOf(2000));
    player.play(path);
    QCOMPARE(player.fileName(), QString());
    TestSound::render(framesOf(100));

    // WHEN other media is opened without play()
    player.setMedia(flatFile(framesOf(1200)));

    // THEN the old sound stops, the new one does not start
    QCOMPARE(player.fileName(), flatFile(framesOf(1200)));
    QCOMPARE(peakOf(100), 0.f);
    QVERIFY(!player.isPlaying());
    QCOMPARE(player.duration(), 1200);
    // and the next tick releases the new media as ended
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
    QCOMPARE(player.duration(), 0);
}

void TestNativeAudioPlayer::volumeMuteAndBalance()
{
    // GIVEN a volume and a balance set before play(path)
    NativeAudioPlayer player;
    const QString path = flatFile(framesOf(2000));
    player.setMedia(path);
    player.setVolume(0.6);
    player.setBalance(-1.f);
    player.play(path);

    // THEN the sound plays at that volume, but the balance went with the old media
    QCOMPARE(firstFrame(TestSound::render(256)), qMakePair(0.3f, 0.3f));
    player.setBalance(-1.f);
    QCOMPARE(firstFrame(TestSound::render(256)), qMakePair(0.3f, 0.f));
    player.setBalance(0.5f);
    QCOMPARE(firstFrame(TestSound::render(256)), qMakePair(0.15f, 0.3f));

    // WHEN muted, THEN silent; unmuted, THEN back
    player.setMuted(true);
    QVERIFY(player.isMuted());
    QCOMPARE(TestSound::peak(TestSound::render(256)), 0.f);
    player.setMuted(false);
    QCOMPARE(player.volume(), 0.6);
    QCOMPARE(firstFrame(TestSound::render(256)).second, 0.3f);

    // WHEN muted twice, THEN the second mute saved 0 and unmuting keeps it silent
    player.setMuted(true);
    player.setMuted(true);
    player.setMuted(false);
    QCOMPARE(player.volume(), 0.0);
    QVERIFY(player.isMuted());
    QCOMPARE(TestSound::peak(TestSound::render(256)), 0.f);
}

void TestNativeAudioPlayer::positionAndDuration_data()
{
    QTest::addColumn<qint64>("fileFrames");
    QTest::addColumn<qint64>("playedFrames");
    QTest::addColumn<qint64>("duration");
    QTest::addColumn<qint64>("position");
    // 1234.5 ms falls between two frames at 44.1 kHz.
    QTest::newRow("2.99998 s truncates, just above 1234.5 ms rounds up")
        << qint64(132299) << qint64(54442) << qint64(2999) << qint64(1235);
    QTest::newRow("exactly 3 s, just below 1234.5 ms rounds down")
        << qint64(132300) << qint64(54441) << qint64(3000) << qint64(1234);
    QTest::newRow("a whole second, the first frame")
        << qint64(44100) << qint64(1) << qint64(1000) << qint64(0);
    QTest::newRow("one frame") << qint64(1) << qint64(0) << qint64(0) << qint64(0);
}

void TestNativeAudioPlayer::positionAndDuration()
{
    QFETCH(qint64, fileFrames);
    QFETCH(qint64, playedFrames);
    QFETCH(qint64, duration);
    QFETCH(qint64, position);
    NativeAudioPlayer player;
    player.play(flatFile(fileFrames));
    TestSound::render(playedFrames);
    QCOMPARE(player.duration(), duration);
    QCOMPARE(player.position(), position);
}

void TestNativeAudioPlayer::deletingPlayingPlayerSilencesIt()
{
    auto player = std::make_unique<NativeAudioPlayer>();
    QSignalSpy finished(player.get(), &NativeAudioPlayer::finished);
    player->play(flatFile(framesOf(2000)));
    QCOMPARE(TestSound::peak(TestSound::render(256)), 0.25f);
    player.reset();
    QCOMPARE(TestSound::peak(TestSound::render(256)), 0.f);
    QCOMPARE(finished.count(), 0);
}

void TestNativeAudioPlayer::badFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    const QString whole = m_dir.filePath("whole.mp3");
    const QString noFrames = m_dir.filePath("noframes.wav");
    QVERIFY(TestSound::write(whole, TestSound::sine(44100, 440, 0.3f), mp3));
    QVERIFY(TestSound::write(noFrames, {}, wavFloat));
    QFile mp3File(whole);
    QFile wavFile(noFrames);
    QVERIFY(mp3File.open(QIODevice::ReadOnly) && wavFile.open(QIODevice::ReadOnly));

    QTest::newRow("missing file") << QString("missing.mp3") << QByteArray();
    QTest::newRow("empty file") << QString("empty.mp3") << QByteArray("");
    QTest::newRow("text named mp3") << QString("text.mp3") << QByteArray("Not a sound.\n");
    QTest::newRow("mp3 cut in its first frame") << QString("cut.mp3") << mp3File.read(40);
    QTest::newRow("wav of no frames") << QString("noframes.wav") << wavFile.readAll();
    QTest::newRow("wav at 16.6 MHz")
        << QString("fast.wav") << TestSound::pcmFile(TestSound::Container::Wav, 16588608, 1, 2745);
}

void TestNativeAudioPlayer::badFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath(name);
    QFile out(path);
    QVERIFY(content.isNull() || (out.open(QIODevice::WriteOnly) && out.write(content) >= 0));
    out.close();
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    player.play(path);
    QVERIFY(!player.isPlaying() && !player.isStopped());
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
    const QString path = m_dir.filePath(name);
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
    QVERIFY(peakOf(500) > 0.1f);
    TestSound::render(framesOf(1000));
    QVERIFY(!player.isPlaying());
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
}

void TestNativeAudioPlayer::limiterSparesOneChordAndHoldsTwo()
{
    // GIVEN six notes with the samples' headroom at the default volume
    QStringList notes;
    for (double frequency : chord)
        notes << file(
            QString::number(frequency) + ".wav", TestSound::sine(44100, frequency, 0.25f));
    playAll(notes);
    const std::vector<float> mix = TestSound::render(22050);

    // THEN the mix is their plain sum in both channels, to the 16-bit samples'
    // precision: the limiter leaves it alone
    for (qint64 f = 0; f < 22050; f += 7) {
        double sum = 0;
        for (double frequency : chord)
            sum += 0.5 * 0.25 * std::sin(2 * M_PI * frequency * double(f) / 44100);
        QVERIFY(std::fabs(mix[size_t(2 * f)] - sum) < 1e-4);
        QCOMPARE(mix[size_t(2 * f)], mix[size_t(2 * f + 1)]);
    }
    TestSound::render(44100);

    // WHEN two full chords sound at once, whose sum would reach 1.5
    const QString flat = file("flat.wav", std::vector<float>(44100, 0.25f));
    for (int i = 0; i < 12; ++i)
        playAll({flat});
    const std::vector<float> loud = TestSound::render(22050);

    // THEN the limiter holds them below full scale without choking them
    QVERIFY(TestSound::peak(loud) <= 0.9f);
    QVERIFY(loud.back() > 0.85f);
    TestSound::render(2 * 44100);

    // and once they are gone it lets a single note through again
    QCOMPARE(TestSound::peak(TestSound::render(256)), 0.f);
    playAll({flat});
    QCOMPARE(TestSound::render(256).front(), 0.125f);
    TestSound::render(44100);
}

void TestNativeAudioPlayer::changedFileIsDecodedAgain()
{
    const QString path = file("rewritten.wav", std::vector<float>(44100, 0.25f));
    NativeAudioPlayer player;
    player.setMedia(path);
    QCOMPARE(player.duration(), 1000);
    QVERIFY(!file("rewritten.wav", std::vector<float>(2 * 44100, 0.25f)).isEmpty());
    player.setMedia(path);
    QCOMPARE(player.duration(), 2000);
}

void TestNativeAudioPlayer::otherRatesKeepLengthAndPitch_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("seconds");
    QTest::newRow("22.05 kHz") << 22050 << 2;
    QTest::newRow("48 kHz") << 48000 << 2;
    QTest::newRow("96 kHz") << 96000 << 2;
    QTest::newRow("48 kHz, streamed") << 48000 << 31;
}

void TestNativeAudioPlayer::otherRatesKeepLengthAndPitch()
{
    // GIVEN some seconds of 1 kHz at another rate
    QFETCH(int, rate);
    QFETCH(int, seconds);
    const QString path = m_dir.filePath(QStringLiteral("%1-%2.wav").arg(rate).arg(seconds));
    QVERIFY(TestSound::write(
        path, TestSound::sine(qint64(seconds) * rate, 1000, 0.5f, rate), wavFloat, rate));

    // THEN it lasts that long and sounds at 1 kHz, at its level
    NativeAudioPlayer player;
    player.play(path);
    QVERIFY2(std::abs(player.duration() - 1000 * seconds) <= 1,
        qPrintable(QString::number(player.duration())));
    const std::vector<float> left = heardFromItsStart(framesOf(1900));
    QCOMPARE(qint64(left.size()), framesOf(1900));
    QCOMPARE(std::lround(TestSound::measure(left, 1000, 4410) * 100), 100000L);
    QVERIFY(std::fabs(TestSound::peak(left) - 0.25f) < 0.01f);
}

void TestNativeAudioPlayer::longFileStreamsAndSeeks()
{
    // GIVEN a file long enough to be streamed from disk
    const QString path = m_dir.filePath(QStringLiteral("long.wav"));
    QVERIFY(TestSound::write(path, ramp(framesOf(40000)), wavFloat));
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    player.play(path);
    QCOMPARE(player.duration(), 40000);

    // THEN it plays from its start, every frame once
    QVERIFY(rampPlays(0, 50000));

    // and a seek forward, then back, plays on from there
    player.setPosition(30000);
    QVERIFY(rampPlays(framesOf(30000), framesOf(30000) + 50000));
    player.setPosition(1000);
    QVERIFY(rampPlays(framesOf(1000), framesOf(1000) + 10000));

    // and the end is seen
    player.setPosition(39900);
    QVERIFY(rampPlays(framesOf(39900), framesOf(40000)));
    TestSound::render(256);
    QVERIFY(!player.isPlaying());
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
}

void TestNativeAudioPlayer::streamSoughtBackPlaysOnAtOnce()
{
    // GIVEN a streamed file playing its last second, so that its end has been read
    const QString path = m_dir.filePath(QStringLiteral("long-end.wav"));
    QVERIFY(TestSound::write(path, ramp(framesOf(31000)), wavFloat));
    NativeAudioPlayer player;
    player.setMedia(path);
    player.setPosition(30000);
    player.play();
    QVERIFY(rampPlays(framesOf(30000), framesOf(30500)));

    // WHEN it is paused, sought back, and played again once the worker had
    // time to fill the ring
    player.pause();
    player.setPosition(700);
    QTest::qWait(200);
    player.play();

    // THEN the ring held what follows the seek, and nothing else: most of a
    // second plays at once, every frame once
    const std::vector<float> mix = TestSound::render(framesOf(900));
    for (qint64 f = 0; f < framesOf(900); ++f) {
        const qint64 place = std::lround(double(mix[size_t(2 * f)]) * 65536);
        QVERIFY2(place == (framesOf(700) + f) % 16384, qPrintable(QString::number(f)));
    }
}

void TestNativeAudioPlayer::deviceThatAppearsLaterIsUsed()
{
    // Every variable the test changes later is set before SDL's audio thread
    // runs: adding one moves the environment, which that thread reads.
    QFile input(m_dir.filePath("in.raw"));
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_dir.filePath("out.raw")));
    qputenv("SDL_DISKAUDIOFILEIN", QFile::encodeName(input.fileName()));

    // GIVEN a driver that cannot open
    qputenv("SDL_AUDIODRIVER", "nosuchdriver");
    AudioEngine* engine = AudioEngine::instance();
    engine->setManualClock(false);
    const QString path = file("short.wav", std::vector<float>(8820, 0.25f));

    // WHEN a sound plays, THEN the engine runs on the dummy driver
    NativeAudioPlayer player;
    QSignalSpy finished(&player, &NativeAudioPlayer::finished);
    player.play(path);
    QCOMPARE(engine->driverName(), QString("dummy"));

    // WHEN a device appears, THEN a play at once stays on the dummy, where
    // time passes and the end is seen
    qputenv("SDL_AUDIODRIVER", "disk");
    player.play(path);
    QCOMPARE(engine->driverName(), QString("dummy"));
    const qint64 before = engine->framesMixed();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
    QVERIFY(engine->framesMixed() >= before + 8820);

    // and a play some seconds later moves to the device
    QTRY_VERIFY_WITH_TIMEOUT((player.play(path), engine->driverName() == "disk"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(m_dir.filePath("out.raw")).size() > 0, 10000);
    engine->setManualClock(true);
    QCOMPARE(engine->driverName(), QString());

    // and capture was never sent to the dummy
    QVERIFY(input.open(QIODevice::WriteOnly) && input.write(QByteArray(65536, 0)) > 0);
    input.close();
    DIReridArazi::SdlCaptureSource capture;
    QVERIFY(capture.open(44100, 1));
    QCOMPARE(QString(SDL_GetCurrentAudioDriver()), QString("disk"));
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestNativeAudioPlayer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_NativeAudioPlayer.moc"
