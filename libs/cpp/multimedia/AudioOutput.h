#pragma once

#include <QElapsedTimer>
#include <QString>

#include <SDL.h>

#include <chrono>

namespace DIReridArazi {

// The one SDL2 output stream: 44.1 kHz, stereo float, 256-frame periods.
// It opens the default device, or SDL's "dummy" driver when none opens,
// so that time passes either way. On the dummy, a later open() tries the
// real drivers again, at most every few seconds. The fall-back leaves no
// driver choice behind for others (capture). The dummy asks for periods
// faster than they last; its periods are held to the nominal rate, so that
// time passes as on a device. GUI thread, except the render function, which
// SDL calls on its audio thread.
class AudioOutput
{
public:
    using Render = void (*)(void* context, float* stereo, int frames);

    static constexpr int framesPerPeriod = 256;

    AudioOutput(Render render, void* context);
    ~AudioOutput();

    bool open();
    void close();
    // The SDL driver in use ("pulseaudio", "dummy", ...); empty when closed.
    QString driverName() const;

private:
    // Opens a device on the named driver, or on SDL's choice when null.
    bool openOn(const char* driver);
    bool openDevice();
    static void callback(void* userdata, Uint8* stream, int length);
    // Audio thread: waits until the frames handed out so far have lasted at
    // the nominal rate; a period far behind that starts the count anew.
    void pace(int frames);

    Render m_render;
    void* m_context;
    SDL_AudioDeviceID m_device = 0;
    // Running on the dummy because no real device opened, since this long.
    bool m_fallback = false;
    QElapsedTimer m_sinceFallback;
    // Set before the device's thread starts, then the audio thread's.
    bool m_paced = false;
    std::chrono::steady_clock::time_point m_pacedSince;
    qint64 m_pacedFrames = 0;
};

} // namespace DIReridArazi
