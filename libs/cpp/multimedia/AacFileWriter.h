#pragma once

#include "AudioFileWriter.h"

#include <QString>
#include <QVector>

#include <memory>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;

namespace DIReridArazi {

// AAC in an MPEG-4 audio file through libavcodec and libavformat. The file
// is written as fragments of about a second behind a complete header, so if
// the program ends abruptly all but the last second stays playable.
class AacFileWriter : public AudioFileWriter
{
public:
    ~AacFileWriter() override;

    // Null when the encoder or the file cannot be opened.
    static std::unique_ptr<AacFileWriter> create(
        const QString& path, int sampleRate, int channelCount, int bitRate);

    bool write(const float* frames, int count) override;
    void finish() override;

private:
    AacFileWriter() = default;
    bool open(const QString& path, int sampleRate, int channelCount, int bitRate);
    bool openEncoder(int sampleRate, int channelCount, int bitRate);
    bool openFile(const QString& path);
    bool encodePending(bool flush);
    bool encodeFrame(const float* frames, int count);
    bool writePackets();
    void release();

    AVFormatContext* m_container = nullptr;
    AVCodecContext* m_encoder = nullptr;
    AVStream* m_stream = nullptr;
    AVFrame* m_frame = nullptr;
    AVPacket* m_packet = nullptr;
    QVector<float> m_pending;
    long long m_samplesEncoded = 0;
    bool m_headerWritten = false;
};

} // namespace DIReridArazi
