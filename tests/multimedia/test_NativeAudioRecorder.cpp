#include "AudioCaptureSource.h"
#include "NativeAudioRecorder.h"
#include "PlatformAudioRecorder.h"

#include <QtTest>

#include <sndfile.h>

extern "C" {
#include <libavformat/avformat.h>
}

#include <memory>

using namespace DIReridArazi;

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
    explicit FakeCaptureSource(long long frames, bool* paused)
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
        if (*m_paused)
            return 0;
        const int count = int(qMin<long long>(maxFrames, m_remaining));
        for (int i = 0; i < count; ++i) {
            for (int channel = 0; channel < m_channelCount; ++channel)
                frames[i * m_channelCount + channel] = sampleAt(m_delivered + i, channel);
        }
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

struct SoundFileFacts
{
    int type = 0;
    int sampleRate = 0;
    int channels = 0;
    long long frames = -1;
    float maxError = 1.0f;
};

SoundFileFacts readSoundFile(const QString& path)
{
    SoundFileFacts facts;
    SF_INFO info {};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return facts;
    facts.type = info.format & SF_FORMAT_TYPEMASK;
    facts.sampleRate = info.samplerate;
    facts.channels = info.channels;
    facts.frames = info.frames;
    QVector<float> samples(int(info.frames) * info.channels);
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    facts.maxError = 0.0f;
    for (int i = 0; i < samples.size(); ++i) {
        const float expected = sampleAt(i / info.channels, i % info.channels);
        facts.maxError = qMax(facts.maxError, qAbs(samples[i] - expected));
    }
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
    void recordsFromCaptureSource_data();
    void recordsFromCaptureSource();
    void destroyedWhileRecordingCompletesTheFile_data();
    void destroyedWhileRecordingCompletesTheFile();
    void suspendAndResume();
    void recordsThroughSdlCapture();
    void stopWithoutStart();
    void startRemembersTheFileName();
    void formatRoundTrip();
    void unwritableFileIsSafe();

private:
    QTemporaryDir m_dir;
};

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
}

void TestNativeAudioRecorder::recordsFromCaptureSource()
{
    QFETCH(QString, fileName);
    QFETCH(int, sampleRate);
    QFETCH(int, channels);
    QFETCH(int, frames);
    QFETCH(int, type);
    QFETCH(qint64, milliseconds);

    // GIVEN a recorder fed by a source of known sound
    NativeAudioRecorder recorder;
    bool paused = false;
    installFakeSource(recorder, frames, &paused);
    recorder.setFormat(formatOf(QStringLiteral("WAV"), sampleRate, channels));
    QSignalSpy finished(&recorder, &NativeAudioRecorder::finished);
    const QString path = m_dir.filePath(fileName);

    // WHEN it records all of it and stops
    recorder.slotStart(path);
    QVERIFY(!recorder.isStopped());
    QTRY_COMPARE_WITH_TIMEOUT(recorder.processedUSecs(), milliseconds, 10000);
    recorder.slotStop();

    // THEN the file holds that sound at the format's rate and channels
    QCOMPARE(finished.count(), 1);
    QVERIFY(recorder.isStopped());
    const SoundFileFacts facts = readSoundFile(path);
    QCOMPARE(facts.type, type);
    QCOMPARE(facts.sampleRate, sampleRate);
    QCOMPARE(facts.channels, channels);
    QCOMPARE(facts.frames, qint64(frames));
    QVERIFY2(facts.maxError <= 1.0f / 32768.0f, qPrintable(QString::number(facts.maxError)));
}

