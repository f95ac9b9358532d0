#pragma once

#include <QtGlobal>

namespace DIReridArazi {

// What a voice plays: a decoded clip or a file streamed from disk, one or
// two channels at the engine's rate.
class AudioSource
{
public:
    virtual ~AudioSource();

    // Frames at the engine's rate; for a stream the header's estimate until
    // its end has been read. Any thread.
    virtual qint64 frames() const = 0;
    // Audio thread: whether position lies at or past the end.
    virtual bool atEnd(qint64 position) const = 0;
    // Audio thread: whether a play from position may begin: it finds its
    // frames ready (a stream, enough to ride out a slow disk), or the end.
    virtual bool hasFrames(qint64 position) = 0;
    // Audio thread: adds up to count frames from position to the stereo mix
    // at the channels' gains; returns how many were ready.
    virtual qint64 mixInto(float* stereo, qint64 position, qint64 count, float left, float right)
        = 0;
    // GUI thread: the voice reads from position next (a seek).
    virtual void seekTo(qint64 position);
    // GUI thread: the voice is about to play.
    virtual void willPlay();

protected:
    // Adds frames of interleaved samples (one or two channels) times scale.
    template <typename Sample>
    static void addFrames(float* stereo, const Sample* in, int channels, qint64 frames, float left,
        float right, float scale)
    {
        const int second = channels - 1;
        for (qint64 f = 0; f < frames; ++f) {
            const Sample* frame = in + f * channels;
            stereo[2 * f] += float(frame[0]) * scale * left;
            stereo[2 * f + 1] += float(frame[second]) * scale * right;
        }
    }
};

} // namespace DIReridArazi
