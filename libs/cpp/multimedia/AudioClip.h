#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace DIReridArazi {

// A whole sound file decoded to float PCM at the engine's rate, one or two
// interleaved channels. Immutable once made, so the audio thread may read
// it while the GUI thread holds it.
class AudioClip
{
public:
    static constexpr int sampleRate = 44100;

    // Decodes the whole file; null when it is missing, not decodable or
    // holds no frames. A truncated file gives what it holds.
    static std::shared_ptr<const AudioClip> decode(const QString& path);

    AudioClip(int channels, std::vector<float> samples);

    int channels() const
    {
        return m_channels;
    }
    qint64 frames() const
    {
        return qint64(m_samples.size()) / m_channels;
    }
    const float* data() const
    {
        return m_samples.data();
    }
    qint64 bytes() const
    {
        return qint64(m_samples.size() * sizeof(float));
    }

private:
    static std::vector<float> toStereoAtMost(const std::vector<float>& in, int channels);
    static std::vector<float> resample(const std::vector<float>& in, int channels, int fromRate);

    int m_channels;
    std::vector<float> m_samples;
};

} // namespace DIReridArazi
