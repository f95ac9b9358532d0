#include "SdlCaptureSource.h"

#include <QCoreApplication>

#include <SDL2/SDL.h>

namespace DIReridArazi {

SdlCaptureSource::~SdlCaptureSource()
{
    close();
}

bool SdlCaptureSource::open(int sampleRate, int channelCount)
{
    close();
    if (sampleRate <= 0 || channelCount <= 0 || channelCount > 255) {
        m_error = QCoreApplication::translate(
            "DIReridArazi::SdlCaptureSource", "%1 Hz with %2 channels cannot be captured")
                      .arg(sampleRate)
                      .arg(channelCount);
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_error = QString::fromUtf8(SDL_GetError());
        return false;
    }
    SDL_AudioSpec wanted {};
    wanted.freq = sampleRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = Uint8(channelCount);
    wanted.samples = 1024;
    // No callback: SDL queues the captured sound for SDL_DequeueAudio, and
    // converts to the wanted rate and channels itself.
    m_device = SDL_OpenAudioDevice(nullptr, 1, &wanted, nullptr, 0);
    m_channelCount = channelCount;
    if (m_device == 0) {
        m_error = QString::fromUtf8(SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    return m_device != 0;
}

void SdlCaptureSource::setPaused(bool paused)
{
    if (m_device != 0)
        SDL_PauseAudioDevice(m_device, paused ? 1 : 0);
}

int SdlCaptureSource::read(float* frames, int maxFrames)
{
    if (m_device == 0 || maxFrames <= 0)
        return 0;
    const Uint32 frameBytes = Uint32(m_channelCount) * sizeof(float);
    const Uint32 bytes = SDL_DequeueAudio(m_device, frames, Uint32(maxFrames) * frameBytes);
    return int(bytes / frameBytes);
}

void SdlCaptureSource::close()
{
    if (m_device == 0)
        return;
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

QString SdlCaptureSource::errorString() const
{
    return m_error;
}

QString SdlCaptureSource::defaultDeviceName()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return QString();
    QString result;
    char* name = nullptr;
    SDL_AudioSpec spec;
    if (SDL_GetDefaultAudioInfo(&name, &spec, 1) == 0 && name) {
        result = QString::fromUtf8(name);
        SDL_free(name);
    } else if (SDL_GetNumAudioDevices(1) > 0) {
        result = QString::fromUtf8(SDL_GetAudioDeviceName(0, 1));
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return result;
}

} // namespace DIReridArazi
