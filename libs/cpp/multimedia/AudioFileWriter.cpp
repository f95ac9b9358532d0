#include "AudioFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace DIReridArazi {

namespace {

const int nameAttempts = 64;

} // namespace

AudioFileWriter::~AudioFileWriter()
{
    if (m_fd >= 0)
        ::close(m_fd);
    removeUnplaced();
}

QString AudioFileWriter::errorString() const
{
    return m_error;
}

bool AudioFileWriter::openFile(const QString& path)
{
    const QFileInfo info(path);
    m_path = info.isSymLink() ? info.symLinkTarget() : path;
    const QString folder = QFileInfo(m_path).absolutePath();
    for (int attempt = 0; attempt < nameAttempts && m_fd < 0; ++attempt) {
        m_newPath = QStringLiteral("%1/.recording-%2")
                        .arg(folder)
                        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        m_fd = ::open(
            QFile::encodeName(m_newPath).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    m_position = 0;
    m_length = 0;
    if (m_fd >= 0)
        return true;
    m_newPath.clear();
    return failWithErrno();
}

bool AudioFileWriter::placeFile()
{
    if (failed())
        return false;
    if (::rename(QFile::encodeName(m_newPath).constData(), QFile::encodeName(m_path).constData())
        != 0)
        return failWithErrno();
    m_newPath.clear();
    return true;
}

long long AudioFileWriter::readFile(void* data, long long size)
{
    long long done = 0;
    while (m_fd >= 0 && done < size) {
        const ssize_t n = ::pread(
            m_fd, static_cast<char*>(data) + done, size_t(size - done), off_t(m_position + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    m_position += done;
    return done;
}

long long AudioFileWriter::writeFile(const void* data, long long size)
{
    long long done = 0;
    while (m_fd >= 0 && done < size) {
        const ssize_t n = ::pwrite(m_fd, static_cast<const char*>(data) + done, size_t(size - done),
            off_t(m_position + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            failWithErrno();
            break;
        }
        done += n;
    }
    m_position += done;
    m_length = qMax(m_length, m_position);
    return done;
}

long long AudioFileWriter::seekFile(long long offset, int whence)
{
    const long long base = whence == SEEK_CUR ? m_position : whence == SEEK_END ? m_length : 0;
    if ((whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) || base + offset < 0)
        return -1;
    m_position = base + offset;
    return m_position;
}

long long AudioFileWriter::filePosition() const
{
    return m_position;
}

long long AudioFileWriter::fileLength() const
{
    return m_length;
}

bool AudioFileWriter::truncateFile(long long length)
{
    if (m_fd < 0)
        return false;
    if (::ftruncate(m_fd, off_t(length)) != 0)
        return failWithErrno();
    m_length = length;
    m_position = qMin(m_position, length);
    return true;
}

bool AudioFileWriter::closeFile()
{
    if (m_fd < 0)
        return !failed();
    if (::fsync(m_fd) != 0)
        failWithErrno();
    if (::close(m_fd) != 0)
        failWithErrno();
    m_fd = -1;
    removeUnplaced();
    return !failed();
}

bool AudioFileWriter::fail(const QString& reason)
{
    if (m_error.isEmpty())
        m_error = reason;
    return false;
}

bool AudioFileWriter::failed() const
{
    return !m_error.isEmpty();
}

bool AudioFileWriter::failWithErrno()
{
    return fail(qt_error_string(errno));
}

void AudioFileWriter::removeUnplaced()
{
    if (!m_newPath.isEmpty())
        ::unlink(QFile::encodeName(m_newPath).constData());
    m_newPath.clear();
}

} // namespace DIReridArazi
