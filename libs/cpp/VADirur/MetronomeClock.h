#pragma once

#include <QtGlobal>

namespace VADirur {

// The metronome's beat grid, in output frames of the sound engine (as
// DIReridArazi::AudioEngine::framesMixed() counts them): tick k, from 1,
// is due k periods after the grid's start, rounded to the nearest frame,
// so that rounding never adds up. Only restart() moves the grid.
class MetronomeClock
{
public:
    void restart(qint64 startFrame, int periodMs);
    qint64 periodFrames() const;
    // The frame at which tick k sounds.
    qint64 frameOf(qint64 tick) const;
    // How many ticks are due by the frame: the last tick whose frame is not
    // after it, 0 before the first and while there is no grid.
    qint64 ticksDue(qint64 frame) const;

private:
    qint64 m_nStartFrame = 0;
    qint64 m_nPeriodMs = 0;
};

} // namespace VADirur
