#include "AudioClip.h"

#include <QFile>

#include <sndfile.h>

#include <algorithm>
#include <cmath>

namespace DIReridArazi {

namespace {

// Reads until the decoder stops: the header's frame count of a compressed
// or truncated file is only an estimate.
std::vector<float> readAll(SNDFILE* file, int channels)
{
    std::vector<float> samples;
    std::vector<float> block(size_t(4096) * size_t(channels));
    for (;;) {
        const sf_count_t got = sf_readf_float(file, block.data(), 4096);
        if (got <= 0)
            break;
        samples.insert(samples.end(), block.begin(), block.begin() + got * channels);
    }
    return samples;
}

// Catmull-Rom interpolation of one channel at a fractional frame.
float interpolate(const std::vector<float>& in, int channels, qint64 frames, int channel, double at)
{
    const qint64 i = qint64(std::floor(at));
    const float t = float(at - double(i));
    auto sample = [&](qint64 k) {
        k = std::clamp<qint64>(k, 0, frames - 1);
        return in[size_t(k * channels + channel)];
    };
    const float p0 = sample(i - 1), p1 = sample(i), p2 = sample(i + 1), p3 = sample(i + 2);
    return p1
        + 0.5f * t
        * (p2 - p0 + t * (2.f * p0 - 5.f * p1 + 4.f * p2 - p3 + t * (3.f * (p1 - p2) + p3 - p0)));
}

} // namespace

std::shared_ptr<const AudioClip> AudioClip::decode(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    SF_INFO info = {};
    SNDFILE* file = sf_open(name.constData(), SFM_READ, &info);
    if (!file)
        return nullptr;
    std::vector<float> samples;
    if (info.channels > 0 && info.samplerate > 0)
        samples = readAll(file, info.channels);
    sf_close(file);
    if (samples.empty())
        return nullptr;
    samples = toStereoAtMost(samples, info.channels);
    const int channels = std::min(info.channels, 2);
    if (info.samplerate != sampleRate)
        samples = resample(samples, channels, info.samplerate);
    if (samples.empty())
        return nullptr;
    return std::make_shared<const AudioClip>(channels, std::move(samples));
}

AudioClip::AudioClip(int channels, std::vector<float> samples)
    : m_channels(channels)
    , m_samples(std::move(samples))
{
}

// Files of more than two channels keep their first two.
std::vector<float> AudioClip::toStereoAtMost(const std::vector<float>& in, int channels)
{
    if (channels <= 2)
        return in;
    const size_t frames = in.size() / size_t(channels);
    std::vector<float> out(frames * 2);
    for (size_t f = 0; f < frames; ++f) {
        out[2 * f] = in[f * size_t(channels)];
        out[2 * f + 1] = in[f * size_t(channels) + 1];
    }
    return out;
}

std::vector<float> AudioClip::resample(const std::vector<float>& in, int channels, int fromRate)
{
    const qint64 inFrames = qint64(in.size()) / channels;
    const double step = double(fromRate) / sampleRate;
    const qint64 outFrames = qint64(std::floor(double(inFrames) / step));
    std::vector<float> out(size_t(outFrames * channels));
    for (qint64 f = 0; f < outFrames; ++f) {
        for (int c = 0; c < channels; ++c)
            out[size_t(f * channels + c)]
                = interpolate(in, channels, inFrames, c, double(f) * step);
    }
    return out;
}

} // namespace DIReridArazi
