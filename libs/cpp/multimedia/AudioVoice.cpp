#include "AudioVoice.h"

#include "AudioClip.h"
#include "AudioEngine.h"
#include "AudioTimeline.h"

#include <algorithm>
#include <cmath>

namespace DIReridArazi {

namespace {

// The shared word: 40 bits of position, two flags, 22 bits of generation.
constexpr int positionBits = 40;
constexpr quint64 positionMask = (quint64(1) << positionBits) - 1;
constexpr quint64 runningBit = quint64(1) << positionBits;
constexpr quint64 pendingBit = quint64(1) << (positionBits + 1);
constexpr int generationShift = positionBits + 2;
constexpr quint32 generationMask = (quint32(1) << (64 - generationShift)) - 1;

// Whether generation a is b or comes after it, across the wrap.
bool notBefore(quint32 a, quint32 b)
{
    return ((a - b) & generationMask) <= generationMask / 2;
}

} // namespace

AudioVoice::State AudioVoice::State::from(quint64 word)
{
    State state;
    state.position = qint64(word & positionMask);
    state.running = word & runningBit;
    state.pending = word & pendingBit;
    state.generation = quint32(word >> generationShift);
    return state;
}

quint64 AudioVoice::State::word() const
{
    return (quint64(position) & positionMask) | (running ? runningBit : 0)
        | (pending ? pendingBit : 0) | (quint64(generation & generationMask) << generationShift);
}

AudioVoice::AudioVoice(
    AudioEngine* engine, std::shared_ptr<AudioSource> source, const QString& name)
    : m_engine(engine)
    , m_source(std::move(source))
    , m_name(name)
{
}

void AudioVoice::play()
{
    m_engine->start(this, 0, -1);
}

void AudioVoice::playAt(qint64 startNs)
{
    m_engine->start(this, std::max<qint64>(startNs, 1), -1);
}

void AudioVoice::playAtFrame(qint64 frame)
{
    m_engine->start(this, 0, frame);
}

void AudioVoice::pause()
{
    change([](State& state) { state.running = state.pending = false; });
}

bool AudioVoice::isPlaying() const
{
    return State::from(m_state.load(std::memory_order_acquire)).running;
}

double AudioVoice::currentTime() const
{
    const State state = State::from(m_state.load(std::memory_order_acquire));
    return double(state.position) / AudioClip::sampleRate;
}

void AudioVoice::setCurrentTime(double seconds)
{
    const qint64 frame
        = std::clamp<qint64>(std::llround(seconds * AudioClip::sampleRate), 0, m_source->frames());
    m_source->seekTo(frame);
    change([frame](State& state) { state.position = frame; });
}

double AudioVoice::duration() const
{
    return double(m_source->frames()) / AudioClip::sampleRate;
}

void AudioVoice::setVolume(float volume)
{
    m_volume.store(volume, std::memory_order_relaxed);
}

void AudioVoice::setPan(float pan)
{
    m_pan.store(pan, std::memory_order_relaxed);
}

void AudioVoice::release()
{
    m_engine->release(this);
}

template <typename Change> quint32 AudioVoice::change(Change change)
{
    quint64 word = m_state.load(std::memory_order_relaxed);
    State next;
    do {
        next = State::from(word);
        change(next);
        next.generation = (next.generation + 1) & generationMask;
    } while (!m_state.compare_exchange_weak(
        word, next.word(), std::memory_order_acq_rel, std::memory_order_relaxed));
    return next.generation;
}

void AudioVoice::arm(quint64 batch, qint64 startNs, qint64 startFrame)
{
    m_source->willPlay();
    m_batch.store(batch, std::memory_order_relaxed);
    m_startNs.store(startNs, std::memory_order_relaxed);
    m_startFrame.store(startFrame, std::memory_order_relaxed);
    m_startReported = false;
    m_startGeneration = change([](State& state) { state.running = state.pending = true; });
}

qint64 AudioVoice::startedFrame() const
{
    const quint64 started = m_started.load(std::memory_order_acquire);
    if (!notBefore(quint32(started >> generationShift), m_startGeneration))
        return -1;
    return qint64(started & ((quint64(1) << generationShift) - 1));
}

quint64 AudioVoice::waitingBatch(quint64 releasedBatch)
{
    const State state = State::from(m_state.load(std::memory_order_acquire));
    if (!state.running || !state.pending || m_startNs.load(std::memory_order_relaxed) != 0
        || m_startFrame.load(std::memory_order_relaxed) >= 0)
        return 0;
    const quint64 batch = m_batch.load(std::memory_order_relaxed);
    return batch <= releasedBatch && !m_source->hasFrames(state.position) ? batch : 0;
}

void AudioVoice::render(float* stereo, int frames, quint64 releasedBatch, qint64 firstFrame,
    const AudioTimeline& timeline)
{
    quint64 word = m_state.load(std::memory_order_acquire);
    const State state = State::from(word);
    if (!state.running)
        return;
    const int offset
        = state.pending ? startOffset(state, frames, releasedBatch, firstFrame, timeline) : 0;
    if (offset >= frames)
        return;
    // A start waits until its source is ready to play on.
    if (state.pending && !m_source->hasFrames(state.position))
        return;
    const qint64 count = mixInto(stereo + 2 * offset, state.position, frames - offset);
    State next = state;
    next.pending = false;
    next.position += count;
    if (m_source->atEnd(next.position)) {
        next.position = 0;
        next.running = false;
    }
    // A change of the GUI thread in the meantime wins over the advance.
    if (m_state.compare_exchange_strong(
            word, next.word(), std::memory_order_acq_rel, std::memory_order_relaxed)
        && state.pending) {
        m_started.store(quint64(state.generation) << generationShift | quint64(firstFrame + offset),
            std::memory_order_release);
    }
}

int AudioVoice::startOffset(const State& state, int frames, quint64 releasedBatch,
    qint64 firstFrame, const AudioTimeline& timeline)
{
    // All were written before the state that carries this start.
    const qint64 startNs = m_startNs.load(std::memory_order_relaxed);
    const qint64 startFrame = m_startFrame.load(std::memory_order_relaxed);
    if (startNs == 0 && startFrame < 0)
        return m_batch.load(std::memory_order_relaxed) > releasedBatch ? frames : 0;
    if (m_scheduledFrame < 0 || m_scheduledGeneration != state.generation) {
        m_scheduledGeneration = state.generation;
        m_scheduledFrame = startFrame >= 0 ? startFrame : timeline.frameAt(startNs);
    }
    return int(std::clamp<qint64>(m_scheduledFrame - firstFrame, 0, frames));
}

qint64 AudioVoice::mixInto(float* stereo, qint64 position, qint64 frames)
{
    const float volume = std::max(0.f, m_volume.load(std::memory_order_relaxed));
    const float pan = std::clamp(m_pan.load(std::memory_order_relaxed), -1.f, 1.f);
    const float left = volume * std::min(1.f, 1.f - pan);
    const float right = volume * std::min(1.f, 1.f + pan);
    return m_source->mixInto(stereo, position, frames, left, right);
}

} // namespace DIReridArazi
