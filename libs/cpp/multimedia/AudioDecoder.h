#pragma once

#include "AudioFileReader.h"
#include "AudioResampler.h"

#include <memory>
#include <vector>

namespace DIReridArazi {

// A sound file's frames at the engine's rate, one block after another: read
// through libsndfile and, at another rate, converted by SDL's audio stream.
// One thread at a time.
class AudioDecoder
{
public:
    // Takes the opened file.
    explicit AudioDecoder(std::unique_ptr<AudioFileReader> reader);

    // Whether the file can be read and converted.
    bool isValid() const;
    int channels() const
    {
        return m_channels;
    }
    // The header's length at the engine's rate: an estimate for a compressed
    // or truncated file.
    qint64 estimatedFrames() const;
    // The estimate, no more than the file's bytes can make: what a buffer
    // for the whole file may be sized by, whatever the header claims.
    qint64 framesTheFileCanHold() const;
    // Reads up to maxFrames interleaved frames from position() on; fewer only
    // at the end of the file.
    qint64 read(float* out, qint64 maxFrames);
    // Whether the file has been read to its end; position() is then its length.
    bool atEnd() const
    {
        return m_atEnd;
    }
    // The frame at the engine's rate that is read next.
    qint64 position() const
    {
        return m_position;
    }
    // Reads from the frame at the engine's rate on.
    void seek(qint64 frame);

private:
    qint64 readConverted(float* out, qint64 maxFrames);
    // The next piece of the file into m_input; fewer frames only at its end.
    qint64 readPiece();

    std::unique_ptr<AudioFileReader> m_reader;
    int m_channels;
    // Null at the engine's own rate; otherwise fed pieces of m_piece frames.
    std::unique_ptr<AudioResampler> m_resampler;
    qint64 m_piece = 0;
    qint64 m_position = 0;
    // The file's frame read next, and the length at the engine's rate once
    // the file's end has been read (-1 before).
    qint64 m_inputFrame = 0;
    qint64 m_end = -1;
    bool m_atEnd = false;
    std::vector<float> m_input;
};

} // namespace DIReridArazi
