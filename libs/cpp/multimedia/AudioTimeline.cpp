#include "AudioTimeline.h"

#include "AudioClip.h"

#include <algorithm>
#include <cmath>

namespace DIReridArazi {

namespace {

constexpr double framesPerNs = AudioClip::sampleRate * 1e-9;
// A pause between periods this long: the device stalled or was reopened.
constexpr qint64 gapNs = 250'000'000;
// The device runs this far ahead of the clock: starts asked for ahead
// would come too late.
constexpr double aheadFrames = 0.25 * AudioClip::sampleRate;
// After anchoring, while a device fills its buffer in a burst, the mapping
// follows the period that runs furthest ahead.
constexpr qint64 warmUpFrames = AudioClip::sampleRate / 4;
// A steady offset below this is left alone.
constexpr double deadBandFrames = 0.005 * AudioClip::sampleRate;
// The smoothing weight of one period, and the most the mapping may move
// per frame mixed: a tenth of a frame per thousand (100 ppm).
constexpr double smoothing = 0.005;
constexpr double maxSlewPerFrame = 1e-4;

} // namespace

void AudioTimeline::update(qint64 firstFrame, int frames, qint64 nowNs)
{
    const double offset
        = double(firstFrame) - m_anchorFrame - double(nowNs - m_anchorNs) * framesPerNs;
    const bool gap = nowNs - m_lastNs > gapNs;
    m_lastNs = nowNs;
    if (!m_anchored || gap || offset > aheadFrames) {
        anchor(firstFrame, nowNs);
        return;
    }
    if (firstFrame < m_warmUpEnd) {
        m_anchorFrame += std::max(0.0, offset);
        return;
    }
    m_offset += (offset - m_offset) * smoothing;
    if (std::fabs(m_offset) <= deadBandFrames)
        return;
    const double limit = maxSlewPerFrame * frames;
    const double slew = std::clamp(m_offset, -limit, limit);
    m_anchorFrame += slew;
    m_offset -= slew;
}

qint64 AudioTimeline::frameAt(qint64 ns) const
{
    return std::llround(m_anchorFrame + double(ns - m_anchorNs) * framesPerNs);
}

void AudioTimeline::anchor(qint64 firstFrame, qint64 nowNs)
{
    m_anchored = true;
    m_anchorNs = nowNs;
    m_anchorFrame = double(firstFrame);
    m_warmUpEnd = firstFrame + warmUpFrames;
    m_offset = 0.0;
}

} // namespace DIReridArazi
