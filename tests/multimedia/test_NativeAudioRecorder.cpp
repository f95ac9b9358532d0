#include "../common/FullDisk.h"
#include "../common/RunawayBound.h"
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

// Delivers a fixed number of frames, as fast as they are read; or, given
// an error, does not open.
class FakeCaptureSource : public AudioCaptureSource
{
public:
    FakeCaptureSource(long long frames, bool* paused, const QString& error = QString())
        : m_remaining(frames)
        , m_paused(paused)
        , m_error(error)
    {
    }

    bool open(int, int channelCount) override
    {
        m_channelCount = channelCount;
        *m_paused = true;
        return m_error.isEmpty();
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
    QString errorString() const override
    {
        return m_error;
    }

private:
    long long m_remaining;
    long long m_delivered = 0;
    bool* m_paused;
    QString m_error;
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

// A WAV file's header: the size of its RIFF chunk, and where its sound
// data starts and how long it says the data is.
struct WavHeader
{
    qint64 riffSize = -1;
    qint64 dataStart = -1;
    qint64 dataSize = -1;
};

WavHeader readWavHeader(const QByteArray& bytes)
{
    WavHeader header;
    if (bytes.size() < 12 || !bytes.startsWith("RIFF"))
        return header;
    header.riffSize = qFromLittleEndian<quint32>(bytes.constData() + 4);
    for (qint64 at = 12; at + 8 <= bytes.size();) {
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        if (bytes.mid(int(at), 4) == "data") {
            header.dataStart = at + 8;
            header.dataSize = size;
            break;
        }
        at += 8 + qint64(size) + (size & 1);
    }
    return header;
}

// The samples per channel in an audio file as libavformat reads it, -1 when
// it cannot.
long long samplesInFile(const QString& path)
{
    AVFormatContext* container = nullptr;
    if (avformat_open_input(&container, QFile::encodeName(path).constData(), nullptr, nullptr) != 0)
        return -1;
    if (avformat_find_stream_info(container, nullptr) < 0) {
        avformat_close_input(&container);
        return -1;
    }
    long long samples = 0;
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(container, packet) >= 0) {
        samples += packet->duration;
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    avformat_close_input(&container);
    return samples;
}

void installFakeSource(
    NativeAudioRecorder& recorder, long long frames, bool* paused, const QString& error = QString())
{
    recorder.findChild<PlatformAudioRecorder*>()->setCaptureSource(
        std::make_unique<FakeCaptureSource>(frames, paused, error));
}

// The recorder's signals in the order they come, as "failed,finished".
class SignalOrder : public QObject
{
public:
    explicit SignalOrder(NativeAudioRecorder& recorder)
    {
        connect(&recorder, &NativeAudioRecorder::failed, this,
            [this](const QString&) { m_seen << QStringLiteral("failed"); });
        connect(&recorder, &NativeAudioRecorder::finished, this,
            [this] { m_seen << QStringLiteral("finished"); });
    }
    QString text() const
    {
        return m_seen.join(QLatin1Char(','));
    }

private:
    QStringList m_seen;
};

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
    void startThatCannotBeginStaysStopped_data();
    void startThatCannotBeginStaysStopped();
    void stopOfAnIdleRecorderSaysItIsAtRest();
    void startThatCannotBeginLeavesThePathAsItWas_data();
    void startThatCannotBeginLeavesThePathAsItWas();
    void fullDiskStopsTheRecording_data();
    void fullDiskStopsTheRecording();
    void startOverARecordingEndsItFirst_data();
    void startOverARecordingEndsItFirst();

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
    avformat_close_input(&container);
    const long long samples = samplesInFile(path);
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

void TestNativeAudioRecorder::startThatCannotBeginStaysStopped_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("codec");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QString>("inputError");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("hasInput");
    const auto row = [](const char* name, const char* fileName, const char* codec, int channels,
                         const char* inputError, const char* reason, bool hasInput = true) {
        QTest::newRow(name) << QString(fileName) << QString(codec) << channels
                            << QString(inputError) << QString(reason) << hasInput;
    };
    row("WAV into a folder that does not exist", "missing/folder/take.wav", "WAV", 2, "",
        "take.wav");
    row("AAC into a folder that does not exist", "missing/folder/take.m4a", "MPEG4ACC", 2, "",
        "take.m4a");
    row("no file name", "", "WAV", 2, "", "No file was named");
    row("WAV of no channels", "none.wav", "WAV", 0, "", "0 channels");
    row("AAC of no channels", "none.m4a", "CAF", 0, "", "0 channels");
    row("no sound input", "deaf.wav", "WAV", 2, "no input here", "no input here");
    row("no input given", "unheard.wav", "WAV", 2, "", "No sound input was given", false);
}

void TestNativeAudioRecorder::startThatCannotBeginStaysStopped()
{
    QFETCH(QString, fileName);
    QFETCH(QString, codec);
    QFETCH(int, channels);
    QFETCH(QString, inputError);
    QFETCH(QString, reason);
    QFETCH(bool, hasInput);

    // GIVEN a recorder that cannot make its file or open its input
    NativeAudioRecorder recorder;
    bool paused = false;
    installFakeSource(recorder, 44100, &paused, inputError);
    if (!hasInput)
        recorder.findChild<PlatformAudioRecorder*>()->setCaptureSource(nullptr);
    recorder.setFormat(formatOf(codec, 44100, channels));
    QSignalSpy failed(&recorder, &NativeAudioRecorder::failed);
    SignalOrder order(recorder);
    const QString path = fileName.isEmpty() ? QString() : m_dir.filePath(fileName);

    // WHEN it is started
    recorder.slotStart(path);

    // THEN it stays stopped, says why and then that it is at rest, and
    // leaves no file
    QVERIFY(recorder.isStopped());
    QCOMPARE(order.text(), QString("failed,finished"));
    const QString why = failed.at(0).at(0).toString();
    QVERIFY2(why.contains(reason), qPrintable(why));
    QVERIFY(path.isEmpty() || !QFileInfo::exists(path));

    // and suspend and resume do nothing; a stop says once more that it is at rest
    recorder.slotSuspend();
    recorder.slotResume();
    recorder.slotStop();
    QVERIFY(recorder.isStopped());
    QCOMPARE(order.text(), QString("failed,finished,finished"));
    QCOMPARE(recorder.processedUSecs(), qint64(0));
}

void TestNativeAudioRecorder::stopOfAnIdleRecorderSaysItIsAtRest()
{
    // GIVEN a recorder never started
    NativeAudioRecorder recorder;
    SignalOrder order(recorder);

    // WHEN it is stopped, THEN it says once that it is at rest
    recorder.slotStop();
    QVERIFY(recorder.isStopped());
    QCOMPARE(order.text(), QString("finished"));

    // and a start says nothing, while every stop after it is answered once
    bool paused = false;
    installFakeSource(recorder, 441, &paused);
    recorder.slotStart(m_dir.filePath(QStringLiteral("rest.wav")));
    QCOMPARE(order.text(), QString("finished"));
    QTRY_COMPARE_WITH_TIMEOUT(recorder.processedUSecs(), qint64(10), 10000);
    recorder.slotStop();
    recorder.slotStop();
    QCOMPARE(order.text(), QString("finished,finished,finished"));
}

void TestNativeAudioRecorder::startThatCannotBeginLeavesThePathAsItWas_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("codec");
    QTest::addColumn<bool>("existing");
    QTest::addColumn<QString>("inputError");
    const auto row = [](const char* name, const char* fileName, const char* codec, bool existing,
                         const char* inputError = "") {
        QTest::newRow(name) << QString(fileName) << QString(codec) << existing
                            << QString(inputError);
    };
    // The CAF container holds linear PCM: the CAF codec is AAC.
    row("WAV on a full disk", "take.wav", "WAV", false);
    row("AIFF on a full disk", "take.aiff", "AIFF", false);
    row("CAF on a full disk", "take.caf", "WAV", false);
    row("AAC on a full disk", "take.m4a", "MPEG4ACC", false);
    row("WAV on a full disk over a file", "kept.wav", "WAV", true);
    row("AIFF on a full disk over a file", "kept.aiff", "AIFF", true);
    row("CAF on a full disk over a file", "kept.caf", "WAV", true);
    row("AAC on a full disk over a file", "kept.m4a", "MPEG4ACC", true);
    row("WAV without a sound input over a file", "deaf.wav", "WAV", true, "no input here");
}

