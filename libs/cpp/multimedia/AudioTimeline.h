#pragma once

#include <QtGlobal>

namespace DIReridArazi {

// Maps the engine's clock (nanoseconds) to output frames at the nominal
// rate. Anchored in the first periods; the callbacks' jitter does not move
// it afterwards. A steady offset beyond a few milliseconds is slewed away
// slowly, so that a device whose clock drifts keeps a bounded latency. A
// stalled or reopened device, or one running far ahead of the clock,
// anchors it anew. Audio thread only.
class AudioTimeline
{
public:
    // A period of frames beginning at firstFrame is being mixed at nowNs.
    void update(qint64 firstFrame, int frames, qint64 nowNs);
    // The output frame that belongs to the clock time; only valid after update().
    qint64 frameAt(qint64 ns) const;

private:
    void anchor(qint64 firstFrame, qint64 nowNs);

    bool m_anchored = false;
    qint64 m_anchorNs = 0;
    qint64 m_lastNs = 0;
    double m_anchorFrame = 0.0;
    qint64 m_warmUpEnd = 0;
    // The offset of the periods from the mapping, smoothed over about a second.
    double m_offset = 0.0;
};

} // namespace DIReridArazi
