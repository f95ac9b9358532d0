#include "AudioFileReader.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace DIReridArazi {

AudioFileReader::AudioFileReader(const QString& path)
    : m_bytes(QFileInfo(path).size())
{
    m_file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &m_info);
    if (m_file
        && (m_info.channels <= 0 || m_info.channels > maxChannels || m_info.samplerate < minRate
            || m_info.samplerate > maxRate)) {
        sf_close(m_file);
        m_file = nullptr;
    }
}

AudioFileReader::~AudioFileReader()
{
    if (m_file)
        sf_close(m_file);
}

int AudioFileReader::channels() const
{
    return std::min(m_info.channels, 2);
}

qint64 AudioFileReader::read(float* out, qint64 maxFrames)
{
    if (!m_file || maxFrames <= 0)
        return 0;
    if (m_info.channels <= 2)
        return std::max<sf_count_t>(sf_readf_float(m_file, out, maxFrames), 0);
    // More than two channels: keep the first two.
    const qint64 channels = m_info.channels;
    const qint64 blockFrames = blockSamples / channels;
    m_block.resize(size_t(std::min(blockFrames, maxFrames) * channels));
    qint64 done = 0;
    while (done < maxFrames) {
        const qint64 wanted = std::min(blockFrames, maxFrames - done);
        const qint64 got = std::max<sf_count_t>(sf_readf_float(m_file, m_block.data(), wanted), 0);
        for (qint64 f = 0; f < got; ++f, ++done) {
            out[2 * done] = m_block[size_t(f * channels)];
            out[2 * done + 1] = m_block[size_t(f * channels + 1)];
        }
        if (got < wanted)
            break;
    }
    return done;
}

bool AudioFileReader::seek(qint64 frame)
{
    return m_file && sf_seek(m_file, frame, SEEK_SET) >= 0;
}

} // namespace DIReridArazi
