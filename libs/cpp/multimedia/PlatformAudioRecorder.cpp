#include "PlatformAudioRecorder.h"

#include "AacFileWriter.h"
#include "SdlCaptureSource.h"
#include "SndFileWriter.h"

#include <QDir>
#include <QFileInfo>

#include <vector>

namespace DIReridArazi {

namespace {

const int drainInterval = 20;
const int drainChunkFrames = 4096;

int containerForSuffix(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("aif") || suffix == QLatin1String("aiff")
        || suffix == QLatin1String("aifc"))
        return SF_FORMAT_AIFF;
    if (suffix == QLatin1String("caf"))
        return SF_FORMAT_CAF;
    return SF_FORMAT_WAV;
}

} // namespace

PlatformAudioRecorder::PlatformAudioRecorder(QObject* parent)
    : QObject(parent)
    , m_source(std::make_unique<SdlCaptureSource>())
{
    m_drainTimer.setInterval(drainInterval);
    connect(&m_drainTimer, &QTimer::timeout, this, &PlatformAudioRecorder::slotDrain);
}

PlatformAudioRecorder::~PlatformAudioRecorder()
{
    stop();
}

void PlatformAudioRecorder::setCaptureSource(std::unique_ptr<AudioCaptureSource> source)
{
    stop();
    m_source = std::move(source);
}

void PlatformAudioRecorder::initWithPath(const QString& path, const RecorderSettings& settings)
{
    stop();
    m_path = path;
    m_settings = settings;
    m_framesWritten = 0;
    m_error.clear();
}

bool PlatformAudioRecorder::prepareToRecord()
{
    if (m_writer)
        return true;
    if (!hasPath())
        return false;
    std::unique_ptr<AudioFileWriter> writer = makeWriter();
    if (!writer->errorString().isEmpty())
        return fail(tr("Cannot record into %1: %2.")
                        .arg(QDir::toNativeSeparators(m_path), writer->errorString()));
    m_writer = std::move(writer);
    return true;
}

// The input opens before the file is made, so that a start that cannot
// begin leaves the path as it was.
bool PlatformAudioRecorder::record()
{
    if (!hasPath())
        return false;
    if (!m_source)
        return fail(tr("No sound input was given for the recording."));
    if (!m_sourceOpen && !m_source->open(int(m_settings.sampleRate), m_settings.numberOfChannels))
        return fail(tr("No sound input could be opened: %1.").arg(m_source->errorString()));
    m_sourceOpen = true;
    if (!prepareToRecord())
        return false;
    m_source->setPaused(false);
    m_drainTimer.start();
    return true;
}

void PlatformAudioRecorder::pause()
{
    if (!m_sourceOpen)
        return;
    m_source->setPaused(true);
    m_drainTimer.stop();
    slotDrain();
}

bool PlatformAudioRecorder::stop()
{
    m_drainTimer.stop();
    bool ok = true;
    if (m_sourceOpen) {
        m_source->setPaused(true);
        ok = drain();
        m_source->close();
        m_sourceOpen = false;
    }
    if (m_writer) {
        if (!m_writer->finish())
            ok = fail(writeFailure());
        m_writer.reset();
    }
    m_path.clear();
    return ok;
}

double PlatformAudioRecorder::currentTime() const
{
    if (m_settings.sampleRate <= 0.0f)
        return 0.0;
    return double(m_framesWritten) / double(m_settings.sampleRate);
}

QString PlatformAudioRecorder::errorString() const
{
    return m_error;
}

void PlatformAudioRecorder::slotDrain()
{
    if (drain())
        return;
    stop();
    emit failed(m_error);
}

bool PlatformAudioRecorder::drain()
{
    if (!m_sourceOpen || !m_writer)
        return true;
    std::vector<float> buffer(size_t(drainChunkFrames) * size_t(m_settings.numberOfChannels));
    for (;;) {
        const int frames = m_source->read(buffer.data(), drainChunkFrames);
        if (frames <= 0)
            return true;
        const int written = m_writer->write(buffer.data(), frames);
        m_framesWritten += written;
        if (written < frames)
            return fail(writeFailure());
        if (frames < drainChunkFrames)
            return true;
    }
}

bool PlatformAudioRecorder::hasPath()
{
    return !m_path.isEmpty() || fail(tr("No file was named for the recording."));
}

bool PlatformAudioRecorder::fail(const QString& reason)
{
    if (m_error.isEmpty())
        m_error = reason;
    return false;
}

QString PlatformAudioRecorder::writeFailure() const
{
    return tr("Recording into %1 stopped: %2.")
        .arg(QDir::toNativeSeparators(m_path), m_writer->errorString());
}

std::unique_ptr<AudioFileWriter> PlatformAudioRecorder::makeWriter() const
{
    const int rate = int(m_settings.sampleRate);
    const int channels = m_settings.numberOfChannels;
    if (m_settings.formatId == RecorderSettings::FormatId::Mpeg4Aac)
        return std::make_unique<AacFileWriter>(
            m_path, rate, channels, m_settings.encoderBitRate.value_or(0));
    return std::make_unique<SndFileWriter>(m_path, containerForSuffix(m_path), rate, channels);
}

} // namespace DIReridArazi
