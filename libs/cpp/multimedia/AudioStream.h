#pragma once

#include "AudioDecoder.h"
#include "AudioSource.h"

#include <atomic>
#include <memory>
#include <vector>

namespace DIReridArazi {

// A long file played from disk: from its first play on, the engine's worker
// decodes it ahead into a ring of blocks, which the mixer reads on the audio
// thread (a file only opened, to read its length, costs no ring). The ring
// holds about a second and a half; each block knows the frames it holds and
// the restart of the worker that wrote it. A play begins once half the ring
// is read ahead, or the rest of the file. After a seek the worker starts
// again where the voice reads, and the mixer drops the blocks of earlier
// restarts and those that no longer fit. One stream per voice.
class AudioStream : public AudioSource
{
public:
    // Takes the opened file; null when it cannot be read.
    static std::shared_ptr<AudioStream> make(std::unique_ptr<AudioFileReader> reader);

    qint64 frames() const override;
    bool atEnd(qint64 position) const override;
    bool hasFrames(qint64 position) override;
    qint64 mixInto(float* stereo, qint64 position, qint64 count, float left, float right) override;
    void seekTo(qint64 position) override;
    void willPlay() override;

    // Worker thread: decodes into the free blocks from where the voice reads;
    // false when the ring is full or the file read to its end.
    bool fill();

private:
    struct Block
    {
        qint64 first = 0;
        qint64 frames = 0;
        quint32 restart = 0;
        std::vector<float> samples;
    };

    explicit AudioStream(std::unique_ptr<AudioFileReader> reader);
    // Audio thread: lets go of the blocks before the one that holds the
    // frame, which it returns; null when the ring has none.
    const Block* blockAt(qint64 frame);
    // Audio thread, once blockAt() found a block: whether the ring holds
    // enough from there for a play to begin, or the rest of the file.
    bool isReadAheadForAStart() const;
    // Worker thread: whether the frame is in the blocks of this restart from
    // read on, or next to be decoded.
    bool covers(qint64 frame, quint64 read) const;
    void restartAt(qint64 frame);

    AudioDecoder m_decoder;
    std::vector<Block> m_blocks;
    // Blocks written by the worker and read by the mixer, counted from the start.
    std::atomic<quint64> m_written {0};
    std::atomic<quint64> m_read {0};
    // Where the voice reads next, told by the mixer and by seeks; the mixer
    // tells it before it lets go of a block.
    std::atomic<qint64> m_wanted {0};
    // Counts the worker's restarts; written by the worker before the blocks
    // of the restart.
    std::atomic<quint32> m_restart {0};
    std::atomic<qint64> m_frames;
    std::atomic<bool> m_lengthKnown {false};
    std::atomic<bool> m_playing {false};
};

} // namespace DIReridArazi
