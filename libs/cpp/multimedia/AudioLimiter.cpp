#include "AudioLimiter.h"

#include <algorithm>
#include <cmath>

namespace DIReridArazi {

AudioLimiter::AudioLimiter(float threshold, float releaseSeconds, int sampleRate)
    : m_threshold(threshold)
    , m_releaseFactor(std::exp(-1.f / (releaseSeconds * float(sampleRate))))
{
}

void AudioLimiter::process(float* stereo, int frames)
{
    for (int f = 0; f < frames; ++f) {
        float* frame = stereo + 2 * f;
        const float peak = std::max(std::fabs(frame[0]), std::fabs(frame[1]));
        m_envelope = std::max(peak, m_envelope * m_releaseFactor);
        if (m_envelope > m_threshold) {
            const float gain = m_threshold / m_envelope;
            frame[0] *= gain;
            frame[1] *= gain;
        }
    }
}

} // namespace DIReridArazi
