#include "VoiceLog.h"

#include "AudioEngine.h"

#include <QFile>

#include <sndfile.h>

#include <cmath>
#include <vector>

VoiceLog::VoiceLog()
{
    DIReridArazi::AudioEngine::instance()->addObserver(this);
}

VoiceLog::~VoiceLog()
{
    DIReridArazi::AudioEngine::instance()->removeObserver(this);
}

bool VoiceLog::writeTone(const QString& path, int milliseconds)
{
    const int rate = 44100;
    std::vector<float> samples(size_t(qint64(rate) * milliseconds / 1000));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = 0.1f * float(std::sin(2.0 * M_PI * 440.0 * double(i) / rate));
    SF_INFO info {};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const sf_count_t written = sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    return written == sf_count_t(samples.size());
}

void VoiceLog::voiceStarted(const QString& name, qint64)
{
    m_started.append(name);
}

QStringList VoiceLog::started() const
{
    return m_started;
}

int VoiceLog::count(const QString& name) const
{
    return m_started.count(name);
}
