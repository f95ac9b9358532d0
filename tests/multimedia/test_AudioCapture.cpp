#include "../common/SoundStartLog.h"
#include "App.h"
#include "AudioClip.h"
#include "NativeAudioPlayer.h"
#include "SampleName.h"
#include "TestSound.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QtTest>

#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

using DIReridArazi::AudioEngine;
using DIReridArazi::NativeAudioPlayer;
using DIReridArazi::SampleName;

namespace {

// E major on the guitar, open position: E2 B2 E3 G#3 B3 E4.
const int chord[6] = {40, 47, 52, 56, 59, 64};

qint64 firstSound(const std::vector<float>& samples)
{
    return std::find_if(samples.begin(), samples.end(), [](float s) { return s != 0.f; })
        - samples.begin();
}

QString capturePath()
{
    return QDir(qEnvironmentVariable("HOME")).filePath(QStringLiteral("capture.raw"));
}

// The stereo output the disk driver wrote since the device last opened.
std::vector<float> captured()
{
    QFile file(capturePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<float> out(size_t(bytes.size()) / sizeof(float));
    std::memcpy(out.data(), bytes.constData(), out.size() * sizeof(float));
    return out;
}

// The frames at which sound begins after silence, in the left channel.
QVector<qint64> onsets(const std::vector<float>& stereo)
{
    QVector<qint64> found;
    for (size_t n = 0; n + 1 < stereo.size(); n += 2) {
        if (stereo[n] != 0.f && (n == 0 || stereo[n - 2] == 0.f))
            found << qint64(n / 2);
    }
    return found;
}

// Empty when neighbours lie the spacing apart, give or take a frame;
// otherwise how far off each pair is.
QString offSpacing(const QVector<qint64>& frames, qint64 spacing)
{
    QString errors;
    bool off = false;
    for (int i = 1; i < frames.size(); ++i) {
        const qint64 error = frames[i] - frames[i - 1] - spacing;
        off = off || std::abs(error) > 1;
        errors += QString::number(error) + QLatin1Char(' ');
    }
    return off ? errors : QString();
}

// A ramp that never reaches 0, whose level tells each frame's place modulo
// 16383: at the default volume of 0.5, (1 + place) / 65536 exactly.
std::vector<float> ramp(qint64 frames)
{
    std::vector<float> samples(static_cast<size_t>(frames));
    for (qint64 n = 0; n < frames; ++n)
        samples[size_t(n)] = float(1 + n % 16383) / 32768.f;
    return samples;
}

// How many frames of the left channel from `from` on continue the ramp from
// its place `place`, one after the other.
qint64 rampRun(const std::vector<float>& stereo, qint64 from, qint64 place)
{
    qint64 run = 0;
    for (size_t n = size_t(2 * from); n < stereo.size(); n += 2, ++run) {
        if (std::lround(double(stereo[n]) * 65536) - 1 != (place + run) % 16383)
            break;
    }
    return run;
}

} // namespace

// The real mixed output, written by SDL's "disk" driver, while a chord
// page's six players start in one call.
class TestAudioCapture : public QObject
{
    Q_OBJECT

private slots:
    void chordStartsTogetherAndHoldsItsNotes();
    void scheduledStartsKeepTheirSpacing_data();
    void scheduledStartsKeepTheirSpacing();
    void streamedFilePlaysOnFromASeekBack_data();
    void streamedFilePlaysOnFromASeekBack();
};

void TestAudioCapture::chordStartsTogetherAndHoldsItsNotes()
{
    AudioEngine* engine = AudioEngine::instance();
    SoundStartLog log;
    const QString folder = DORuverud::App::theApp()->bundleResourcePath();

    // WHEN six players start in one call, as a chord page does
    QList<QPointer<NativeAudioPlayer>> players;
    for (int midi : chord) {
        auto* player = new NativeAudioPlayer;
        connect(player, &NativeAudioPlayer::finished, player, &QObject::deleteLater);
        player->play(folder + SampleName::fileName("guitar", 440, midi));
        players << player;
    }
    QCOMPARE(engine->driverName(), QString("disk"));
    QTRY_VERIFY_WITH_TIMEOUT(
        std::none_of(players.begin(), players.end(), [](auto& p) { return p; }), 20000);
    engine->poll();
    engine->setManualClock(true);

    // THEN the engine started all six at one output frame
    QCOMPARE(log.frames, QVector<qint64>(6, log.frames.value(0)));

    // and the device received exactly the sum of the six samples: one voice
    // a sample early or late would leave a residue. The device may play
    // silent periods before the first mix, so the output is aligned on its
    // first sound.
    const std::vector<float> out = captured();
    const qint64 span = 2 * 44100;
    std::vector<float> sum(size_t(span), 0.f);
    for (int midi : chord) {
        const auto clip
            = DIReridArazi::AudioClip::decode(folder + SampleName::fileName("guitar", 440, midi));
        QVERIFY(clip);
        for (qint64 n = 0; n < span && n < clip->frames(); ++n)
            sum[size_t(n)] += 0.5f * clip->sample(n);
    }
    const qint64 start = firstSound(out) / 2 - firstSound(sum);
    QVERIFY2(start >= log.frames.at(0) && qint64(out.size()) >= 2 * (start + span),
        qPrintable(QString("sound from frame %1, started at %2, %3 frames written")
                       .arg(start)
                       .arg(log.frames.at(0))
                       .arg(out.size() / 2)));
    QVERIFY(TestSound::peak(sum) > 0.1f);
    float residue = 0.f;
    for (qint64 n = 0; n < 2 * span; ++n)
        residue = std::max(residue, std::fabs(out[size_t(2 * start + n)] - sum[size_t(n / 2)]));
    QVERIFY2(residue < 1e-5f, qPrintable(QString::number(residue)));

    // and the spectrum of the mix peaks at each of the six fundamentals,
    // above the semitones beside them
    const double semitone = std::pow(2.0, 1.0 / 12);
    for (int midi : chord) {
        const double f = SampleName::frequency(440, midi);
        auto level = [&](double at) {
            return std::abs(TestSound::spectrumAt(out, at, start + 13230, 44100, 2));
        };
        QVERIFY2(level(f) > 10 * std::max(level(f / semitone), level(f * semitone)),
            qPrintable(SampleName::noteName(midi)));
    }
}

void TestAudioCapture::scheduledStartsKeepTheirSpacing_data()
{
    QTest::addColumn<bool>("oneByOne");
    QTest::newRow("asked for together") << false;
    QTest::newRow("asked for one by one, the GUI thread never idle") << true;
}

void TestAudioCapture::scheduledStartsKeepTheirSpacing()
{
    QFETCH(bool, oneByOne);
    using namespace std::chrono;
    constexpr int ticks = 8;
    constexpr qint64 spacingNs = 60'000'000;
    constexpr qint64 leadNs = 40'000'000;
    const qint64 spacing = spacingNs * 44100 / 1'000'000'000;
    const QString click = QDir(qEnvironmentVariable("HOME")).filePath("click.wav");
    QVERIFY(
        TestSound::write(click, std::vector<float>(200, 0.5f), SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    AudioEngine* engine = AudioEngine::instance();
    engine->setManualClock(false);
    SoundStartLog log;

    // WHEN clicks are asked for at exact intervals, the event loop never running
    QList<QPointer<NativeAudioPlayer>> players;
    bool late = false;
    const qint64 t0 = AudioEngine::clockNs() + 4 * leadNs;
    for (int k = 0; k < ticks; ++k) {
        const qint64 at = t0 + k * spacingNs;
        if (oneByOne)
            std::this_thread::sleep_until(steady_clock::time_point(nanoseconds(at - leadNs)));
        auto* player = new NativeAudioPlayer;
        connect(player, &NativeAudioPlayer::finished, player, &QObject::deleteLater);
        player->playAt(click, at);
        players << player;
        late = late || AudioEngine::clockNs() > at - leadNs / 2;
    }
    QCOMPARE(engine->driverName(), QString("disk"));
    std::this_thread::sleep_until(
        steady_clock::time_point(nanoseconds(t0 + ticks * spacingNs + leadNs)));
    QTRY_VERIFY_WITH_TIMEOUT(
        std::none_of(players.begin(), players.end(), [](auto& p) { return p; }), 10000);
    engine->poll();
    engine->setManualClock(true);
    QCOMPARE(log.frames.size(), ticks);
    if (late)
        QSKIP("The machine was too busy to ask for each click ahead of time");

    // THEN the engine started them, and the device played them, exactly that far apart
    const QVector<qint64> heard = onsets(captured());
    QCOMPARE(heard.size(), ticks);
    for (const QVector<qint64>& frames : {log.frames, heard}) {
        const QString off = offSpacing(frames, spacing);
        QVERIFY2(off.isEmpty(), qPrintable(off));
    }
}

void TestAudioCapture::streamedFilePlaysOnFromASeekBack_data()
{
    QTest::addColumn<bool>("stop");
    QTest::addColumn<qint64>("seekMs");
    QTest::newRow("stopped, so back at its start") << true << qint64(0);
    QTest::newRow("paused and sought back") << false << qint64(700);
}

void TestAudioCapture::streamedFilePlaysOnFromASeekBack()
{
    QFETCH(bool, stop);
    QFETCH(qint64, seekMs);
    // GIVEN a file long enough to be streamed from disk, playing its last
    // second: its end has been read, and the ring empties as it plays
    const QString path = QDir(qEnvironmentVariable("HOME")).filePath("long.wav");
    QVERIFY(TestSound::write(path, ramp(31 * 44100), SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    AudioEngine* engine = AudioEngine::instance();
    engine->setManualClock(false);
    NativeAudioPlayer player;
    player.setMedia(path);
    player.setPosition(30000);
    player.play();
    QTest::qWait(500);

    // WHEN it is stopped, or paused and sought back, and played again a
    // little later
    if (stop) {
        player.stop();
    } else {
        player.pause();
        player.setPosition(seekMs);
    }
    QTest::qWait(200);
    player.play();
    QTest::qWait(1500);
    player.stop();
    QCOMPARE(engine->driverName(), QString("disk"));
    engine->setManualClock(true);

    // THEN the device played the file from the seek point on for more than a
    // second: no frame missing, none twice, and no silence in between
    const std::vector<float> out = captured();
    const QVector<qint64> heard = onsets(out);
    QCOMPARE(heard.size(), 2);
    const qint64 run = rampRun(out, heard[1], seekMs * 441 / 10);
    QVERIFY2(run > 44100, qPrintable(QString::number(run)));
    // up to the stop, or the end of what the device wrote
    const size_t end = size_t(2 * (heard[1] + run));
    QVERIFY(end == out.size() || out[end] == 0.f);
}

int main(int argc, char** argv)
{
    qputenv("SDL_AUDIODRIVER", "disk");
    // The disk driver sleeps whole milliseconds a period: 6 ms keeps it a
    // little slower than a sound card, where 5 would run 14 % ahead of the clock.
    qputenv("SDL_DISKAUDIODELAY", "6");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(capturePath()));
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestAudioCapture test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AudioCapture.moc"
