#include "TestSound.h"

#include "AudioEngine.h"

#include <QCoreApplication>
#include <QFile>

#include <sndfile.h>

#include <algorithm>
#include <cmath>

std::vector<float> TestSound::constant(qint64 frames, float value)
{
    return std::vector<float>(static_cast<size_t>(frames), value);
}

std::vector<float> TestSound::sine(qint64 frames, double frequency, float amplitude)
{
    std::vector<float> samples(static_cast<size_t>(frames));
    for (qint64 i = 0; i < frames; ++i)
        samples[size_t(i)] = amplitude * float(std::sin(2 * M_PI * frequency * double(i) / 44100));
    return samples;
}

bool TestSound::write(const QString& path, const std::vector<float>& samples, int format, int rate)
{
    SF_INFO info = {};
    info.samplerate = rate;
    info.channels = 1;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const sf_count_t written = sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    return written == sf_count_t(samples.size());
}

std::vector<float> TestSound::render(qint64 frames)
{
    QCoreApplication::processEvents();
    std::vector<float> stereo(size_t(frames) * 2);
    for (qint64 done = 0; done < frames;) {
        const int chunk = int(std::min<qint64>(256, frames - done));
        DIReridArazi::AudioEngine::instance()->mix(stereo.data() + 2 * done, chunk);
        done += chunk;
    }
    return stereo;
}

float TestSound::peak(const std::vector<float>& stereo)
{
    float peak = 0.f;
    for (float s : stereo)
        peak = std::max(peak, std::fabs(s));
    return peak;
}
