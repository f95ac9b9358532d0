#include "MemoryFile.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

int MemoryFile::of(const QByteArray& bytes)
{
    const int fd = ::memfd_create("helper-data", MFD_CLOEXEC);
    if (fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size())
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

int MemoryFile::sized(qint64 bytes)
{
    const int fd = ::memfd_create("helper-data", MFD_CLOEXEC);
    if (fd >= 0 && ::ftruncate(fd, bytes) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

// A pipe or a device would keep the reader waiting; a file is read by its size.
QByteArray MemoryFile::read(int fd, qint64 most)
{
    struct stat file;
    if (fd < 0 || ::fstat(fd, &file) != 0 || !S_ISREG(file.st_mode) || file.st_size > most)
        return QByteArray();
    return head(fd, file.st_size);
}

QByteArray MemoryFile::head(int fd, qint64 bytes)
{
    QByteArray content(int(bytes), Qt::Uninitialized);
    qint64 done = 0;
    while (done < content.size()) {
        const ssize_t read
            = ::pread(fd, content.data() + done, size_t(content.size() - done), done);
        if (read <= 0)
            return QByteArray();
        done += read;
    }
    return content;
}
