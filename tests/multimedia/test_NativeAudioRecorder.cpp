#include "AudioCaptureSource.h"
#include "NativeAudioRecorder.h"
#include "PlatformAudioRecorder.h"
#include "RecorderSettings.h"

#include <QtTest>

#include <sndfile.h>

extern "C" {
#include <libavformat/avformat.h>
}

#include <memory>

using namespace DIReridArazi;
using FormatId = RecorderSettings::FormatId;

Q_DECLARE_METATYPE(FormatId)

namespace {

// A saw tooth per channel, the second channel inverted.
float sampleAt(long long frame, int channel)
{
    const float value = float(frame % 200 - 100) / 200.0f;
    return channel == 0 ? value : -value;
}

// Delivers a fixed number of frames, as fast as they are read.
class FakeCaptureSource : public AudioCaptureSource
{
public:
    FakeCaptureSource(long long frames, bool* paused)
        : m_remaining(frames)
        , m_paused(paused)
    {
    }

    bool open(int, int channelCount) override
    {
        m_channelCount = channelCount;
        *m_paused = true;
        return true;
    }
    void setPaused(bool paused) override
    {
        *m_paused = paused;
    }
    int read(float* frames, int maxFrames) override
    {
        const int count = *m_paused ? 0 : int(qMin<long long>(maxFrames, m_remaining));
        for (int i = 0; i < count * m_channelCount; ++i)
            frames[i] = sampleAt(m_delivered + i / m_channelCount, i % m_channelCount);
        m_delivered += count;
        m_remaining -= count;
        return count;
    }
    void close() override { }

private:
    long long m_remaining;
    long long m_delivered = 0;
    bool* m_paused;
    int m_channelCount = 0;
};

// The file as libsndfile reads it, and how far its samples are from the saw tooth.
struct SoundFileFacts
{
    SF_INFO info {};
    float maxError = 1.0f;
};

SoundFileFacts readSoundFile(const QString& path)
{
    SoundFileFacts facts;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &facts.info);
    if (!file)
        return facts;
    const int channels = facts.info.channels;
    QVector<float> samples(int(facts.info.frames) * channels);
    sf_readf_float(file, samples.data(), facts.info.frames);
    sf_close(file);
    facts.maxError = 0.0f;
    for (int i = 0; i < samples.size(); ++i)
        facts.maxError
            = qMax(facts.maxError, qAbs(samples[i] - sampleAt(i / channels, i % channels)));
    return facts;
}

void installFakeSource(NativeAudioRecorder& recorder, long long frames, bool* paused)
{
    recorder.findChild<PlatformAudioRecorder*>()->setCaptureSource(
        std::make_unique<FakeCaptureSource>(frames, paused));
}

MAudioFormat formatOf(const QString& codec, int sampleRate, int channelCount)
{
    MAudioFormat format;
    format.codec = codec;
    format.sampleRate = sampleRate;
    format.channelCount = channelCount;
    return format;
}

} // namespace

class TestNativeAudioRecorder : public QObject
{
    Q_OBJECT

private slots:
    void settingsOfAFormat_data();
    void settingsOfAFormat();
    void recordsFromCaptureSource_data();
    void recordsFromCaptureSource();
    void destroyedWhileRecordingCompletesTheFile_data();
    void destroyedWhileRecordingCompletesTheFile();
    void suspendResumeAndStartAgain();
    void stopsSafelyWithoutAFile();

private:
    QTemporaryDir m_dir;
};

void TestNativeAudioRecorder::settingsOfAFormat_data()
{
    QTest::addColumn<QString>("codec");
    QTest::addColumn<int>("quality");
    QTest::addColumn<int>("id");
    QTest::addColumn<FormatId>("formatId");
    QTest::addColumn<int>("encoderQuality");
    QTest::newRow("WAV, lowest quality") << "WAV" << 0 << 0 << FormatId::LinearPcm << 0;
    QTest::newRow("AIFF is linear PCM, low") << "AIFF" << 1 << 1 << FormatId::LinearPcm << 32;
    QTest::newRow("MPEG4ACC is AAC, medium") << "MPEG4ACC" << 2 << 2 << FormatId::Mpeg4Aac << 64;
    QTest::newRow("CAF is AAC, high") << "CAF" << 3 << 3 << FormatId::Mpeg4Aac << 96;
    QTest::newRow("lower-case caf is unknown, highest")
        << "caf" << 4 << 0 << FormatId::LinearPcm << 127;
    QTest::newRow("the usual AAC spelling is unknown, above the range is high")
        << "MPEG4AAC" << 5 << 0 << FormatId::LinearPcm << 96;
    QTest::newRow("trailing space is unknown, negative is high")
        << "AIFF " << -1 << 0 << FormatId::LinearPcm << 96;
    QTest::newRow("empty is unknown") << "" << 3 << 0 << FormatId::LinearPcm << 96;
}

