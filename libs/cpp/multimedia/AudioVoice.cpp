#include "AudioVoice.h"

#include "AudioEngine.h"

#include <algorithm>
#include <cmath>

namespace DIReridArazi {

AudioVoice::AudioVoice(
    AudioEngine* engine, std::shared_ptr<const AudioClip> clip, const QString& name)
    : m_engine(engine)
    , m_clip(std::move(clip))
    , m_name(name)
{
}

void AudioVoice::play()
{
    m_engine->start(this);
}

void AudioVoice::pause()
{
    m_running.store(false, std::memory_order_release);
}

bool AudioVoice::isPlaying() const
{
    return m_running.load(std::memory_order_acquire);
}

double AudioVoice::currentTime() const
{
    return double(m_position.load(std::memory_order_acquire)) / AudioClip::sampleRate;
}

void AudioVoice::setCurrentTime(double seconds)
{
    const qint64 frame = std::llround(seconds * AudioClip::sampleRate);
    m_position.store(std::clamp<qint64>(frame, 0, m_clip->frames()), std::memory_order_release);
}

double AudioVoice::duration() const
{
    return double(m_clip->frames()) / AudioClip::sampleRate;
}

void AudioVoice::setVolume(float volume)
{
    m_volume.store(volume, std::memory_order_relaxed);
}

void AudioVoice::setPan(float pan)
{
    m_pan.store(pan, std::memory_order_relaxed);
}

void AudioVoice::release()
{
    m_engine->release(this);
}

void AudioVoice::render(float* stereo, int frames, quint64 releasedBatch, qint64 firstFrame)
{
    if (!m_running.load(std::memory_order_acquire)
        || m_batch.load(std::memory_order_acquire) > releasedBatch)
        return;
    qint64 notStarted = -1;
    m_startFrame.compare_exchange_strong(notStarted, firstFrame, std::memory_order_acq_rel);
    qint64 position = m_position.load(std::memory_order_acquire);
    const qint64 count = std::clamp<qint64>(m_clip->frames() - position, 0, frames);
    mixInto(stereo, position, count);
    // A seek from the GUI thread in the meantime wins over the advance.
    if (position + count >= m_clip->frames()) {
        if (m_position.compare_exchange_strong(position, 0, std::memory_order_acq_rel))
            m_running.store(false, std::memory_order_release);
    } else {
        m_position.compare_exchange_strong(position, position + count, std::memory_order_acq_rel);
    }
}

void AudioVoice::mixInto(float* stereo, qint64 from, qint64 frames) const
{
    const float volume = std::max(0.f, m_volume.load(std::memory_order_relaxed));
    const float pan = std::clamp(m_pan.load(std::memory_order_relaxed), -1.f, 1.f);
    const float left = volume * std::min(1.f, 1.f - pan);
    const float right = volume * std::min(1.f, 1.f + pan);
    const float* in = m_clip->data() + from * m_clip->channels();
    if (m_clip->channels() == 1) {
        for (qint64 f = 0; f < frames; ++f) {
            stereo[2 * f] += in[f] * left;
            stereo[2 * f + 1] += in[f] * right;
        }
    } else {
        for (qint64 f = 0; f < frames; ++f) {
            stereo[2 * f] += in[2 * f] * left;
            stereo[2 * f + 1] += in[2 * f + 1] * right;
        }
    }
}

} // namespace DIReridArazi
