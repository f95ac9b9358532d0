#include "AudioStream.h"

#include <algorithm>

namespace DIReridArazi {

namespace {

constexpr int blockCount = 32;
constexpr qint64 blockFrames = 2048;
// Blocks read ahead before a play may begin: half the ring, some 0.75 s.
constexpr quint64 startBlocks = blockCount / 2;

} // namespace

std::shared_ptr<AudioStream> AudioStream::make(std::unique_ptr<AudioFileReader> reader)
{
    if (!reader || !reader->isOpen())
        return nullptr;
    std::shared_ptr<AudioStream> stream(new AudioStream(std::move(reader)));
    if (!stream->m_decoder.isValid())
        return nullptr;
    return stream;
}

AudioStream::AudioStream(std::unique_ptr<AudioFileReader> reader)
    : m_decoder(std::move(reader))
    , m_frames(m_decoder.estimatedFrames())
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

// Begun on its first block, a sound would fall silent right after its start
// whenever the disk is slow to give the next ones.
bool AudioStream::hasFrames(qint64 position)
{
    return atEnd(position) || (blockAt(position) && isReadAheadForAStart());
}

qint64 AudioStream::mixInto(float* stereo, qint64 position, qint64 count, float left, float right)
{
    qint64 done = 0;
    while (done < count) {
        const qint64 at = position + done;
        const Block* block = blockAt(at);
        if (!block)
            break;
        const qint64 n = std::min(count - done, block->first + block->frames - at);
        addFrames(stereo + 2 * done,
            block->samples.data() + (at - block->first) * m_decoder.channels(),
            m_decoder.channels(), n, left, right, 1.f);
        done += n;
    }
    return done;
}

const AudioStream::Block* AudioStream::blockAt(qint64 frame)
{
    quint64 read = m_read.load(std::memory_order_relaxed);
    while (read != m_written.load(std::memory_order_acquire)) {
        const Block& block = m_blocks[read % blockCount];
        if (block.restart == m_restart.load(std::memory_order_relaxed) && frame >= block.first
            && frame < block.first + block.frames) {
            m_wanted.store(frame, std::memory_order_relaxed);
            return &block;
        }
        // A block played, of an earlier restart, or from before a seek. The
        // worker judges the ring by the place read next, never an older one.
        m_wanted.store(frame, std::memory_order_relaxed);
        m_read.store(++read, std::memory_order_release);
    }
    m_wanted.store(frame, std::memory_order_relaxed);
    return nullptr;
}

bool AudioStream::isReadAheadForAStart() const
{
    const quint64 read = m_read.load(std::memory_order_relaxed);
    const quint64 written = m_written.load(std::memory_order_acquire);
    if (written - read >= startBlocks)
        return true;
    const Block& last = m_blocks[(written - 1) % blockCount];
    return m_lengthKnown.load(std::memory_order_acquire) && last.first + last.frames >= frames();
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
            block.samples.resize(size_t(blockFrames * m_decoder.channels()));
    }
    // The place read next after the blocks the mixer let go of.
    const quint64 read = m_read.load(std::memory_order_acquire);
    const qint64 wanted = m_wanted.load(std::memory_order_relaxed);
    if (!covers(wanted, read))
        restartAt(wanted);
    const quint64 written = m_written.load(std::memory_order_relaxed);
    if (m_decoder.atEnd() || written - read >= blockCount)
        return false;
    Block& block = m_blocks[written % blockCount];
    block.first = m_decoder.position();
    block.restart = m_restart.load(std::memory_order_relaxed);
    block.frames = m_decoder.read(block.samples.data(), blockFrames);
    if (m_decoder.atEnd()) {
        m_frames.store(m_decoder.position(), std::memory_order_release);
        m_lengthKnown.store(true, std::memory_order_release);
    }
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
    const qint64 next = m_decoder.position();
    const qint64 oldest = read == written ? next : m_blocks[read % blockCount].first;
    return frame >= oldest && frame <= next;
}

void AudioStream::restartAt(qint64 frame)
{
    m_restart.fetch_add(1, std::memory_order_relaxed);
    m_decoder.seek(frame);
}

} // namespace DIReridArazi
