#pragma once

#include "AudioClipCache.h"
#include "AudioLimiter.h"
#include "AudioOutput.h"
#include "AudioTimeline.h"
#include "AudioWorker.h"

#include <QHash>
#include <QObject>
#include <QTimer>
#include <QVector>

#include <atomic>

namespace DIReridArazi {

class AudioEngineObserver;
class AudioSource;
class AudioVoice;

// The process-wide sound engine: decodes short files into a cache, streams
// long ones from disk, and mixes any number of voices into one output
// stream. The device pulls the mix on its own thread; that thread never
// allocates, locks, logs or emits. Voices reach it through a lock-free stack
// and are handed back the same way. A worker thread fills the streams,
// decodes the files a play waits for, and decodes ahead.
// Every operation is for the GUI thread unless it says otherwise.
class AudioEngine : public QObject
{
    Q_OBJECT

public:
    static AudioEngine* instance();
    // The engine's clock: steady nanoseconds, the time base of
    // AudioVoice::playAt(). Any thread.
    static qint64 clockNs();

    // A voice of the file, paused at its start; null when the file is
    // missing, cannot be decoded or holds no frames by its header. Only the
    // header is read now. A short file not in the cache is decoded on the
    // worker, and a play begins once its first frames are there (with a
    // manual clock it is decoded now); a long one is streamed, and a play
    // begins once some 0.75 s of it are read ahead.
    AudioVoice* openVoice(const QString& path);
    // Decodes the files on the worker thread, so that a later openVoice()
    // finds them in the cache; replaces the files asked for before and not
    // decoded yet.
    void prefetch(const QStringList& paths);
    // Whether a play of the file finds it decoded.
    bool isReady(const QString& path);

    void addObserver(AudioEngineObserver* observer);
    void removeObserver(AudioEngineObserver* observer);

    // With a manual clock no device runs: the caller drives time by calling
    // mix() itself (tests and benchmarks), and openVoice() decodes a file
    // before it returns. Off by default.
    void setManualClock(bool manual);
    // Opens the device, unless the clock is manual, so that framesMixed()
    // moves on while nothing sounds.
    void openOutput();
    // The SDL driver in use; empty while no device runs.
    QString driverName() const;
    // Frames mixed since the engine started. Any thread.
    qint64 framesMixed() const;

    // Lets the voices started since the last call begin, all in the same
    // sample. Runs by itself when control returns to the event loop.
    void commit();
    // Reports started voices to the observers and deletes the voices the
    // mixer has given back. Runs by itself on a short timer while a start
    // waits to be reported or a voice to come back.
    void poll();

    // Audio thread (the caller's thread with a manual clock): mixes the
    // next frames of every playing voice into stereo float.
    void mix(float* stereo, int frames);

private:
    friend class AudioVoice;

    AudioEngine();

    // startNs 0 and startFrame -1: at the commit, with the rest of the batch.
    void start(AudioVoice* voice, qint64 startNs, qint64 startFrame);
    std::shared_ptr<AudioSource> load(const QString& path);
    std::shared_ptr<AudioClip> decodeNow(
        const QString& path, const std::shared_ptr<AudioClip>& clip);
    void adoptDecoded();
    void release(AudioVoice* voice);
    void reportStart(AudioVoice* voice);
    void wakeHousekeeping();
    void push(std::atomic<AudioVoice*>& stack, AudioVoice* voice);
    void adoptIncoming();
    void shutDown();
    static void renderOutput(void* engine, float* stereo, int frames);

    AudioClipCache m_cache;
    AudioWorker m_worker;
    AudioOutput m_output;
    bool m_manualClock = false;
    QVector<AudioEngineObserver*> m_observers;
    // Clips the worker decodes for voices, until they reach the cache.
    QHash<QString, std::weak_ptr<AudioClip>> m_loading;
    // GUI side: voices not yet released, and how many wait to come back.
    QVector<AudioVoice*> m_voices;
    int m_releasing = 0;
    QTimer m_housekeeping;
    quint64 m_batch = 0;
    // Shared with the audio thread.
    std::atomic<AudioVoice*> m_incoming {nullptr};
    std::atomic<AudioVoice*> m_retired {nullptr};
    std::atomic<quint64> m_releasedBatch {0};
    std::atomic<qint64> m_framesMixed {0};
    // Audio thread only.
    AudioVoice* m_active = nullptr;
    AudioLimiter m_limiter;
    AudioTimeline m_timeline;
};

} // namespace DIReridArazi
