#include "AacFileWriter.h"

#include <QCoreApplication>

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
}

namespace DIReridArazi {

namespace {

const int ioBufferSize = 4096;

} // namespace

AacFileWriter::AacFileWriter(const QString& path, int sampleRate, int channelCount, int bitRate)
{
    // The encoder's statistics on closing are not for the user's terminal.
    av_log_set_level(AV_LOG_ERROR);
    if (avFailed(avformat_alloc_output_context2(&m_container, nullptr, "ipod", nullptr))
        || !openEncoder(sampleRate, channelCount, bitRate) || !openFile(path) || !openContainer()
        || !placeFile())
        release();
}

AacFileWriter::~AacFileWriter()
{
    finish();
}

bool AacFileWriter::openEncoder(int sampleRate, int channelCount, int bitRate)
{
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
    m_encoder = codec ? avcodec_alloc_context3(codec) : nullptr;
    m_stream = avformat_new_stream(m_container, nullptr);
    m_frame = av_frame_alloc();
    m_packet = av_packet_alloc();
    if (!m_encoder || !m_stream || !m_frame || !m_packet)
        return avFailed(AVERROR(ENOMEM));
    m_encoder->sample_fmt = AV_SAMPLE_FMT_FLTP;
    m_encoder->sample_rate = sampleRate;
    av_channel_layout_default(&m_encoder->ch_layout, channelCount);
    m_encoder->bit_rate = bitRate;
    m_encoder->time_base = AVRational {1, qMax(sampleRate, 1)};
    if (m_container->oformat->flags & AVFMT_GLOBALHEADER)
        m_encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (sampleRate <= 0 || channelCount <= 0 || avcodec_open2(m_encoder, codec, nullptr) < 0)
        return fail(QCoreApplication::translate("DIReridArazi::AacFileWriter",
            "the AAC encoder does not take %1 Hz with %2 channels at %3 bit/s")
                        .arg(sampleRate)
                        .arg(channelCount)
                        .arg(bitRate));
    m_stream->time_base = m_encoder->time_base;
    m_pending.assign(size_t(m_encoder->frame_size) * size_t(channelCount), 0.0f);
    return !avFailed(avcodec_parameters_from_context(m_stream->codecpar, m_encoder));
}

bool AacFileWriter::openContainer()
{
    auto* buffer = static_cast<unsigned char*>(av_malloc(ioBufferSize));
    m_container->pb = buffer ? avio_alloc_context(buffer, ioBufferSize, 1, this, nullptr,
                          &AacFileWriter::writePacket, &AacFileWriter::seekPacket)
                             : nullptr;
    if (!m_container->pb) {
        av_free(buffer);
        return avFailed(AVERROR(ENOMEM));
    }
    // A complete header first, then self-contained fragments of about a
    // second, each in the file once its packet call returns.
    m_container->flags |= AVFMT_FLAG_CUSTOM_IO | AVFMT_FLAG_FLUSH_PACKETS;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "movflags", "+empty_moov+default_base_moof", 0);
    av_dict_set(&options, "frag_duration", "1000000", 0);
    const int result = avformat_write_header(m_container, &options);
    av_dict_free(&options);
    if (avFailed(result))
        return false;
    avio_flush(m_container->pb);
    m_wholeLength = fileLength();
    return !failed();
}

int AacFileWriter::write(const float* frames, int count)
{
    if (!m_container || failed() || count <= 0)
        return 0;
    const size_t channels = size_t(m_encoder->ch_layout.nb_channels);
    const int frameSize = m_encoder->frame_size;
    for (int taken = 0; taken < count;) {
        const int n = qMin(count - taken, frameSize - m_pendingFrames);
        std::copy_n(frames + size_t(taken) * channels, size_t(n) * channels,
            m_pending.begin() + ptrdiff_t(size_t(m_pendingFrames) * channels));
        m_pendingFrames += n;
        taken += n;
        if (m_pendingFrames == frameSize && !encodePending()) {
            // Drops what the muxer holds and the fragment cut short.
            truncateFile(m_wholeLength);
            release();
            return 0;
        }
    }
    return count;
}

