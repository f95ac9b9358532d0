#include "AudioResampler.h"

#include "AudioClip.h"

#include <vector>

namespace DIReridArazi {

AudioResampler::AudioResampler(int channels, int fromRate)
    : m_stream(SDL_NewAudioStream(AUDIO_F32SYS, Uint8(channels), fromRate, AUDIO_F32SYS,
        Uint8(channels), AudioClip::sampleRate))
    , m_channels(channels)
    , m_fromRate(fromRate)
{
}

AudioResampler::~AudioResampler()
{
    if (m_stream)
        SDL_FreeAudioStream(m_stream);
}

bool AudioResampler::put(const float* frames, qint64 count)
{
    return m_stream && SDL_AudioStreamPut(m_stream, frames, int(count * frameBytes())) == 0;
}

bool AudioResampler::finish()
{
    const std::vector<float> silence(size_t(m_fromRate / 10 * m_channels), 0.f);
    return put(silence.data(), m_fromRate / 10) && SDL_AudioStreamFlush(m_stream) == 0;
}

qint64 AudioResampler::outputFrames(qint64 inputFrames) const
{
    return (inputFrames * AudioClip::sampleRate + m_fromRate / 2) / m_fromRate;
}

qint64 AudioResampler::get(float* frames, qint64 maxFrames)
{
    if (!m_stream)
        return 0;
    const int bytes = SDL_AudioStreamGet(m_stream, frames, int(maxFrames * frameBytes()));
    return bytes > 0 ? bytes / frameBytes() : 0;
}

void AudioResampler::clear()
{
    if (m_stream)
        SDL_AudioStreamClear(m_stream);
}

} // namespace DIReridArazi
