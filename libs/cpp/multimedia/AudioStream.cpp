#include "AudioStream.h"

#include "AudioClip.h"

#include <algorithm>

namespace DIReridArazi {

namespace {

constexpr int blockCount = 32;
constexpr qint64 blockFrames = 2048;

} // namespace

std::shared_ptr<AudioStream> AudioStream::make(std::unique_ptr<AudioFileReader> reader)
{
    if (!reader || !reader->isOpen())
        return nullptr;
    std::shared_ptr<AudioStream> stream(new AudioStream(std::move(reader)));
    if (!stream->m_resampler.isValid())
        return nullptr;
    return stream;
}

AudioStream::AudioStream(std::unique_ptr<AudioFileReader> reader)
    : m_reader(std::move(reader))
    , m_resampler(m_reader->channels(), m_reader->rate())
    , m_channels(m_reader->channels())
    , m_frames(m_reader->frames() * AudioClip::sampleRate / m_reader->rate())
{
}

qint64 AudioStream::frames() const
{
    return m_frames.load(std::memory_order_acquire);
}

bool AudioStream::atEnd(qint64 position) const
{
    return m_lengthKnown.load(std::memory_order_acquire) && position >= frames();
}

qint64 AudioStream::mixInto(float* stereo, qint64 position, qint64 count, float left, float right)
{
    qint64 done = 0;
    quint64 read = m_read.load(std::memory_order_relaxed);
    while (done < count && read != m_written.load(std::memory_order_acquire)) {
        const Block& block = m_blocks[read % blockCount];
        const qint64 at = position + done;
        const qint64 end = block.first + block.frames;
        // A block of an earlier restart, or from before a seek: drop it.
        if (block.restart == m_restart.load(std::memory_order_relaxed) && at >= block.first
            && at < end) {
            const qint64 n = std::min(count - done, end - at);
            addFrames(stereo + 2 * done, block.samples.data() + (at - block.first) * m_channels,
                m_channels, n, left, right, 1.f);
            done += n;
            if (at + n < end)
                break;
        }
        // The worker judges the ring by the place read next, never an older one.
        m_wanted.store(position + done, std::memory_order_relaxed);
        m_read.store(++read, std::memory_order_release);
    }
    m_wanted.store(position + done, std::memory_order_relaxed);
    return done;
}

void AudioStream::seekTo(qint64 position)
{
    m_wanted.store(position, std::memory_order_relaxed);
}

void AudioStream::willPlay()
{
    m_playing.store(true, std::memory_order_relaxed);
}

bool AudioStream::fill()
{
    if (!m_playing.load(std::memory_order_relaxed))
        return false;
    // The ring comes with the first play; the mixer sees it through m_written.
    if (m_blocks.empty()) {
        m_blocks.resize(blockCount);
        for (Block& block : m_blocks)
            block.samples.resize(size_t(blockFrames * m_channels));
    }
    // The place read next after the blocks the mixer let go of.
    const quint64 read = m_read.load(std::memory_order_acquire);
    const qint64 wanted = m_wanted.load(std::memory_order_relaxed);
    if (!covers(wanted, read))
        restartAt(wanted);
    const quint64 written = m_written.load(std::memory_order_relaxed);
    if (m_inputDone || written - read >= blockCount)
        return false;
    Block& block = m_blocks[written % blockCount];
    block.first = m_next;
    block.restart = m_restart.load(std::memory_order_relaxed);
    block.frames = decodeInto(block);
    m_next += block.frames;
    if (block.frames > 0)
        m_written.store(written + 1, std::memory_order_release);
    return true;
}

bool AudioStream::covers(qint64 frame, quint64 read) const
{
    const quint64 written = m_written.load(std::memory_order_relaxed);
    const quint32 restart = m_restart.load(std::memory_order_relaxed);
    while (read != written && m_blocks[read % blockCount].restart != restart)
        ++read;
    const qint64 oldest = read == written ? m_next : m_blocks[read % blockCount].first;
    return frame >= oldest && frame <= m_next;
}

void AudioStream::restartAt(qint64 frame)
{
    m_restart.fetch_add(1, std::memory_order_relaxed);
    m_inputFrame = frame * m_reader->rate() / AudioClip::sampleRate;
    m_reader->seek(m_inputFrame);
    m_resampler.clear();
    m_next = frame;
    m_inputDone = false;
}

qint64 AudioStream::decodeInto(Block& block)
{
    qint64 got = 0;
    while (got < blockFrames && !m_inputDone) {
        got += m_resampler.get(block.samples.data() + got * m_channels, blockFrames - got);
        if (got == blockFrames)
            break;
        m_input.resize(size_t(blockFrames * m_channels));
        const qint64 read = m_reader->read(m_input.data(), blockFrames);
        m_inputFrame += read;
        if (read > 0) {
            m_resampler.put(m_input.data(), read);
            continue;
        }
        // The end of the file: what is left comes out, and the length is known.
        const qint64 end = m_resampler.outputFrames(m_inputFrame);
        m_resampler.finish();
        got += m_resampler.get(block.samples.data() + got * m_channels, blockFrames - got);
        got = std::clamp<qint64>(end - m_next, 0, got);
        m_inputDone = true;
        m_frames.store(end, std::memory_order_release);
        m_lengthKnown.store(true, std::memory_order_release);
    }
    return got;
}

} // namespace DIReridArazi
