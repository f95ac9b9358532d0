#include "AacFileWriter.h"

#include <QFile>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
}

namespace DIReridArazi {

AacFileWriter::~AacFileWriter()
{
    finish();
}

std::unique_ptr<AacFileWriter> AacFileWriter::create(
    const QString& path, int sampleRate, int channelCount, int bitRate)
{
    // The encoder's statistics on closing are not for the user's terminal.
    av_log_set_level(AV_LOG_ERROR);
    std::unique_ptr<AacFileWriter> writer(new AacFileWriter);
    if (!writer->open(path, sampleRate, channelCount, bitRate))
        return nullptr;
    return writer;
}

bool AacFileWriter::open(const QString& path, int sampleRate, int channelCount, int bitRate)
{
    if (sampleRate <= 0 || channelCount <= 0)
        return false;
    const QByteArray fileName = QFile::encodeName(path);
    if (avformat_alloc_output_context2(&m_container, nullptr, "ipod", fileName.constData()) < 0)
        return false;
    if (!openEncoder(sampleRate, channelCount, bitRate) || !openFile(path)) {
        release();
        return false;
    }
    return true;
}

bool AacFileWriter::openEncoder(int sampleRate, int channelCount, int bitRate)
{
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!codec)
        return false;
    m_encoder = avcodec_alloc_context3(codec);
    m_stream = avformat_new_stream(m_container, nullptr);
    m_frame = av_frame_alloc();
    m_packet = av_packet_alloc();
    if (!m_encoder || !m_stream || !m_frame || !m_packet)
        return false;
    m_encoder->sample_fmt = AV_SAMPLE_FMT_FLTP;
    m_encoder->sample_rate = sampleRate;
    av_channel_layout_default(&m_encoder->ch_layout, channelCount);
    m_encoder->bit_rate = bitRate;
    m_encoder->time_base = AVRational {1, sampleRate};
    if (m_container->oformat->flags & AVFMT_GLOBALHEADER)
        m_encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(m_encoder, codec, nullptr) < 0)
        return false;
    m_stream->time_base = m_encoder->time_base;
    return avcodec_parameters_from_context(m_stream->codecpar, m_encoder) >= 0;
}

bool AacFileWriter::openFile(const QString& path)
{
    if (avio_open(&m_container->pb, QFile::encodeName(path).constData(), AVIO_FLAG_WRITE) < 0)
        return false;
    // A complete header first, then self-contained fragments of about a second.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "movflags", "+empty_moov+default_base_moof", 0);
    av_dict_set(&options, "frag_duration", "1000000", 0);
    m_container->flags |= AVFMT_FLAG_FLUSH_PACKETS;
    const int result = avformat_write_header(m_container, &options);
    av_dict_free(&options);
    m_headerWritten = result >= 0;
    if (m_headerWritten)
        avio_flush(m_container->pb);
    return m_headerWritten;
}

bool AacFileWriter::write(const float* frames, int count)
{
    if (!m_headerWritten || count < 0)
        return false;
    m_pending.append(QVector<float>(frames, frames + count * m_encoder->ch_layout.nb_channels));
    return encodePending(false);
}

// Encodes whole encoder frames from the pending samples; when flushing, the
// short remainder too.
bool AacFileWriter::encodePending(bool flush)
{
    const int channels = m_encoder->ch_layout.nb_channels;
    const int frameSize = m_encoder->frame_size;
    int offset = 0;
    int available = m_pending.size() / channels;
    bool ok = true;
    while (ok && (available >= frameSize || (flush && available > 0))) {
        const int count = qMin(available, frameSize);
        ok = encodeFrame(m_pending.constData() + offset * channels, count);
        offset += count;
        available -= count;
    }
    m_pending.remove(0, offset * channels);
    return ok;
}

bool AacFileWriter::encodeFrame(const float* frames, int count)
{
    const int channels = m_encoder->ch_layout.nb_channels;
    av_frame_unref(m_frame);
    m_frame->format = m_encoder->sample_fmt;
    m_frame->nb_samples = count;
    m_frame->sample_rate = m_encoder->sample_rate;
    if (av_channel_layout_copy(&m_frame->ch_layout, &m_encoder->ch_layout) < 0
        || av_frame_get_buffer(m_frame, 0) < 0)
        return false;
    for (int channel = 0; channel < channels; ++channel) {
        float* plane = reinterpret_cast<float*>(m_frame->extended_data[channel]);
        for (int i = 0; i < count; ++i)
            plane[i] = frames[i * channels + channel];
    }
    m_frame->pts = m_samplesEncoded;
    m_samplesEncoded += count;
    return avcodec_send_frame(m_encoder, m_frame) >= 0 && writePackets();
}

bool AacFileWriter::writePackets()
{
    for (;;) {
        const int result = avcodec_receive_packet(m_encoder, m_packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return true;
        if (result < 0)
            return false;
        av_packet_rescale_ts(m_packet, m_encoder->time_base, m_stream->time_base);
        m_packet->stream_index = m_stream->index;
        if (av_interleaved_write_frame(m_container, m_packet) < 0)
            return false;
    }
}

void AacFileWriter::finish()
{
    if (m_headerWritten) {
        encodePending(true);
        avcodec_send_frame(m_encoder, nullptr);
        writePackets();
        av_write_trailer(m_container);
        m_headerWritten = false;
    }
    release();
}

void AacFileWriter::release()
{
    if (m_container && m_container->pb)
        avio_closep(&m_container->pb);
    avformat_free_context(m_container);
    m_container = nullptr;
    m_stream = nullptr;
    avcodec_free_context(&m_encoder);
    av_frame_free(&m_frame);
    av_packet_free(&m_packet);
    m_pending.clear();
}

} // namespace DIReridArazi
