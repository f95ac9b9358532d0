#include "SvgCanvas.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DAvuroD {

namespace {

qint64 bytesOf(const QSize& size)
{
    return qint64(size.width()) * 4 * size.height();
}

struct Mapping
{
    void* data;
    size_t bytes;
};

void release(void* mapping)
{
    auto* held = static_cast<Mapping*>(mapping);
    ::munmap(held->data, held->bytes);
    delete held;
}

// The file mapped, or null.
Mapping* mapped(int fd, qint64 bytes)
{
    void* data = ::mmap(nullptr, size_t(bytes), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    return data == MAP_FAILED ? nullptr : new Mapping {data, size_t(bytes)};
}

QImage imageOver(Mapping* mapping, const QSize& size)
{
    return QImage(static_cast<uchar*>(mapping->data), size.width(), size.height(), size.width() * 4,
        SvgCanvas::format, release, mapping);
}

} // namespace

QImage SvgCanvas::create(const QSize& size, int& fd)
{
    fd = ::memfd_create("svg-canvas", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    // Sealed at its size, so that the program may map it without fearing a fault.
    const bool sized = fd >= 0 && ::ftruncate(fd, bytesOf(size)) == 0
        && ::fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_SEAL) == 0;
    Mapping* mapping = sized ? mapped(fd, bytesOf(size)) : nullptr;
    if (!mapping) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
        return QImage();
    }
    return imageOver(mapping, size);
}

QImage SvgCanvas::map(int fd, const QSize& size)
{
    const int seals = ::fcntl(fd, F_GET_SEALS);
    struct stat file;
    if (size.isEmpty() || seals < 0 || !(seals & F_SEAL_SHRINK) || ::fstat(fd, &file) != 0
        || file.st_size < bytesOf(size))
        return QImage();
    Mapping* mapping = mapped(fd, bytesOf(size));
    return mapping ? imageOver(mapping, size) : QImage();
}

} // namespace DAvuroD
