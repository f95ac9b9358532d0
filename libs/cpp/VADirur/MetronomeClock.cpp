#include "MetronomeClock.h"

#include "AudioClip.h"

namespace VADirur {

namespace {

constexpr qint64 rate = DIReridArazi::AudioClip::sampleRate;

} // namespace

void MetronomeClock::restart(qint64 startFrame, int periodMs)
{
    m_nStartFrame = startFrame;
    m_nPeriodMs = periodMs;
}

qint64 MetronomeClock::periodFrames() const
{
    return frameOf(1) - m_nStartFrame;
}

qint64 MetronomeClock::frameOf(qint64 tick) const
{
    return m_nStartFrame + (tick * m_nPeriodMs * rate + 500) / 1000;
}

qint64 MetronomeClock::ticksDue(qint64 frame) const
{
    if (m_nPeriodMs <= 0 || frame < m_nStartFrame)
        return 0;
    // A first guess by division, then the rounding settles the last step.
    qint64 tick = (frame - m_nStartFrame) * 1000 / (m_nPeriodMs * rate);
    while (frameOf(tick + 1) <= frame)
        ++tick;
    while (tick > 0 && frameOf(tick) > frame)
        --tick;
    return tick;
}

} // namespace VADirur