void TestNativeAudioRecorder::startThatCannotBeginLeavesThePathAsItWas()
{
    QFETCH(QString, fileName);
    QFETCH(QString, codec);
    QFETCH(bool, existing);
    QFETCH(QString, inputError);
    QDir folder(m_dir.filePath(QString::fromUtf8(QTest::currentDataTag())));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    const QString path = folder.filePath(fileName);
    const QByteArray earlier("an earlier take, which no start may lose");
    QFile old(path);
    QVERIFY(!existing || (old.open(QIODevice::WriteOnly) && old.write(earlier) == earlier.size()));
    old.close();
    const auto entries
        = [&] { return folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); };
    const QStringList before = entries();

    // GIVEN a disk with no room for a header, or no sound input
    const QString report = onFullDisk(inputError.isEmpty() ? 16 : 1 << 20, [&] {
        NativeAudioRecorder recorder;
        bool paused = false;
        installFakeSource(recorder, 44100, &paused, inputError);
        recorder.setFormat(formatOf(codec, 44100, 2));
        SignalOrder order(recorder);
        // WHEN a recording starts
        recorder.slotStart(path);
        return QStringList {recorder.isStopped() ? "stopped" : "running", order.text()}.join(
            QLatin1Char('\n'));
    });

    // THEN it says why and then that it is at rest
    QCOMPARE(report, QString("stopped\nfailed,finished"));
    // and the folder is as it was, an earlier file in it too
    QCOMPARE(entries(), before);
    if (existing) {
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), earlier);
    }
}