void TestNativeAudioRecorder::destroyedWhileRecordingCompletesTheFile_data()
{
    QTest::addColumn<QString>("codec");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("WAV") << "WAV"
                         << "cut.wav";
    QTest::newRow("MPEG4ACC") << "MPEG4ACC"
                              << "cut.m4a";
    QTest::newRow("CAF codec is AAC too") << "CAF"
                                          << "cut-caf.m4a";
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

void TestNativeAudioRecorder::suspendAndResume()
{
    NativeAudioRecorder recorder;
    bool paused = true;
    installFakeSource(recorder, 4410, &paused);
    recorder.slotStart(m_dir.filePath(QStringLiteral("suspended.wav")));
    recorder.slotSuspend();
    QVERIFY(paused);
    QVERIFY(!recorder.isStopped());

    recorder.slotResume();
    QVERIFY(!paused);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.processedUSecs(), qint64(100), 10000);
    recorder.slotStop();
    QCOMPARE(readSoundFile(m_dir.filePath(QStringLiteral("suspended.wav"))).frames, 4410LL);
}

void TestNativeAudioRecorder::recordsThroughSdlCapture()
{
    // SDL's dummy driver captures silence in real time.
    NativeAudioRecorder recorder;
    QCOMPARE(recorder.availableInputDevices(), QStringList {recorder.defaultInputDevice()});
    QVERIFY(!recorder.defaultInputDevice().isEmpty());
    recorder.setFormat(formatOf(QStringLiteral("WAV"), 22050, 1));
    const QString path = m_dir.filePath(QStringLiteral("sdl.wav"));

    recorder.slotStart(path);
    QTRY_VERIFY_WITH_TIMEOUT(recorder.processedUSecs() >= 100, 20000);
    recorder.slotStop();

    SF_INFO info {};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    QVERIFY(file);
    sf_close(file);
    QCOMPARE(info.samplerate, 22050);
    QCOMPARE(info.channels, 1);
    QCOMPARE(qint64(qRound(float(info.frames * 1000.0 / 22050.0))), recorder.processedUSecs());
}

void TestNativeAudioRecorder::stopWithoutStart()
{
    NativeAudioRecorder recorder;
    QSignalSpy finished(&recorder, &NativeAudioRecorder::finished);
    QVERIFY(recorder.isStopped());
    recorder.slotStop();
    QCOMPARE(finished.count(), 1);
    QVERIFY(recorder.isStopped());
    QCOMPARE(recorder.processedUSecs(), qint64(0));
}

void TestNativeAudioRecorder::startRemembersTheFileName()
{
    NativeAudioRecorder recorder;
    bool paused = false;
    const QString path = m_dir.filePath(QStringLiteral("again.wav"));
    installFakeSource(recorder, 441, &paused);
    recorder.slotStart(path);
    QCOMPARE(recorder.outputFileName(), path);
    recorder.slotStop();
    QVERIFY(QFile::remove(path));

    installFakeSource(recorder, 882, &paused);
    recorder.slotStart();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.processedUSecs(), qint64(20), 10000);
    recorder.slotStop();
    QCOMPARE(readSoundFile(path).frames, 882LL);
}

void TestNativeAudioRecorder::formatRoundTrip()
{
    NativeAudioRecorder recorder;
    MAudioFormat format = formatOf(QStringLiteral("AIFF"), 96000, 6);
    format.sampleSize = 24;
    format.bitRate = 256000;
    format.quality = 0;
    recorder.setFormat(format);
    const MAudioFormat result = recorder.format();
    QCOMPARE(result.codec, format.codec);
    QCOMPARE(result.sampleRate, format.sampleRate);
    QCOMPARE(result.channelCount, format.channelCount);
    QCOMPARE(result.sampleSize, format.sampleSize);
    QCOMPARE(result.bitRate, format.bitRate);
    QCOMPARE(result.quality, format.quality);
}

void TestNativeAudioRecorder::unwritableFileIsSafe()
{
    NativeAudioRecorder recorder;
    QSignalSpy finished(&recorder, &NativeAudioRecorder::finished);
    recorder.slotStart(m_dir.filePath(QStringLiteral("missing/folder/take.wav")));
    QVERIFY(!recorder.isStopped());
    recorder.slotSuspend();
    recorder.slotResume();
    recorder.slotStop();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(recorder.processedUSecs(), qint64(0));
}

QTEST_GUILESS_MAIN(TestNativeAudioRecorder)
#include "test_NativeAudioRecorder.moc"
