#include "SvgCanvas.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DAvuroD {

namespace {

// A file held larger than this gives way to a smaller one for a drawing
// that needs less than a quarter of it.
constexpr qint64 keptBytes = 16 << 20;

} // namespace

qint64 SvgCanvas::bytesOf(const QSize& size)
{
    return qint64(size.width()) * 4 * size.height();
}

SvgCanvas::~SvgCanvas()
{
    release();
}

QImage SvgCanvas::image(const QSize& size)
{
    if (size.isEmpty() || !hold(bytesOf(size)))
        return QImage();
    return QImage(
        static_cast<uchar*>(m_data), size.width(), size.height(), size.width() * 4, format);
}

int SvgCanvas::fd() const
{
    return m_fd;
}

QImage SvgCanvas::copied(int fd, const QSize& size)
{
    const qint64 bytes = bytesOf(size);
    const int seals = ::fcntl(fd, F_GET_SEALS);
    struct stat file;
    if (size.isEmpty() || seals < 0 || !(seals & F_SEAL_SHRINK) || ::fstat(fd, &file) != 0
        || file.st_size < bytes)
        return QImage();
    // Its pages are in memory: mapped at once, not one by one.
    void* data = ::mmap(nullptr, size_t(bytes), PROT_READ, MAP_SHARED | MAP_POPULATE, fd, 0);
    if (data == MAP_FAILED)
        return QImage();
    const QImage picture = QImage(
        static_cast<const uchar*>(data), size.width(), size.height(), size.width() * 4, format)
                               .copy();
    ::munmap(data, size_t(bytes));
    return picture;
}

// A file of at least bytes, made anew where the one held is smaller, or
// much larger than a large drawing left it, and sealed at its size, so that
// the program may map it without fearing a fault.
bool SvgCanvas::hold(qint64 bytes)
{
    if (bytes <= m_bytes && (m_bytes <= keptBytes || bytes * 4 > m_bytes))
        return true;
    release();
    m_fd = ::memfd_create("svg-canvas", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (m_fd < 0 || ::ftruncate(m_fd, bytes) != 0
        || ::fcntl(m_fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_SEAL) != 0) {
        release();
        return false;
    }
    m_data = ::mmap(nullptr, size_t(bytes), PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, 0);
    if (m_data == MAP_FAILED) {
        m_data = nullptr;
        release();
        return false;
    }
    m_bytes = bytes;
    return true;
}

void SvgCanvas::release()
{
    if (m_data)
        ::munmap(m_data, size_t(m_bytes));
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_data = nullptr;
    m_bytes = 0;
}

} // namespace DAvuroD
