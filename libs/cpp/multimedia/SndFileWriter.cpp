#include "SndFileWriter.h"

#include <QCoreApplication>

namespace DIReridArazi {

SndFileWriter::SndFileWriter(const QString& path, int majorFormat, int sampleRate, int channelCount)
{
    SF_INFO info {};
    info.samplerate = sampleRate;
    info.channels = channelCount;
    info.format = majorFormat | SF_FORMAT_PCM_16;
    if (!sf_format_check(&info)) {
        fail(QCoreApplication::translate(
            "DIReridArazi::SndFileWriter", "this file type cannot hold %1 Hz with %2 channels")
                 .arg(sampleRate)
                 .arg(channelCount));
        return;
    }
    if (!openFile(path))
        return;
    SF_VIRTUAL_IO io = virtualIo();
    m_file = sf_open_virtual(&io, SFM_WRITE, &info, this);
    if (!m_file) {
        fail(soundFileError());
        return;
    }
    // libsndfile writes the header on opening; the sound follows it.
    m_dataStart = fileLength();
    m_frameBytes = 2LL * channelCount;
    sf_command(m_file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    sf_command(m_file, SFC_SET_UPDATE_HEADER_AUTO, nullptr, SF_TRUE);
    placeFile();
}

SndFileWriter::~SndFileWriter()
{
    finish();
}

// libsndfile's count goes on after a failed write, so what the file holds is
// taken from its length: the whole frames that reached it.
int SndFileWriter::write(const float* frames, int count)
{
    if (!m_file || failed() || count <= 0)
        return 0;
    if (sf_writef_float(m_file, frames, count) != count)
        fail(soundFileError());
    if (!failed()) {
        m_frames += count;
        return count;
    }
    const long long before = m_frames;
    m_frames = (fileLength() - m_dataStart) / m_frameBytes;
    truncateFile(m_dataStart + m_frames * m_frameBytes);
    return int(m_frames - before);
}

bool SndFileWriter::finish()
{
    if (m_file) {
        // Writes the header for the frames in the file.
        if (sf_close(m_file) != 0)
            fail(soundFileError());
        m_file = nullptr;
    }
    return closeFile();
}

SF_VIRTUAL_IO SndFileWriter::virtualIo()
{
    SF_VIRTUAL_IO io {};
    io.get_filelen = [](void* writer) -> sf_count_t {
        return static_cast<SndFileWriter*>(writer)->fileLength();
    };
    io.seek = [](sf_count_t offset, int whence, void* writer) -> sf_count_t {
        return static_cast<SndFileWriter*>(writer)->seekFile(offset, whence);
    };
    io.read = [](void* data, sf_count_t size, void* writer) -> sf_count_t {
        return static_cast<SndFileWriter*>(writer)->readFile(data, size);
    };
    io.write = [](const void* data, sf_count_t size, void* writer) -> sf_count_t {
        return static_cast<SndFileWriter*>(writer)->writeFile(data, size);
    };
    io.tell = [](void* writer) -> sf_count_t {
        return static_cast<SndFileWriter*>(writer)->filePosition();
    };
    return io;
}

QString SndFileWriter::soundFileError() const
{
    return QString::fromUtf8(sf_strerror(m_file));
}

} // namespace DIReridArazi
