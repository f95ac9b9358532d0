#pragma once

namespace DIReridArazi {

// Writes interleaved float frames to an audio file. GUI thread only.
class AudioFileWriter
{
public:
    virtual ~AudioFileWriter();

    virtual bool write(const float* frames, int count) = 0;
    // Writes what is pending and completes the file's header; idempotent.
    virtual void finish() = 0;
};

} // namespace DIReridArazi