void TestNativeAudioRecorder::settingsOfAFormat()
{
    QFETCH(QString, codec);
    QFETCH(int, quality);
    QFETCH(int, id);
    QFETCH(FormatId, formatId);
    QFETCH(int, encoderQuality);
    MAudioFormat format = formatOf(codec, 22050, 1);
    format.quality = quality;
    format.bitRate = 64000;
    QCOMPARE(MAudioFormat::codecIDFromString(codec), id);
    const RecorderSettings settings = recorderSettings(format);
    QCOMPARE(settings.formatId, formatId);
    QCOMPARE(settings.encoderAudioQuality, encoderQuality);
    QCOMPARE(settings.sampleRate, 22050.0f);
    QCOMPARE(settings.numberOfChannels, 1);
    QCOMPARE(settings.encoderBitRate,
        formatId == FormatId::Mpeg4Aac ? std::optional<int>(64000) : std::nullopt);
}

void TestNativeAudioRecorder::recordsFromCaptureSource_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("sampleRate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("type");
    QTest::addColumn<qint64>("milliseconds");
    QTest::newRow("WAV stereo 44.1 kHz")
        << "take.wav" << 44100 << 2 << 11025 << int(SF_FORMAT_WAV) << qint64(250);
    QTest::newRow("AIFF mono 22.05 kHz")
        << "take.aiff" << 22050 << 1 << 5513 << int(SF_FORMAT_AIFF) << qint64(250);
    QTest::newRow("CAF stereo 48 kHz, half rounds up")
        << "take.caf" << 48000 << 2 << 12024 << int(SF_FORMAT_CAF) << qint64(251);
    QTest::newRow("unknown suffix is WAV")
        << "take.rec" << 8000 << 1 << 799 << int(SF_FORMAT_WAV) << qint64(100);
    // SDL's dummy driver captures silence in real time.
    QTest::newRow("SDL's capture device, at least 100 ms")
        << "sdl.wav" << 22050 << 1 << 0 << int(SF_FORMAT_WAV) << qint64(100);
}

void TestNativeAudioRecorder::recordsFromCaptureSource()
{
    QFETCH(QString, fileName);
    QFETCH(int, sampleRate);
    QFETCH(int, channels);
    QFETCH(int, frames);
    QFETCH(int, type);
    QFETCH(qint64, milliseconds);

    // GIVEN a recorder fed by a source of known sound, or by SDL
    NativeAudioRecorder recorder;
    bool paused = false;
    if (frames > 0)
        installFakeSource(recorder, frames, &paused);
    else
        QCOMPARE(recorder.availableInputDevices(), QStringList {recorder.defaultInputDevice()});
    recorder.setFormat(formatOf(QStringLiteral("WAV"), sampleRate, channels));
    QSignalSpy finished(&recorder, &NativeAudioRecorder::finished);
    const QString path = m_dir.filePath(fileName);

    // WHEN it records long enough and stops
    recorder.slotStart(path);
    QVERIFY(!recorder.isStopped());
    QTRY_VERIFY_WITH_TIMEOUT(recorder.processedUSecs() >= milliseconds, 20000);
    recorder.slotStop();

    // THEN the file holds that sound at the format's rate and channels
    QCOMPARE(finished.count(), 1);
    QVERIFY(recorder.isStopped());
    const SoundFileFacts facts = readSoundFile(path);
    QCOMPARE(facts.info.format & SF_FORMAT_TYPEMASK, type);
    QCOMPARE(facts.info.samplerate, sampleRate);
    QCOMPARE(facts.info.channels, channels);
    QCOMPARE(qRound64(double(facts.info.frames) * 1000 / sampleRate), recorder.processedUSecs());
    if (frames > 0) {
        QCOMPARE(recorder.processedUSecs(), milliseconds);
        QCOMPARE(facts.info.frames, sf_count_t(frames));
        QVERIFY2(facts.maxError <= 1.0f / 32768.0f, qPrintable(QString::number(facts.maxError)));
    }
}

