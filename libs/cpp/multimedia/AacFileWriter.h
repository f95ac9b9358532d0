#pragma once

#include "AudioFileWriter.h"

#include <QString>

#include <cstdint>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;

namespace DIReridArazi {

// AAC in an MPEG-4 audio file through libavcodec and libavformat, which
// write the file through this writer. The file is written as fragments of
// about a second behind a complete header, so if the program ends abruptly
// all but the last second stays playable; after a failed write the file ends
// with the last fragment that reached it whole.
class AacFileWriter : public AudioFileWriter
{
public:
    // Makes the file with its header and puts it at the path; errorString()
    // says why when the encoder or the file cannot be opened, and the path
    // is left as it was.
    AacFileWriter(const QString& path, int sampleRate, int channelCount, int bitRate);
    ~AacFileWriter() override;

    int write(const float* frames, int count) override;
    bool finish() override;

    // Sound taken but not yet in the file: the samples waiting for a whole
    // encoder frame (under 1024 frames) and the packets of the fragment being
    // built (about a second). Nothing is taken after a failure.
    long long pendingBytes() const;

private:
    bool openEncoder(int sampleRate, int channelCount, int bitRate);
    bool openContainer();
    bool encodePending();
    bool writePackets();
    bool avFailed(int result);
    void release();
    static int writePacket(void* writer, uint8_t* data, int size);
    static int64_t seekPacket(void* writer, int64_t offset, int whence);

    // Outside the constructor, set only while the file has its header and
    // nothing has failed: a failure releases it.
    AVFormatContext* m_container = nullptr;
    AVCodecContext* m_encoder = nullptr;
    AVStream* m_stream = nullptr;
    AVFrame* m_frame = nullptr;
    AVPacket* m_packet = nullptr;
    std::vector<float> m_pending;
    int m_pendingFrames = 0;
    long long m_samplesEncoded = 0;
    long long m_heldBytes = 0;
    long long m_wholeLength = 0;
};

} // namespace DIReridArazi
