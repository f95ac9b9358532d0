#pragma once

#include "AudioSource.h"

#include <QString>

#include <atomic>
#include <memory>

namespace DIReridArazi {

class AudioEngine;
class AudioTimeline;

// One playing instance of a sound file, made by AudioEngine::openVoice().
// The GUI thread controls it through the public operations and gives it
// back with release(); the engine's mixer renders it on the audio thread.
// The two threads share only atomics: position, running and a pending start
// live in one word that each side changes by compare-and-swap, and every
// change of the GUI thread counts a generation, so the mixer's own change
// (the advance, the rewind at the end) never overwrites one it did not see.
class AudioVoice
{
public:
    AudioVoice(const AudioVoice&) = delete;
    AudioVoice& operator=(const AudioVoice&) = delete;

    // GUI thread. Starts or resumes sounding; every voice started in one
    // GUI-thread call begins in the same output sample.
    void play();
    // GUI thread. Like play(), but the sound begins at the output sample that
    // belongs to startNs on AudioEngine::clockNs(), inside a period; a time
    // already past starts at once, with the voices play() starts. Voices asked for at times Δ apart
    // begin Δ · rate frames apart, however late the GUI thread runs, as long as each is asked for a
    // few periods ahead.
    void playAt(qint64 startNs);
    // GUI thread. Like play(), but the sound begins at the output frame, as
    // AudioEngine::framesMixed() counts them; a frame the mixer has passed
    // starts at once.
    void playAtFrame(qint64 frame);
    // GUI thread. Halts the sound where it is; a start still to come is cancelled.
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

    // The shared word: position in frames, running, start pending, generation.
    struct State
    {
        qint64 position = 0;
        bool running = false;
        bool pending = false;
        quint32 generation = 0;

        static State from(quint64 word);
        quint64 word() const;
    };

    AudioVoice(AudioEngine* engine, std::shared_ptr<AudioSource> source, const QString& name);
    ~AudioVoice() = default;

    // GUI thread: applies a change to the shared state as one new generation;
    // returns that generation.
    template <typename Change> quint32 change(Change change);
    // GUI thread: hands the mixer a start, due at the batch's commit (startNs
    // 0 and startFrame -1), at the time or at the output frame.
    void arm(quint64 batch, qint64 startNs, qint64 startFrame);
    // GUI thread: the output frame of the last start, once the mixer made it.
    qint64 startedFrame() const;

    // Audio thread: the batch of a start due at a commit of at most
    // releasedBatch whose source is not ready to play yet; 0 when there is none.
    quint64 waitingBatch(quint64 releasedBatch);
    // Audio thread: adds this voice's next frames to the stereo mix.
    void render(float* stereo, int frames, quint64 releasedBatch, qint64 firstFrame,
        const AudioTimeline& timeline);
    // Audio thread: where in this period a pending start falls; frames when
    // it is not due yet.
    int startOffset(const State& state, int frames, quint64 releasedBatch, qint64 firstFrame,
        const AudioTimeline& timeline);
    // Audio thread: adds up to frames frames from position; returns how many.
    qint64 mixInto(float* stereo, qint64 position, qint64 frames);

    AudioEngine* m_engine;
    std::shared_ptr<AudioSource> m_source;
    QString m_name;
    std::atomic<quint64> m_state {0};
    std::atomic<bool> m_released {false};
    // Written by the GUI thread before the start that uses them.
    std::atomic<quint64> m_batch {0};
    std::atomic<qint64> m_startNs {0};
    std::atomic<qint64> m_startFrame {-1};
    // Set by the mixer: the generation and output frame of the start it made.
    std::atomic<quint64> m_started {0};
    std::atomic<float> m_volume {1.f};
    std::atomic<float> m_pan {0.f};
    // GUI thread: the generation of the last start, and whether it was told
    // to the observers.
    quint32 m_startGeneration = 0;
    bool m_startReported = true;
    // Audio thread: the frame of a scheduled start, worked out once per generation.
    quint32 m_scheduledGeneration = 0;
    qint64 m_scheduledFrame = -1;
    // Link in the engine's hand-over stacks and in the mixer's voice list.
    AudioVoice* m_link = nullptr;
};

} // namespace DIReridArazi
