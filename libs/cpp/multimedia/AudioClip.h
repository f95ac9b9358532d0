#pragma once

#include "AudioSource.h"

#include <QString>

#include <atomic>
#include <memory>
#include <vector>

namespace DIReridArazi {

class AudioDecoder;

// A whole sound file as 16-bit PCM at the engine's rate, one or two
// interleaved channels. A clip may be decoded block by block on one thread
// while voices play it on the audio thread: each block is added behind the
// frames already there, which never change, and a play finds the frames
// decoded so far. Complete, it is immutable.
class AudioClip : public AudioSource
{
public:
    static constexpr int sampleRate = 44100;
    // A clip holds at most a minute: the rest of a file whose header hid its
    // length is left out.
    static constexpr qint64 maxFrames = 60 * sampleRate;

    // Decodes the whole file now; null when it is missing, not decodable or
    // holds no frames. A truncated file gives what it holds. Any thread.
    static std::shared_ptr<AudioClip> decode(const QString& path);

    // A complete clip of the samples.
    AudioClip(int channels, std::vector<qint16> samples);
    // An empty clip that decodeSome() fills from the decoder.
    explicit AudioClip(std::unique_ptr<AudioDecoder> decoder);
    ~AudioClip() override;

    // One thread, until it returns false: decodes the next block; false once
    // the clip is complete.
    bool decodeSome();
    // Whether the whole file has been decoded. Any thread.
    bool isComplete() const
    {
        return m_complete.load(std::memory_order_acquire);
    }

    int channels() const
    {
        return m_channels;
    }
    // The length; the header's estimate until the clip is complete. Any thread.
    qint64 frames() const override
    {
        return m_frames.load(std::memory_order_acquire);
    }
    bool atEnd(qint64 position) const override
    {
        return isComplete() && position >= frames();
    }
    bool hasFrames(qint64 position) override;
    qint64 mixInto(float* stereo, qint64 position, qint64 count, float left, float right) override;
    // Interleaved sample i of a complete clip, from -1 to 1.
    float sample(qint64 i) const
    {
        return float(m_data.load(std::memory_order_acquire)[i]) * scale;
    }
    // The bytes of samples held, once complete.
    qint64 bytes() const;

    static constexpr float scale = 1.f / 32768.f;

private:
    // Adds count frames behind those decoded; a full buffer is followed by a larger
    // copy, and the old one stays for a mixer that may still read it.
    void append(const float* samples, qint64 count);
    void complete();

    int m_channels;
    // The decoding thread's, until the clip is complete.
    std::unique_ptr<AudioDecoder> m_decoder;
    std::vector<float> m_block;
    std::vector<std::vector<qint16>> m_buffers;
    // Shared with the audio thread: the current buffer, the frames in it that
    // are decoded, the length and whether it is final.
    std::atomic<const qint16*> m_data {nullptr};
    std::atomic<qint64> m_ready {0};
    std::atomic<qint64> m_frames {0};
    std::atomic<bool> m_complete {false};
};

} // namespace DIReridArazi
