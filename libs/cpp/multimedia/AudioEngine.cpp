#include "AudioEngine.h"

#include "AudioDecoder.h"
#include "AudioEngineObserver.h"
#include "AudioFileReader.h"
#include "AudioStream.h"
#include "AudioVoice.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>

namespace DIReridArazi {

namespace {

// 16-bit samples: room for the largest chord page's samples (about 7 MB)
// and some of the page before.
constexpr qint64 cacheBudgetBytes = 12 * 1024 * 1024;
// Files longer than this are streamed instead of decoded whole.
constexpr qint64 streamSeconds = 30;
constexpr int housekeepingMs = 20;
// Just below full scale, released over a fifth of a second.
constexpr float limiterThreshold = 0.9f;
constexpr float limiterReleaseSeconds = 0.2f;

} // namespace

AudioEngine* AudioEngine::instance()
{
    // Lives as long as the process: players may outlive the application
    // object. Its device closes with the application object.
    static AudioEngine* engine = [] {
        auto* made = new AudioEngine;
        qAddPostRoutine([] { instance()->shutDown(); });
        return made;
    }();
    return engine;
}

qint64 AudioEngine::clockNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

AudioEngine::AudioEngine()
    : m_cache(cacheBudgetBytes)
    , m_output(&AudioEngine::renderOutput, this)
    , m_limiter(limiterThreshold, limiterReleaseSeconds, AudioClip::sampleRate)
{
    m_housekeeping.setInterval(housekeepingMs);
    connect(&m_housekeeping, &QTimer::timeout, this, &AudioEngine::poll);
}

AudioVoice* AudioEngine::openVoice(const QString& path)
{
    std::shared_ptr<AudioSource> source = load(path);
    if (!source)
        return nullptr;
    openOutput();
    auto* voice = new AudioVoice(this, std::move(source), path);
    m_voices.append(voice);
    push(m_incoming, voice);
    return voice;
}

void AudioEngine::prefetch(const QStringList& paths)
{
    adoptDecoded();
    QStringList missing;
    for (const QString& path : paths) {
        if (!path.isEmpty() && !missing.contains(path) && !m_cache.find(path)
            && !m_loading.contains(path))
            missing << path;
    }
    m_worker.decode(missing);
}

bool AudioEngine::isReady(const QString& path)
{
    adoptDecoded();
    return m_cache.find(path) != nullptr;
}

std::shared_ptr<AudioSource> AudioEngine::load(const QString& path)
{
    adoptDecoded();
    if (std::shared_ptr<AudioClip> clip = m_cache.find(path))
        return clip;
    if (std::shared_ptr<AudioClip> clip = m_loading.value(path).lock())
        return clip;
    // Only the header is read here.
    auto reader = std::make_unique<AudioFileReader>(path);
    if (!reader->isOpen() || reader->frames() <= 0)
        return nullptr;
    if (reader->frames() > streamSeconds * reader->rate()) {
        std::shared_ptr<AudioStream> stream = AudioStream::make(std::move(reader));
        if (stream)
            m_worker.addStream(stream);
        return stream;
    }
    auto decoder = std::make_unique<AudioDecoder>(std::move(reader));
    if (!decoder->isValid())
        return nullptr;
    auto clip = std::make_shared<AudioClip>(std::move(decoder));
    if (m_manualClock)
        return decodeNow(path, clip);
    m_loading.insert(path, clip);
    m_worker.load(path, clip);
    return clip;
}

// Time stands still until the caller mixes: the whole file is there before.
std::shared_ptr<AudioClip> AudioEngine::decodeNow(
    const QString& path, const std::shared_ptr<AudioClip>& clip)
{
    while (clip->decodeSome()) { }
    if (clip->frames() == 0)
        return nullptr;
    m_cache.insert(path, clip);
    return clip;
}

void AudioEngine::adoptDecoded()
{
    for (const AudioWorker::Decoded& decoded : m_worker.takeDecoded()) {
        m_loading.remove(decoded.first);
        if (decoded.second->frames() > 0)
            m_cache.insert(decoded.first, decoded.second);
    }
}

void AudioEngine::addObserver(AudioEngineObserver* observer)
{
    m_observers.append(observer);
}

void AudioEngine::removeObserver(AudioEngineObserver* observer)
{
    m_observers.removeAll(observer);
}

void AudioEngine::setManualClock(bool manual)
{
    m_manualClock = manual;
    if (manual)
        m_output.close();
    else if (!m_voices.isEmpty())
        m_output.open();
}

void AudioEngine::openOutput()
{
    if (!m_manualClock)
        m_output.open();
}

QString AudioEngine::driverName() const
{
    return m_output.driverName();
}

qint64 AudioEngine::framesMixed() const
{
    return m_framesMixed.load(std::memory_order_acquire);
}

void AudioEngine::commit()
{
    m_releasedBatch.store(m_batch, std::memory_order_release);
}

void AudioEngine::poll()
{
    for (AudioVoice* voice : qAsConst(m_voices))
        reportStart(voice);
    AudioVoice* retired = m_retired.exchange(nullptr, std::memory_order_acq_rel);
    while (retired) {
        AudioVoice* next = retired->m_link;
        delete retired;
        --m_releasing;
        retired = next;
    }
    const bool reported = std::all_of(m_voices.cbegin(), m_voices.cend(),
        [](const AudioVoice* voice) { return voice->m_startReported; });
    if (reported && m_releasing == 0)
        m_housekeeping.stop();
}

void AudioEngine::mix(float* stereo, int frames)
{
    // The batch first: a voice pushed before its batch was released is then
    // surely adopted in this same period, with the rest of its batch.
    quint64 releasedBatch = m_releasedBatch.load(std::memory_order_acquire);
    adoptIncoming();
    // A batch begins once each of its voices is ready to play.
    for (AudioVoice* voice = m_active; voice; voice = voice->m_link) {
        if (const quint64 waiting = voice->waitingBatch(releasedBatch))
            releasedBatch = std::min(releasedBatch, waiting - 1);
    }
    const qint64 firstFrame = m_framesMixed.load(std::memory_order_relaxed);
    m_timeline.update(firstFrame, frames, clockNs());
    std::fill(stereo, stereo + 2 * frames, 0.f);
    AudioVoice** link = &m_active;
    while (AudioVoice* voice = *link) {
        if (voice->m_released.load(std::memory_order_acquire)) {
            *link = voice->m_link;
            push(m_retired, voice);
            continue;
        }
        voice->render(stereo, frames, releasedBatch, firstFrame, m_timeline);
        link = &voice->m_link;
    }
    m_limiter.process(stereo, frames);
    m_framesMixed.store(firstFrame + frames, std::memory_order_release);
}

void AudioEngine::start(AudioVoice* voice, qint64 startNs, qint64 startFrame)
{
    if (voice->isPlaying())
        return;
    if (startNs <= clockNs())
        startNs = 0;
    if (startFrame <= framesMixed())
        startFrame = -1;
    const bool atCommit = startNs == 0 && startFrame < 0;
    // Only this thread writes the released batch: equal means no commit is due.
    if (atCommit && m_releasedBatch.load(std::memory_order_relaxed) == m_batch) {
        ++m_batch;
        QMetaObject::invokeMethod(this, &AudioEngine::commit, Qt::QueuedConnection);
    }
    // A scheduled start carries its own time or frame and waits for no commit.
    voice->arm(atCommit ? m_batch : 0, startNs, startFrame);
    m_worker.wake();
    wakeHousekeeping();
}

void AudioEngine::release(AudioVoice* voice)
{
    voice->pause();
    reportStart(voice);
    m_voices.removeOne(voice);
    ++m_releasing;
    voice->m_released.store(true, std::memory_order_release);
    wakeHousekeeping();
}

void AudioEngine::wakeHousekeeping()
{
    if (!m_housekeeping.isActive())
        m_housekeeping.start();
}

void AudioEngine::reportStart(AudioVoice* voice)
{
    if (voice->m_startReported)
        return;
    const qint64 frame = voice->startedFrame();
    if (frame < 0)
        return;
    voice->m_startReported = true;
    for (AudioEngineObserver* observer : qAsConst(m_observers))
        observer->voiceStarted(voice->name(), frame);
}

// A Treiber stack push; the other side takes the whole stack at once.
void AudioEngine::push(std::atomic<AudioVoice*>& stack, AudioVoice* voice)
{
    AudioVoice* head = stack.load(std::memory_order_relaxed);
    do {
        voice->m_link = head;
    } while (!stack.compare_exchange_weak(
        head, voice, std::memory_order_release, std::memory_order_relaxed));
}

void AudioEngine::adoptIncoming()
{
    AudioVoice* incoming = m_incoming.exchange(nullptr, std::memory_order_acquire);
    while (incoming) {
        AudioVoice* next = incoming->m_link;
        incoming->m_link = m_active;
        m_active = incoming;
        incoming = next;
    }
}

void AudioEngine::shutDown()
{
    m_output.close();
    m_worker.stop();
    m_housekeeping.stop();
}

void AudioEngine::renderOutput(void* engine, float* stereo, int frames)
{
    static_cast<AudioEngine*>(engine)->mix(stereo, frames);
}

} // namespace DIReridArazi
