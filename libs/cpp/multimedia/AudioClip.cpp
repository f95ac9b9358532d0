#include "AudioClip.h"

#include "AudioDecoder.h"
#include "AudioFileReader.h"

#include <algorithm>
#include <cmath>

namespace DIReridArazi {

namespace {

constexpr qint64 blockFrames = 4096;

qint16 toPcm16(float sample)
{
    return qint16(std::clamp(std::lrint(sample * 32768.f), -32768L, 32767L));
}

} // namespace

std::shared_ptr<AudioClip> AudioClip::decode(const QString& path)
{
    auto decoder = std::make_unique<AudioDecoder>(std::make_unique<AudioFileReader>(path));
    if (!decoder->isValid())
        return nullptr;
    auto clip = std::make_shared<AudioClip>(std::move(decoder));
    while (clip->decodeSome()) { }
    return clip->frames() > 0 ? clip : nullptr;
}

AudioClip::AudioClip(int channels, std::vector<qint16> samples)
    : m_channels(channels)
{
    const qint64 frames = qint64(samples.size()) / channels;
    m_buffers.push_back(std::move(samples));
    m_data.store(m_buffers.back().data(), std::memory_order_relaxed);
    m_ready.store(frames, std::memory_order_relaxed);
    m_frames.store(frames, std::memory_order_relaxed);
    m_complete.store(true, std::memory_order_release);
}

AudioClip::AudioClip(std::unique_ptr<AudioDecoder> decoder)
    : m_channels(decoder->channels())
    , m_decoder(std::move(decoder))
{
    m_frames.store(std::max<qint64>(m_decoder->estimatedFrames(), 0), std::memory_order_release);
}

AudioClip::~AudioClip() = default;

bool AudioClip::decodeSome()
{
    if (!m_decoder)
        return false;
    const qint64 room = maxFrames - m_ready.load(std::memory_order_relaxed);
    m_block.resize(size_t(blockFrames * m_channels));
    append(m_block.data(), m_decoder->read(m_block.data(), std::min(blockFrames, room)));
    if (!m_decoder->atEnd() && room > blockFrames)
        return true;
    complete();
    return false;
}

void AudioClip::append(const float* samples, qint64 count)
{
    const qint64 ready = m_ready.load(std::memory_order_relaxed);
    const size_t needed = size_t((ready + count) * m_channels);
    if (m_buffers.empty() || needed > m_buffers.back().size()) {
        // The first buffer holds the header's length, which is exact but for
        // a file that lies about it, as far as the file's bytes back it.
        const size_t first = size_t(
            std::clamp(m_decoder->framesTheFileCanHold(), blockFrames, maxFrames) * m_channels);
        const size_t cap = size_t(maxFrames * m_channels);
        std::vector<qint16> larger(
            std::max(needed, m_buffers.empty() ? first : std::min(2 * needed, cap)));
        if (!m_buffers.empty())
            std::copy_n(m_buffers.back().begin(), size_t(ready * m_channels), larger.begin());
        m_buffers.push_back(std::move(larger));
        m_data.store(m_buffers.back().data(), std::memory_order_release);
    }
    std::transform(samples, samples + count * m_channels,
        m_buffers.back().begin() + ready * m_channels, toPcm16);
    m_ready.store(ready + count, std::memory_order_release);
    if (ready + count > m_frames.load(std::memory_order_relaxed))
        m_frames.store(ready + count, std::memory_order_release);
}

void AudioClip::complete()
{
    m_decoder.reset();
    m_block = std::vector<float>();
    m_frames.store(m_ready.load(std::memory_order_relaxed), std::memory_order_release);
    m_complete.store(true, std::memory_order_release);
}

bool AudioClip::hasFrames(qint64 position)
{
    return isComplete() || m_ready.load(std::memory_order_acquire) > position;
}

qint64 AudioClip::mixInto(float* stereo, qint64 position, qint64 count, float left, float right)
{
    // The frames first: the buffer that holds them was published before them.
    count = std::clamp<qint64>(m_ready.load(std::memory_order_acquire) - position, 0, count);
    if (count == 0)
        return 0;
    const qint16* data = m_data.load(std::memory_order_acquire);
    addFrames(stereo, data + position * m_channels, m_channels, count, left, right, scale);
    return count;
}

qint64 AudioClip::bytes() const
{
    qint64 bytes = 0;
    for (const std::vector<qint16>& buffer : m_buffers)
        bytes += qint64(buffer.size() * sizeof(qint16));
    return bytes;
}

} // namespace DIReridArazi
