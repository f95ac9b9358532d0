#include "AudioOutput.h"

#include "AudioClip.h"

namespace DIReridArazi {

namespace {

// How often a play may try the real drivers again while on the dummy.
constexpr qint64 retryMs = 3000;

} // namespace

AudioOutput::AudioOutput(Render render, void* context)
    : m_render(render)
    , m_context(context)
{
}

AudioOutput::~AudioOutput()
{
    close();
}

bool AudioOutput::open()
{
    if (m_device && !(m_fallback && m_sinceFallback.hasExpired(retryMs)))
        return true;
    close();
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (openOn(nullptr))
        return true;
    // No usable device: the dummy driver keeps time without sound.
    m_fallback = openOn("dummy");
    m_sinceFallback.start();
    return m_fallback;
}

void AudioOutput::close()
{
    if (!m_device)
        return;
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
    m_fallback = false;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

QString AudioOutput::driverName() const
{
    if (!m_device)
        return QString();
    return QString::fromUtf8(SDL_GetCurrentAudioDriver());
}

bool AudioOutput::openOn(const char* driver)
{
    // The driver asked for holds for this start of the subsystem only.
    if (driver)
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, SDL_HINT_OVERRIDE);
    const bool started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (driver)
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    if (started && openDevice())
        return true;
    if (started)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

bool AudioOutput::openDevice()
{
    SDL_AudioSpec wanted = {};
    wanted.freq = AudioClip::sampleRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = framesPerPeriod;
    wanted.callback = &AudioOutput::callback;
    wanted.userdata = this;
    // SDL converts when the device wants another format.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (!m_device)
        return false;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void AudioOutput::callback(void* userdata, Uint8* stream, int length)
{
    auto* self = static_cast<AudioOutput*>(userdata);
    self->m_render(
        self->m_context, reinterpret_cast<float*>(stream), length / int(2 * sizeof(float)));
}

} // namespace DIReridArazi