void TestNativeAudioRecorder::fullDiskStopsTheRecording_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("codec");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("fromSdl");
    // SDL's dummy driver captures silence in real time.
    QTest::newRow("WAV from SDL's capture device")
        << QString("sdl.wav") << QString("WAV") << 65536 << true;
    QTest::newRow("WAV from a steady source")
        << QString("full.wav") << QString("WAV") << 65536 << false;
    QTest::newRow("AAC from a steady source")
        << QString("full.m4a") << QString("MPEG4ACC") << 32768 << false;
}

void TestNativeAudioRecorder::fullDiskStopsTheRecording()
{
    QFETCH(QString, fileName);
    QFETCH(QString, codec);
    QFETCH(int, limit);
    QFETCH(bool, fromSdl);
#if defined(__SANITIZE_THREAD__)
    if (fromSdl)
        QSKIP("ThreadSanitizer stops a forked child that starts threads, as SDL's capture does");
#endif
    const QString path = m_dir.filePath(fileName);
    const bool wav = codec == QLatin1String("WAV");

    // GIVEN a recording onto a disk that fills up, started in a child process
    const QString report = onFullDisk(rlim_t(limit), [&] {
        NativeAudioRecorder recorder;
        bool paused = false;
        if (!fromSdl)
            installFakeSource(recorder, 600LL * 44100, &paused);
        recorder.setFormat(formatOf(codec, 44100, 2));
        QSignalSpy failed(&recorder, &NativeAudioRecorder::failed);
        SignalOrder order(recorder);
        recorder.slotStart(path);
        // WHEN it records until it stops
        for (QDeadlineTimer deadline(waitBoundMs(5000));
             !recorder.isStopped() && !deadline.hasExpired();)
            QTest::qWait(20);
        return QStringList {recorder.isStopped() ? "stopped" : "running", order.text(),
            QString::number(recorder.processedUSecs()),
            failed.isEmpty() ? QString() : failed.at(0).at(0).toString()}
            .join(QLatin1Char('\n'));
    });

    // THEN it stopped by itself, said why and then that it is at rest
    const QStringList facts = report.split(QLatin1Char('\n'));
    QVERIFY2(facts.size() == 4, qPrintable(report));
    QCOMPARE(facts[0], QString("stopped"));
    QCOMPARE(facts[1], QString("failed,finished"));
    QVERIFY2(facts[3].contains(fileName), qPrintable(facts[3]));
    const qint64 recorded = facts[2].toLongLong();
    QVERIFY(recorded > 0);

    // and the file holds what it says it holds, as long as was recorded
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    if (wav) {
        const WavHeader header = readWavHeader(bytes);
        QCOMPARE(header.riffSize, bytes.size() - 8);
        QCOMPARE(header.dataSize, bytes.size() - header.dataStart);
        const SoundFileFacts sound = readSoundFile(path);
        QCOMPARE(sound.info.frames * 4, header.dataSize);
        QCOMPARE(qRound64(double(sound.info.frames) * 1000 / 44100), recorded);
        if (!fromSdl)
            QVERIFY2(
                sound.maxError <= 1.0f / 32768.0f, qPrintable(QString::number(sound.maxError)));
    } else {
        // Up to a fragment of about a second is lost with the disk.
        const long long samples = samplesInFile(path);
        QVERIFY2(samples > 0 && samples <= recorded * 441 / 10 + 2048
                && samples >= (recorded - 1100) * 441 / 10,
            qPrintable(QString("%1 samples for %2 ms").arg(samples).arg(recorded)));
    }
}

