#include "AudioOutput.h"

#include "AudioClip.h"

#include <thread>

namespace DIReridArazi {

namespace {

// How often a play may try the real drivers again while on the dummy.
constexpr qint64 retryMs = 3000;
// Paced periods this late: the thread was held up, and the time is not made up.
constexpr std::chrono::milliseconds maxPaceLag(100);

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
    m_paced = qstrcmp(SDL_GetCurrentAudioDriver(), "dummy") == 0;
    m_pacedFrames = 0;
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
    const int frames = length / int(2 * sizeof(float));
    if (self->m_paced)
        self->pace(frames);
    self->m_render(self->m_context, reinterpret_cast<float*>(stream), frames);
}

void AudioOutput::pace(int frames)
{
    using namespace std::chrono;
    const steady_clock::time_point now = steady_clock::now();
    const steady_clock::time_point due
        = m_pacedSince + nanoseconds(m_pacedFrames * 1'000'000'000 / AudioClip::sampleRate);
    if (m_pacedFrames == 0 || now - due > maxPaceLag) {
        m_pacedSince = now;
        m_pacedFrames = 0;
    } else if (due > now) {
        std::this_thread::sleep_until(due);
    }
    m_pacedFrames += frames;
}

} // namespace DIReridArazi
