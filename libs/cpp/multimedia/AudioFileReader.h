#pragma once

#include <QString>

#include <sndfile.h>

#include <vector>

namespace DIReridArazi {

// A sound file read through libsndfile as float frames at the file's own
// rate, of one or two channels (the first two of a file with more). A file
// at a rate outside minRate to maxRate, or of more than maxChannels
// channels, does not open. Any one thread at a time.
class AudioFileReader
{
public:
    static constexpr int minRate = 1000;
    static constexpr int maxRate = 384000;
    static constexpr int maxChannels = 32;

    explicit AudioFileReader(const QString& path);
    ~AudioFileReader();
    AudioFileReader(const AudioFileReader&) = delete;
    AudioFileReader& operator=(const AudioFileReader&) = delete;

    // Open, with a rate and channels.
    bool isOpen() const
    {
        return m_file != nullptr;
    }
    int channels() const;
    int rate() const
    {
        return m_info.samplerate;
    }
    // The header's frame count: an estimate for a compressed or truncated file.
    qint64 frames() const
    {
        return m_info.frames;
    }
    // The file's size when it was opened.
    qint64 bytes() const
    {
        return m_bytes;
    }
    // Reads up to maxFrames frames into out; fewer only at the end. A file
    // of more than two channels is read through a block of blockSamples
    // samples, whatever its channels and maxFrames.
    qint64 read(float* out, qint64 maxFrames);
    bool seek(qint64 frame);

private:
    static constexpr qint64 blockSamples = 16384;

    SNDFILE* m_file = nullptr;
    SF_INFO m_info {};
    qint64 m_bytes = 0;
    std::vector<float> m_block;
};

} // namespace DIReridArazi
