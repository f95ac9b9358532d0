#pragma once

#include "AudioClip.h"

#include <QString>

#include <atomic>
#include <memory>

namespace DIReridArazi {

class AudioEngine;

// One playing instance of a decoded clip, made by AudioEngine::openVoice().
// The GUI thread controls it through the public operations and gives it
// back with release(); the engine's mixer renders it on the audio thread.
// The two threads share only atomics.
class AudioVoice
{
public:
    AudioVoice(const AudioVoice&) = delete;
    AudioVoice& operator=(const AudioVoice&) = delete;

    // GUI thread. Starts or resumes sounding; every voice started in one
    // GUI-thread call begins in the same output sample.
    void play();
    // GUI thread. Halts the sound where it is.
    void pause();
    // True from play() until pause() or the end of the clip.
    bool isPlaying() const;
    // Seconds from the start of the clip; back to 0 at the end.
    double currentTime() const;
    void setCurrentTime(double seconds);
    double duration() const;
    // Gain, not clamped above (negative is silent).
    void setVolume(float volume);
    // -1 left .. 1 right; the other side is turned down, centre is full on both.
    void setPan(float pan);
    // GUI thread. Silences the voice and hands it back to the engine, which
    // deletes it once the mixer has let go. Do not touch it afterwards.
    void release();

    const QString& name() const
    {
        return m_name;
    }

private:
    friend class AudioEngine;

    AudioVoice(AudioEngine* engine, std::shared_ptr<const AudioClip> clip, const QString& name);
    ~AudioVoice() = default;

    // Audio thread: adds this voice's next frames to the stereo mix.
    void render(float* stereo, int frames, quint64 releasedBatch, qint64 firstFrame);
    void mixInto(float* stereo, qint64 from, qint64 frames) const;

    AudioEngine* m_engine;
    std::shared_ptr<const AudioClip> m_clip;
    QString m_name;
    std::atomic<bool> m_running {false};
    std::atomic<bool> m_released {false};
    std::atomic<qint64> m_position {0};
    std::atomic<quint64> m_batch {0};
    std::atomic<qint64> m_startFrame {-1};
    std::atomic<float> m_volume {1.f};
    std::atomic<float> m_pan {0.f};
    // GUI thread: the start of the last play() was told to the observers.
    bool m_startReported = true;
    // Link in the engine's hand-over stacks and in the mixer's voice list.
    AudioVoice* m_link = nullptr;
};

} // namespace DIReridArazi
