#include "PlatformAudioRecorder.h"

#include "AacFileWriter.h"
#include "SdlCaptureSource.h"
#include "SndFileWriter.h"

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
}

bool PlatformAudioRecorder::prepareToRecord()
{
    if (!m_writer && !m_path.isEmpty())
        m_writer = makeWriter();
    return m_writer != nullptr;
}

bool PlatformAudioRecorder::record()
{
    if (!prepareToRecord() || !m_source)
        return false;
    if (!m_sourceOpen)
        m_sourceOpen = m_source->open(int(m_settings.sampleRate), m_settings.numberOfChannels);
    if (!m_sourceOpen)
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
    slotDrain();
    m_drainTimer.stop();
}

void PlatformAudioRecorder::stop()
{
    m_drainTimer.stop();
    if (m_sourceOpen) {
        m_source->setPaused(true);
        slotDrain();
        m_source->close();
        m_sourceOpen = false;
    }
    if (m_writer) {
        m_writer->finish();
        m_writer.reset();
    }
    m_path.clear();
}

double PlatformAudioRecorder::currentTime() const
{
    if (m_settings.sampleRate <= 0.0f)
        return 0.0;
    return double(m_framesWritten) / double(m_settings.sampleRate);
}

void PlatformAudioRecorder::slotDrain()
{
    if (!m_sourceOpen || !m_writer)
        return;
    std::vector<float> buffer(size_t(drainChunkFrames) * size_t(m_settings.numberOfChannels));
    for (;;) {
        const int frames = m_source->read(buffer.data(), drainChunkFrames);
        if (frames <= 0)
            return;
        if (m_writer->write(buffer.data(), frames))
            m_framesWritten += frames;
        if (frames < drainChunkFrames)
            return;
    }
}

std::unique_ptr<AudioFileWriter> PlatformAudioRecorder::makeWriter() const
{
    const int rate = int(m_settings.sampleRate);
    const int channels = m_settings.numberOfChannels;
    if (m_settings.formatId == RecorderSettings::FormatId::Mpeg4Aac)
        return AacFileWriter::create(m_path, rate, channels, m_settings.encoderBitRate.value_or(0));
    return SndFileWriter::create(m_path, containerForSuffix(m_path), rate, channels);
}

} // namespace DIReridArazi
