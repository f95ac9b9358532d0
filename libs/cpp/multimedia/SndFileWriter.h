#pragma once

#include "AudioFileWriter.h"

#include <QString>

#include <memory>

#include <sndfile.h>

namespace DIReridArazi {

// 16-bit linear PCM through libsndfile. The header is brought up to date
// after every write, so the file stays valid if the program ends abruptly.
class SndFileWriter : public AudioFileWriter
{
public:
    ~SndFileWriter() override;

    // majorFormat is SF_FORMAT_WAV, SF_FORMAT_AIFF or SF_FORMAT_CAF; null on failure.
    static std::unique_ptr<SndFileWriter> create(
        const QString& path, int majorFormat, int sampleRate, int channelCount);

    bool write(const float* frames, int count) override;
    void finish() override;

private:
    explicit SndFileWriter(SNDFILE* file);

    SNDFILE* m_file = nullptr;
};

} // namespace DIReridArazi
