#include "SndFileWriter.h"

#include <QFile>

namespace DIReridArazi {

SndFileWriter::SndFileWriter(SNDFILE* file)
    : m_file(file)
{
}

SndFileWriter::~SndFileWriter()
{
    finish();
}

std::unique_ptr<SndFileWriter> SndFileWriter::create(
    const QString& path, int majorFormat, int sampleRate, int channelCount)
{
    SF_INFO info {};
    info.samplerate = sampleRate;
    info.channels = channelCount;
    info.format = majorFormat | SF_FORMAT_PCM_16;
    if (!sf_format_check(&info))
        return nullptr;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return nullptr;
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    sf_command(file, SFC_SET_UPDATE_HEADER_AUTO, nullptr, SF_TRUE);
    return std::unique_ptr<SndFileWriter>(new SndFileWriter(file));
}

bool SndFileWriter::write(const float* frames, int count)
{
    if (!m_file)
        return false;
    return sf_writef_float(m_file, frames, count) == count;
}

void SndFileWriter::finish()
{
    if (!m_file)
        return;
    sf_close(m_file);
    m_file = nullptr;
}

} // namespace DIReridArazi
