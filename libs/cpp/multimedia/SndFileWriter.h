#pragma once

#include "AudioFileWriter.h"

#include <QString>

#include <sndfile.h>

namespace DIReridArazi {

// 16-bit linear PCM through libsndfile, which reads and writes the file
// through this writer. The header is brought up to date after every write,
// so the file stays valid if the program ends abruptly; after a failed write
// the file keeps the whole frames that reached it, and its header says so.
class SndFileWriter : public AudioFileWriter
{
public:
    // majorFormat is SF_FORMAT_WAV, SF_FORMAT_AIFF or SF_FORMAT_CAF. Makes
    // the file with its header and puts it at the path; errorString() says
    // why when it cannot, and the path is left as it was.
    SndFileWriter(const QString& path, int majorFormat, int sampleRate, int channelCount);
    ~SndFileWriter() override;

    int write(const float* frames, int count) override;
    bool finish() override;

private:
    static SF_VIRTUAL_IO virtualIo();
    QString soundFileError() const;

    SNDFILE* m_file = nullptr;
    long long m_dataStart = 0;
    long long m_frameBytes = 0;
    long long m_frames = 0;
};

} // namespace DIReridArazi
