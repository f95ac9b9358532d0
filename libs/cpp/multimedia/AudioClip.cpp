#include "AudioClip.h"

#include "AudioFileReader.h"
#include "AudioResampler.h"

#include <algorithm>
#include <cmath>

namespace DIReridArazi {

namespace {

constexpr qint64 blockFrames = 4096;

// Reads until the decoder stops: the header's frame count of a compressed
// or truncated file is only an estimate.
std::vector<float> readAll(AudioFileReader& reader)
{
    const int channels = reader.channels();
    std::vector<float> samples;
    std::vector<float> block(size_t(blockFrames * channels));
    while (const qint64 got = reader.read(block.data(), blockFrames))
        samples.insert(samples.end(), block.begin(), block.begin() + got * channels);
    return samples;
}

std::vector<float> resample(const std::vector<float>& in, int channels, int fromRate)
{
    AudioResampler resampler(channels, fromRate);
    const qint64 frames = qint64(in.size()) / channels;
    std::vector<float> out;
    if (!resampler.put(in.data(), frames) || !resampler.finish())
        return out;
    std::vector<float> block(size_t(blockFrames * channels));
    while (const qint64 got = resampler.get(block.data(), blockFrames))
        out.insert(out.end(), block.begin(), block.begin() + got * channels);
    out.resize(std::min(out.size(), size_t(resampler.outputFrames(frames) * channels)));
    return out;
}

std::vector<qint16> toPcm16(const std::vector<float>& in)
{
    std::vector<qint16> out(in.size());
    std::transform(in.begin(), in.end(), out.begin(),
        [](float s) { return qint16(std::clamp(std::lrint(s * 32768.f), -32768L, 32767L)); });
    return out;
}

} // namespace

std::shared_ptr<AudioClip> AudioClip::decode(const QString& path)
{
    AudioFileReader reader(path);
    return decode(reader);
}

std::shared_ptr<AudioClip> AudioClip::decode(AudioFileReader& reader)
{
    if (!reader.isOpen())
        return nullptr;
    const int channels = reader.channels();
    std::vector<float> samples = readAll(reader);
    if (!samples.empty() && reader.rate() != sampleRate)
        samples = resample(samples, channels, reader.rate());
    if (samples.empty())
        return nullptr;
    return std::make_shared<AudioClip>(channels, toPcm16(samples));
}

AudioClip::AudioClip(int channels, std::vector<qint16> samples)
    : m_channels(channels)
    , m_samples(std::move(samples))
{
}

qint64 AudioClip::mixInto(float* stereo, qint64 position, qint64 count, float left, float right)
{
    count = std::clamp<qint64>(frames() - position, 0, count);
    addFrames(stereo, data() + position * m_channels, m_channels, count, left, right, scale);
    return count;
}

} // namespace DIReridArazi
