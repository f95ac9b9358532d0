#pragma once

#include <QtGlobal>

#include <SDL.h>

namespace DIReridArazi {

// Converts interleaved float frames of a file's rate to the engine's rate,
// through SDL's audio stream. Any one thread at a time.
class AudioResampler
{
public:
    AudioResampler(int channels, int fromRate);
    ~AudioResampler();
    AudioResampler(const AudioResampler&) = delete;
    AudioResampler& operator=(const AudioResampler&) = delete;

    bool isValid() const
    {
        return m_stream != nullptr;
    }
    // Feeds input frames; finish() after the last, so that all comes out.
    bool put(const float* frames, qint64 count);
    // Ends the input with a tenth of a second of silence, which carries the
    // last frames through the converter; take no more output than
    // outputFrames() of what was fed.
    bool finish();
    // The frames at the engine's rate that input frames make.
    qint64 outputFrames(qint64 inputFrames) const;
    // Takes up to maxFrames converted frames; returns how many.
    qint64 get(float* frames, qint64 maxFrames);
    // Forgets what was fed, as after a seek.
    void clear();

private:
    int frameBytes() const
    {
        return m_channels * int(sizeof(float));
    }

    SDL_AudioStream* m_stream;
    int m_channels;
    int m_fromRate;
};

} // namespace DIReridArazi
