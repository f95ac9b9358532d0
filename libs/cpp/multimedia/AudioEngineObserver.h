#pragma once

#include <QString>

namespace DIReridArazi {

// Learns which sounds the engine started and when. GUI thread only.
class AudioEngineObserver
{
public:
    virtual ~AudioEngineObserver() = default;

    // The voice of the file name began to sound at the output frame (counted
    // from the engine's first mixed frame). Comes shortly after the mixer
    // started it, from the engine's housekeeping in the GUI thread.
    virtual void voiceStarted(const QString& name, qint64 frame) = 0;
};

} // namespace DIReridArazi
