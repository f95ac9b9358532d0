#include "../common/PeakMemory.h"
#include "AudioClip.h"
#include "AudioEngine.h"
#include "NativeAudioPlayer.h"
#include "TestSound.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sndfile.h>

using DIReridArazi::AudioClip;
using DIReridArazi::AudioEngine;
using DIReridArazi::NativeAudioPlayer;
using Container = TestSound::Container;

// What a sound file's header claims, its channels, rate and length, costs no
// more than the file can hold, whether it is played or decoded.
class TestAudioClip : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void headerClaimsCostWhatTheFileHolds_data();
    void headerClaimsCostWhatTheFileHolds();

private:
    QTemporaryDir m_dir;
};

void TestAudioClip::initTestCase()
{
    QVERIFY(m_dir.isValid());
    AudioEngine::instance()->setManualClock(true);
}

void TestAudioClip::headerClaimsCostWhatTheFileHolds_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("channels");
    QTest::addColumn<qint64>("frames");

    // A FLAC file of a tenth of a second whose header claims 2^36 frames.
    const QString flac = m_dir.filePath(QStringLiteral("claims.flac"));
    QVERIFY(
        TestSound::write(flac, std::vector<float>(4410, 0.25f), SF_FORMAT_FLAC | SF_FORMAT_PCM_16));
    QFile file(flac);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray claims = file.readAll();
    // The low 36 bits of the stream information's eight bytes at 18.
    uchar info[8];
    qToBigEndian(qFromBigEndian<quint64>(claims.constData() + 18) | ((quint64(1) << 36) - 1), info);
    claims.replace(18, 8, reinterpret_cast<const char*>(info), 8);

    QTest::newRow("WAV of 1,024 channels at 383,987 Hz holding one frame")
        << "many.wav" << TestSound::pcmFile(Container::Wav, 383987, 1024, 1) << 0 << qint64(0);
    QTest::newRow("AIFF of 1,024 channels at 383,987 Hz holding one frame")
        << "many.aiff" << TestSound::pcmFile(Container::Aiff, 383987, 1024, 1) << 0 << qint64(0);
    QTest::newRow("CAF of 1,024 channels at 383,987 Hz holding one frame")
        << "many.caf" << TestSound::pcmFile(Container::Caf, 383987, 1024, 1) << 0 << qint64(0);
    QTest::newRow("WAV of 33 channels is refused")
        << "33.wav" << TestSound::pcmFile(Container::Wav, 44100, 33, 1000) << 0 << qint64(0);
    QTest::newRow("WAV of 32 channels at 383,987 Hz plays its first two")
        << "32.wav" << TestSound::pcmFile(Container::Wav, 383987, 32, 1000) << 2 << qint64(115);
    QTest::newRow("CAF of 32 channels plays its first two")
        << "32.caf" << TestSound::pcmFile(Container::Caf, 44100, 32, 1000) << 2 << qint64(1000);
    QTest::newRow("FLAC of 0.1 s claiming 2^36 frames")
        << "claims.flac" << claims << 1 << qint64(4410);
}

void TestAudioClip::headerClaimsCostWhatTheFileHolds()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(int, channels);
    QFETCH(qint64, frames);
    const QString path = m_dir.filePath(QStringLiteral("played-") + name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();

    // WHEN the file is played and decoded
    QVERIFY(resetPeakMemory());
    const qint64 before = peakMemoryKiB();
    NativeAudioPlayer player;
    player.play(path);
    const std::shared_ptr<AudioClip> clip = AudioClip::decode(path);
    const qint64 growth = peakMemoryKiB() - before;

    // THEN the memory it took stays far below what the header claims
    QVERIFY2(growth < 200 * 1024, qPrintable(QStringLiteral("%1 KiB").arg(growth)));
    if (frames == 0) {
        // and a file of too many channels is refused
        QVERIFY(!clip);
        QVERIFY(!player.isPlaying());
        QCOMPARE(player.duration(), 0);
        return;
    }
    // or the file plays as long as it is, its first two channels
    QVERIFY(player.isPlaying());
    QVERIFY(clip);
    QCOMPARE(clip->channels(), channels);
    QCOMPARE(clip->frames(), frames);
    const qint64 middle = frames / 2 * channels;
    QVERIFY2(qAbs(clip->sample(middle) - 0.25f) < 0.01f,
        qPrintable(QString::number(clip->sample(middle))));
    QVERIFY(channels == 1 || qAbs(clip->sample(middle + 1) + 0.25f) < 0.01f);
    // and its clip holds no more than the file's sound, not the minute a
    // header may claim
    QVERIFY2(clip->bytes() < 1024 * 1024, qPrintable(QString::number(clip->bytes())));
}

QTEST_GUILESS_MAIN(TestAudioClip)
#include "test_AudioClip.moc"
