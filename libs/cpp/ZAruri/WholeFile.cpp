#include "WholeFile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace ZAruri {

WholeFile::WholeFile(const QString& path)
    : m_file(path)
{
}

// Unbuffered, so that every write reaches the file system at once and a
// failing one (a full disk, a file size limit) is seen: a buffered save
// reports success after a flush that failed when the file is closed.
bool WholeFile::open()
{
    // A device or a pipe under the name would be replaced by a plain file.
    const QFileInfo existing(m_file.fileName());
    if (existing.exists() && !existing.isFile())
        return fail(QCoreApplication::translate("ZAruri::WholeFile", "It is not a regular file."));
    return m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || fail(m_file.errorString());
}

// A short write sets no error; writing the rest again names the reason (a
// full disk, a file too large).
bool WholeFile::append(const QByteArray& part)
{
    for (qint64 done = 0; m_error.isEmpty() && done < part.size();) {
        const qint64 written = m_file.write(part.constData() + done, part.size() - done);
        if (written <= 0)
            return fail(m_file.errorString());
        done += written;
    }
    return m_error.isEmpty();
}

bool WholeFile::commit()
{
    if (!m_error.isEmpty())
        return false;
    if (::fsync(m_file.handle()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    return m_file.commit() || fail(m_file.errorString());
}

QString WholeFile::errorString() const
{
    return m_error;
}

bool WholeFile::fail(const QString& error)
{
    m_error = error.isEmpty()
        ? QCoreApplication::translate("ZAruri::WholeFile", "The file could not be written.")
        : error;
    m_file.cancelWriting();
    return false;
}

QString WholeFile::write(const QString& path, const QByteArray& content)
{
    WholeFile file(path);
    file.open() && file.append(content) && file.commit();
    return file.errorString();
}

} // namespace ZAruri
