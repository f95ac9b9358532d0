#pragma once

#include "AudioSource.h"

#include <QString>

#include <memory>
#include <vector>

namespace DIReridArazi {

class AudioFileReader;

// A whole sound file decoded to 16-bit PCM at the engine's rate, one or two
// interleaved channels. Immutable once made, so the audio thread may read
// it while the GUI thread holds it.
class AudioClip : public AudioSource
{
public:
    static constexpr int sampleRate = 44100;

    // Decodes the whole file; null when it is missing, not decodable or
    // holds no frames. A truncated file gives what it holds. Any thread.
    static std::shared_ptr<AudioClip> decode(const QString& path);
    static std::shared_ptr<AudioClip> decode(AudioFileReader& reader);

    AudioClip(int channels, std::vector<qint16> samples);

    int channels() const
    {
        return m_channels;
    }
    qint64 frames() const override
    {
        return qint64(m_samples.size()) / m_channels;
    }
    bool atEnd(qint64 position) const override
    {
        return position >= frames();
    }
    qint64 mixInto(float* stereo, qint64 position, qint64 count, float left, float right) override;
    const qint16* data() const
    {
        return m_samples.data();
    }
    // Interleaved sample i, from -1 to 1.
    float sample(qint64 i) const
    {
        return float(m_samples[size_t(i)]) * scale;
    }
    qint64 bytes() const
    {
        return qint64(m_samples.size() * sizeof(qint16));
    }

    static constexpr float scale = 1.f / 32768.f;

private:
    int m_channels;
    std::vector<qint16> m_samples;
};

} // namespace DIReridArazi
