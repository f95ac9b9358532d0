#include "AudioFileReader.h"

#include <QFile>

#include <algorithm>

namespace DIReridArazi {

AudioFileReader::AudioFileReader(const QString& path)
{
    m_file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &m_info);
    if (m_file
        && (m_info.channels <= 0 || m_info.samplerate < minRate || m_info.samplerate > maxRate)) {
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
    if (!m_file)
        return 0;
    if (m_info.channels <= 2)
        return std::max<sf_count_t>(sf_readf_float(m_file, out, maxFrames), 0);
    // More than two channels: keep the first two.
    m_block.resize(size_t(maxFrames) * size_t(m_info.channels));
    const sf_count_t got
        = std::max<sf_count_t>(sf_readf_float(m_file, m_block.data(), maxFrames), 0);
    for (sf_count_t f = 0; f < got; ++f) {
        out[2 * f] = m_block[size_t(f * m_info.channels)];
        out[2 * f + 1] = m_block[size_t(f * m_info.channels + 1)];
    }
    return got;
}

bool AudioFileReader::seek(qint64 frame)
{
    return m_file && sf_seek(m_file, frame, SEEK_SET) >= 0;
}

} // namespace DIReridArazi
