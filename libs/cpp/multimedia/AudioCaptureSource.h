#pragma once

#include <QString>

namespace DIReridArazi {

// A source of captured sound as interleaved float frames. GUI thread only.
class AudioCaptureSource
{
public:
    virtual ~AudioCaptureSource();

    // Opens the default input, paused, delivering the given rate and channels.
    virtual bool open(int sampleRate, int channelCount) = 0;
    virtual void setPaused(bool paused) = 0;
    // Moves up to maxFrames captured frames into frames; returns how many.
    virtual int read(float* frames, int maxFrames) = 0;
    virtual void close() = 0;
    // Why the last open failed.
    virtual QString errorString() const = 0;
};

} // namespace DIReridArazi
