#include "App.h"
#include "AudioClip.h"
#include "AudioEngine.h"
#include "AudioEngineObserver.h"
#include "NativeAudioPlayer.h"
#include "SampleName.h"
#include "ToneAnalysis.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstring>

using DIReridArazi::AudioClip;
using DIReridArazi::AudioEngine;
using DIReridArazi::NativeAudioPlayer;
using DIReridArazi::SampleName;

namespace {

// E major on the guitar, open position: E2 B2 E3 G#3 B3 E4.
const int chord[6] = {40, 47, 52, 56, 59, 64};

QString capturePath()
{
    return QDir(QString::fromLocal8Bit(qgetenv("HOME"))).filePath(QStringLiteral("capture.raw"));
}

class StartRecorder : public DIReridArazi::AudioEngineObserver
{
public:
    void voiceStarted(const QString& name, qint64 frame) override
    {
        starts.append({name, frame});
    }

    QVector<QPair<QString, qint64>> starts;
};

} // namespace

// The real mixed output, written by SDL's "disk" driver, while a chord
// page's six players start in one call.
class TestAudioCapture : public QObject
{
    Q_OBJECT

private slots:
    void chordStartsTogetherAndHoldsItsNotes();

private:
    std::vector<float> capture();
};

std::vector<float> TestAudioCapture::capture()
{
    QFile file(capturePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<float> stereo(size_t(bytes.size()) / sizeof(float));
    std::memcpy(stereo.data(), bytes.constData(), stereo.size() * sizeof(float));
    return stereo;
}

void TestAudioCapture::chordStartsTogetherAndHoldsItsNotes()
{
    AudioEngine* engine = AudioEngine::instance();
    StartRecorder recorder;
    engine->addObserver(&recorder);
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
    QTRY_VERIFY_WITH_TIMEOUT(std::none_of(players.begin(), players.end(),
                                 [](const QPointer<NativeAudioPlayer>& p) { return p; }),
        20000);
    engine->poll();
    engine->removeObserver(&recorder);
    engine->setManualClock(true);

    // THEN the engine started all six at one output frame
    QCOMPARE(recorder.starts.size(), 6);
    const qint64 onset = recorder.starts.at(0).second;
    for (const auto& start : recorder.starts)
        QCOMPARE(start.second, onset);

    // and the device received exactly the sum of the six samples from that
    // frame on: one voice a sample early or late would leave a residue.
    const std::vector<float> out = capture();
    const qint64 span = 2 * 44100;
    QVERIFY(qint64(out.size()) >= 2 * (onset + span));
    std::vector<float> expected(size_t(span + 256), 0.f);
    for (int midi : chord) {
        const auto clip = AudioClip::decode(folder + SampleName::fileName("guitar", 440, midi));
        QVERIFY(clip);
        for (qint64 n = 0; n < span && n < clip->frames(); ++n)
            expected[size_t(256 + n)] += 0.5f * clip->data()[n];
    }
    float residue = 0.f;
    float level = 0.f;
    for (qint64 n = 0; n < span + 256; ++n) {
        const float left = out[size_t(2 * (onset - 256 + n))];
        const float right = out[size_t(2 * (onset - 256 + n) + 1)];
        residue = std::max({residue, std::fabs(left - expected[size_t(n)]),
            std::fabs(right - expected[size_t(n)])});
        level = std::max(level, std::fabs(expected[size_t(n)]));
    }
    QVERIFY2(residue < 1e-5f, qPrintable(QString::number(residue)));
    QVERIFY(level > 0.1f);

    // and the spectrum of the mix peaks at each of the six fundamentals,
    // above the semitones beside them
    std::vector<float> left(out.size() / 2);
    for (size_t i = 0; i < left.size(); ++i)
        left[i] = out[2 * i];
    const qint64 from = onset + 13230;
    for (int midi : chord) {
        const double f = SampleName::frequency(440, midi);
        const double semitone = std::pow(2.0, 1.0 / 12);
        const double peak = std::abs(ToneAnalysis::spectrumAt(left, f, from, 44100));
        const double below = std::abs(ToneAnalysis::spectrumAt(left, f / semitone, from, 44100));
        const double above = std::abs(ToneAnalysis::spectrumAt(left, f * semitone, from, 44100));
        QVERIFY2(peak > 10 * std::max(below, above), qPrintable(SampleName::noteName(midi)));
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
