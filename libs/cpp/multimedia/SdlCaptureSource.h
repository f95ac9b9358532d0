#pragma once

#include "AudioCaptureSource.h"

#include <QString>

#include <SDL2/SDL_audio.h>

namespace DIReridArazi {

// SDL's default capture device. SDL queues what it captures on its own
// thread; read() takes it off the queue in the caller's thread. The audio
// subsystem is shared with playback: each use takes and gives back a reference.
class SdlCaptureSource : public AudioCaptureSource
{
public:
    SdlCaptureSource() = default;
    ~SdlCaptureSource() override;

    bool open(int sampleRate, int channelCount) override;
    void setPaused(bool paused) override;
    int read(float* frames, int maxFrames) override;
    void close() override;
    QString errorString() const override;

    // The name of the default capture device, empty when there is none.
    static QString defaultDeviceName();

private:
    SDL_AudioDeviceID m_device = 0;
    int m_channelCount = 0;
    QString m_error;
};

} // namespace DIReridArazi