bool AacFileWriter::encodePending()
{
    const int channels = m_encoder->ch_layout.nb_channels;
    av_frame_unref(m_frame);
    m_frame->format = m_encoder->sample_fmt;
    m_frame->nb_samples = m_pendingFrames;
    m_frame->sample_rate = m_encoder->sample_rate;
    if (avFailed(av_channel_layout_copy(&m_frame->ch_layout, &m_encoder->ch_layout))
        || avFailed(av_frame_get_buffer(m_frame, 0)))
        return false;
    for (int channel = 0; channel < channels; ++channel) {
        float* plane = reinterpret_cast<float*>(m_frame->extended_data[channel]);
        for (int i = 0; i < m_pendingFrames; ++i)
            plane[i] = m_pending[size_t(i) * size_t(channels) + size_t(channel)];
    }
    m_frame->pts = m_samplesEncoded;
    m_samplesEncoded += m_pendingFrames;
    m_pendingFrames = 0;
    return !avFailed(avcodec_send_frame(m_encoder, m_frame)) && writePackets();
}

// After each packet the file ends with a whole fragment, or the muxer still
// holds the packets of the one it builds.
bool AacFileWriter::writePackets()
{
    for (;;) {
        const int result = avcodec_receive_packet(m_encoder, m_packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return true;
        if (avFailed(result))
            return false;
        av_packet_rescale_ts(m_packet, m_encoder->time_base, m_stream->time_base);
        m_packet->stream_index = m_stream->index;
        const int size = m_packet->size;
        const int written = av_interleaved_write_frame(m_container, m_packet);
        // The muxer holds the packet until it writes its fragment.
        m_heldBytes += size;
        if (avFailed(written) || failed())
            return false;
        m_wholeLength = fileLength();
    }
}

bool AacFileWriter::finish()
{
    if (m_container) {
        const bool ended = (m_pendingFrames == 0 || encodePending())
            && !avFailed(avcodec_send_frame(m_encoder, nullptr)) && writePackets()
            && !avFailed(av_write_trailer(m_container)) && !failed();
        if (!ended)
            truncateFile(m_wholeLength);
    }
    release();
    return closeFile();
}

long long AacFileWriter::pendingBytes() const
{
    const int channels = m_encoder ? m_encoder->ch_layout.nb_channels : 0;
    return (long long)m_pendingFrames * channels * (long long)sizeof(float) + m_heldBytes;
}

bool AacFileWriter::avFailed(int result)
{
    if (result >= 0)
        return false;
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(result, text, sizeof text);
    fail(QString::fromUtf8(text));
    return true;
}

void AacFileWriter::release()
{
    if (m_container && m_container->pb) {
        av_freep(&m_container->pb->buffer);
        avio_context_free(&m_container->pb);
    }
    avformat_free_context(m_container);
    m_container = nullptr;
    m_stream = nullptr;
    avcodec_free_context(&m_encoder);
    av_frame_free(&m_frame);
    av_packet_free(&m_packet);
    m_pending.clear();
    m_pendingFrames = 0;
    m_heldBytes = 0;
}

int AacFileWriter::writePacket(void* writer, uint8_t* data, int size)
{
    auto* self = static_cast<AacFileWriter*>(writer);
    if (self->writeFile(data, size) < size)
        return AVERROR(EIO);
    // The muxer writes a fragment whole: it holds no packet now.
    self->m_heldBytes = 0;
    return size;
}

int64_t AacFileWriter::seekPacket(void* writer, int64_t offset, int whence)
{
    auto* self = static_cast<AacFileWriter*>(writer);
    if (whence & AVSEEK_SIZE)
        return self->fileLength();
    return self->seekFile(offset, whence & ~AVSEEK_FORCE);
}

} // namespace DIReridArazi
