#include "AudioWorker.h"

#include "AudioClip.h"
#include "AudioStream.h"

#include <algorithm>
#include <chrono>

namespace DIReridArazi {

namespace {

// A stream's ring holds some 1.5 s: looking at it this often keeps it full.
constexpr std::chrono::milliseconds streamInterval(10);

} // namespace

AudioWorker::~AudioWorker()
{
    stop();
}

void AudioWorker::decode(const QStringList& paths)
{
    ensureRunning();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_toDecode = paths;
    m_wake.notify_one();
}

void AudioWorker::load(const QString& path, const std::shared_ptr<AudioClip>& clip)
{
    ensureRunning();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_toDecode.removeAll(path);
    m_loading.append({path, clip});
    m_wake.notify_one();
}

QVector<AudioWorker::Decoded> AudioWorker::takeDecoded()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QVector<Decoded> decoded;
    decoded.swap(m_decoded);
    return decoded;
}

void AudioWorker::addStream(const std::shared_ptr<AudioStream>& stream)
{
    ensureRunning();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_streams.push_back(stream);
    m_wake.notify_one();
}

void AudioWorker::wake()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_wake.notify_one();
}

void AudioWorker::stop()
{
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        m_wake.notify_one();
    }
    m_thread.join();
    m_stopping = false;
}

void AudioWorker::ensureRunning()
{
    if (!m_thread.joinable())
        m_thread = std::thread(&AudioWorker::run, this);
}

void AudioWorker::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stopping) {
        if (work(lock))
            continue;
        // Only a stream being read needs looking at without being asked.
        if (m_streams.empty())
            m_wake.wait(lock);
        else
            m_wake.wait_for(lock, streamInterval);
    }
}

bool AudioWorker::work(std::unique_lock<std::mutex>& lock)
{
    // The streams first: a sound that plays must not run dry behind a decode.
    if (fillStreams(lock) || loadClips(lock))
        return true;
    if (m_toDecode.isEmpty())
        return false;
    const QString path = m_toDecode.takeFirst();
    lock.unlock();
    std::shared_ptr<AudioClip> clip = AudioClip::decode(path);
    lock.lock();
    if (clip)
        m_decoded.append({path, std::move(clip)});
    return true;
}

bool AudioWorker::loadClips(std::unique_lock<std::mutex>& lock)
{
    if (m_loading.isEmpty())
        return false;
    const QVector<Decoded> loading = m_loading;
    lock.unlock();
    QVector<Decoded> complete;
    for (const Decoded& load : loading) {
        if (!load.second->decodeSome())
            complete.append(load);
    }
    lock.lock();
    for (const Decoded& load : qAsConst(complete)) {
        m_loading.removeOne(load);
        m_decoded.append(load);
    }
    return true;
}

bool AudioWorker::fillStreams(std::unique_lock<std::mutex>& lock)
{
    m_streams.erase(std::remove_if(m_streams.begin(), m_streams.end(),
                        [](const std::weak_ptr<AudioStream>& s) { return s.expired(); }),
        m_streams.end());
    std::vector<std::shared_ptr<AudioStream>> streams;
    for (const std::weak_ptr<AudioStream>& stream : m_streams)
        streams.push_back(stream.lock());
    lock.unlock();
    bool filled = false;
    for (const std::shared_ptr<AudioStream>& stream : streams)
        filled = (stream && stream->fill()) || filled;
    streams.clear();
    lock.lock();
    return filled;
}

} // namespace DIReridArazi
