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

#include <algorithm>
#include <cmath>
#include <cstring>

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

} // namespace

// The real mixed output, written by SDL's "disk" driver, while a chord
// page's six players start in one call.
class TestAudioCapture : public QObject
{
    Q_OBJECT

private slots:
    void chordStartsTogetherAndHoldsItsNotes();
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
    QFile file(capturePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    std::vector<float> out(size_t(bytes.size()) / sizeof(float));
    std::memcpy(out.data(), bytes.constData(), out.size() * sizeof(float));
    const qint64 span = 2 * 44100;
    std::vector<float> sum(size_t(span), 0.f);
    for (int midi : chord) {
        const auto clip
            = DIReridArazi::AudioClip::decode(folder + SampleName::fileName("guitar", 440, midi));
        QVERIFY(clip);
        for (qint64 n = 0; n < span && n < clip->frames(); ++n)
            sum[size_t(n)] += 0.5f * clip->data()[n];
    }
    const qint64 start = firstSound(out) / 2 - firstSound(sum);
    QVERIFY(start >= log.frames.at(0) && qint64(out.size()) >= 2 * (start + span));
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

int main(int argc, char** argv)
{
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(capturePath()));
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestAudioCapture test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AudioCapture.moc"