void TestNativeAudioRecorder::startOverARecordingEndsItFirst_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("completes");
    // The AAC writer holds the last second of sound until the file is completed.
    QTest::newRow("first file completes") << QString("over-done.m4a") << (1 << 20) << true;
    QTest::newRow("first file cannot be completed on a full disk")
        << QString("over-full.m4a") << 4096 << false;
}

void TestNativeAudioRecorder::startOverARecordingEndsItFirst()
{
    QFETCH(QString, first);
    QFETCH(int, limit);
    QFETCH(bool, completes);
    const QString path = m_dir.filePath(first);
    const int frames = 22050;

    // GIVEN half a second of AAC recorded, in a child process whose disk may be full
    const QString report = onFullDisk(rlim_t(limit), [&] {
        NativeAudioRecorder recorder;
        bool paused = false;
        installFakeSource(recorder, frames, &paused);
        recorder.setFormat(formatOf(QStringLiteral("MPEG4ACC"), 44100, 2));
        QSignalSpy failed(&recorder, &NativeAudioRecorder::failed);
        SignalOrder order(recorder);
        recorder.slotStart(path);
        for (QDeadlineTimer deadline(waitBoundMs(2500));
             recorder.processedUSecs() < 500 && !deadline.hasExpired();)
            QTest::qWait(20);
        // WHEN a second recording starts over it
        recorder.slotStart(path + QStringLiteral(".second.m4a"));
        return QStringList {recorder.isStopped() ? "stopped" : "running", order.text(),
            failed.isEmpty() ? QString() : failed.at(0).at(0).toString()}
            .join(QLatin1Char('\n'));
    });

    // THEN the first ends as a stop ends it, and the second runs
    const QStringList facts = report.split(QLatin1Char('\n'));
    QVERIFY2(facts.size() == 3, qPrintable(report));
    QCOMPARE(facts[0], QString("running"));
    QCOMPARE(facts[1], QString(completes ? "finished" : "failed,finished"));
    if (completes) {
        const long long samples = samplesInFile(path);
        QVERIFY2(samples >= frames && samples <= frames + 3 * 1024,
            qPrintable(QString::number(samples)));
    } else {
        QVERIFY2(facts[2].contains(first), qPrintable(facts[2]));
    }
}

QTEST_GUILESS_MAIN(TestNativeAudioRecorder)
#include "test_NativeAudioRecorder.moc"
