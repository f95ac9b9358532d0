#pragma once

#include <QtGlobal>

namespace VADirur {

// The metronome's beat grid. The tick timer fires one lead ahead of each
// beat, and the tick's sound is asked for at the beat's own time, so that
// a late timer does not move the sound. Times are nanoseconds of the
// sound engine's clock.
class MetronomeClock
{
public:
    // How far ahead of its beat a tick is handled.
    static constexpr qint64 leadNs = 50 * 1000 * 1000;

    // A new grid whose first tick is due one period after now.
    void restart(qint64 nowNs, int periodMs);
    // The beat of a tick handled at now, and the grid moves on by one. A tick
    // whose timer came late by a period or more, or that came before its
    // time, starts the grid anew from now.
    qint64 takeBeat(qint64 nowNs);

private:
    qint64 m_nPeriodNs = 0;
    qint64 m_nNextDueNs = 0;
};

} // namespace VADirur