void TestNativeAudioRecorder::destroyedWhileRecordingCompletesTheFile_data()
{
    QTest::addColumn<QString>("codec");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("WAV") << QString("WAV") << QString("cut.wav");
    QTest::newRow("MPEG4ACC") << QString("MPEG4ACC") << QString("cut.m4a");
    QTest::newRow("CAF codec is AAC too") << QString("CAF") << QString("cut-caf.m4a");
}

void TestNativeAudioRecorder::destroyedWhileRecordingCompletesTheFile()
{
    QFETCH(QString, codec);
    QFETCH(QString, fileName);
    const QString path = m_dir.filePath(fileName);
    const int frames = 22050;
    {
        NativeAudioRecorder recorder;
        bool paused = false;
        installFakeSource(recorder, frames, &paused);
        recorder.setFormat(formatOf(codec, 44100, 2));
        recorder.slotStart(path);
        QTRY_COMPARE_WITH_TIMEOUT(recorder.processedUSecs(), qint64(500), 10000);
    }

    AVFormatContext* container = nullptr;
    QCOMPARE(
        avformat_open_input(&container, QFile::encodeName(path).constData(), nullptr, nullptr), 0);
    QVERIFY(avformat_find_stream_info(container, nullptr) >= 0);
    QCOMPARE(int(container->nb_streams), 1);
    const AVCodecParameters* stream = container->streams[0]->codecpar;
    QCOMPARE(stream->sample_rate, 44100);
    QCOMPARE(stream->ch_layout.nb_channels, 2);
    QCOMPARE(
        stream->codec_id, codec == QLatin1String("WAV") ? AV_CODEC_ID_PCM_S16LE : AV_CODEC_ID_AAC);
    long long samples = 0;
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(container, packet) >= 0) {
        samples += packet->duration;
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    avformat_close_input(&container);
    // The AAC encoder adds its priming and padding frames.
    QVERIFY2(
        samples >= frames && samples <= frames + 3 * 1024, qPrintable(QString::number(samples)));
}

void TestNativeAudioRecorder::suspendResumeAndStartAgain()
{
    // GIVEN a recording suspended at once
    NativeAudioRecorder recorder;
    bool paused = true;
    const QString path = m_dir.filePath(QStringLiteral("again.wav"));
    installFakeSource(recorder, 441, &paused);
    recorder.slotStart(path);
    recorder.slotSuspend();
    QVERIFY(paused);
    QVERIFY(!recorder.isStopped());

    // WHEN resumed, THEN it goes on
    recorder.slotResume();
    QVERIFY(!paused);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.processedUSecs(), qint64(10), 10000);
    recorder.slotStop();
    QCOMPARE(recorder.outputFileName(), path);
    QVERIFY(QFile::remove(path));

    // and a start without a name records into the same file again
    installFakeSource(recorder, 882, &paused);
    recorder.slotStart();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.processedUSecs(), qint64(20), 10000);
    recorder.slotStop();
    QCOMPARE(readSoundFile(path).info.frames, sf_count_t(882));
}

void TestNativeAudioRecorder::stopsSafelyWithoutAFile()
{
    NativeAudioRecorder recorder;
    QSignalSpy finished(&recorder, &NativeAudioRecorder::finished);
    recorder.slotStop();
    QCOMPARE(finished.count(), 1);
    recorder.slotStart(m_dir.filePath(QStringLiteral("missing/folder/take.wav")));
    QVERIFY(!recorder.isStopped());
    recorder.slotSuspend();
    recorder.slotResume();
    recorder.slotStop();
    QCOMPARE(finished.count(), 2);
    QCOMPARE(recorder.processedUSecs(), qint64(0));
}

QTEST_GUILESS_MAIN(TestNativeAudioRecorder)
#include "test_NativeAudioRecorder.moc"
