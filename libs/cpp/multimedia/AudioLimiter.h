#pragma once

namespace DIReridArazi {

// A peak limiter for the stereo mix: instant attack, slow release, so that
// loud chords are turned down smoothly instead of clipping. Audio thread.
class AudioLimiter
{
public:
    AudioLimiter(float threshold, float releaseSeconds, int sampleRate);

    void process(float* stereo, int frames);

private:
    float m_threshold;
    float m_releaseFactor;
    float m_envelope = 0.f;
};

} // namespace DIReridArazi
