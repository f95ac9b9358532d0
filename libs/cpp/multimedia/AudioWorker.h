#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace DIReridArazi {

class AudioClip;
class AudioStream;

// The engine's thread beside the GUI and audio threads: it keeps the rings
// of the streams filled, decodes the clips that voices wait for, and decodes
// files asked for ahead of their play, in that order. Its operations are for
// the GUI thread; it starts with the first of them.
class AudioWorker
{
public:
    using Decoded = QPair<QString, std::shared_ptr<AudioClip>>;

    AudioWorker() = default;
    ~AudioWorker();
    AudioWorker(const AudioWorker&) = delete;
    AudioWorker& operator=(const AudioWorker&) = delete;

    // Decodes the files in order, in place of those asked for before and not begun.
    void decode(const QStringList& paths);
    // Decodes the clip of the file, a block of each such clip in turn, so
    // that each soon has its first frames.
    void load(const QString& path, const std::shared_ptr<AudioClip>& clip);
    // The files decoded since the last call, those that failed left out, and
    // the clips loaded since then, complete.
    QVector<Decoded> takeDecoded();
    // Fills the stream until nothing else holds it.
    void addStream(const std::shared_ptr<AudioStream>& stream);
    // Looks at the streams now: one is about to play.
    void wake();
    // Ends the thread; the next use starts it again.
    void stop();

private:
    void ensureRunning();
    void run();
    // Worker thread: one piece of work, under the lock; false when there is none.
    bool work(std::unique_lock<std::mutex>& lock);
    bool fillStreams(std::unique_lock<std::mutex>& lock);
    bool loadClips(std::unique_lock<std::mutex>& lock);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_thread;
    bool m_stopping = false;
    QStringList m_toDecode;
    QVector<Decoded> m_loading;
    QVector<Decoded> m_decoded;
    std::vector<std::weak_ptr<AudioStream>> m_streams;
};

} // namespace DIReridArazi
