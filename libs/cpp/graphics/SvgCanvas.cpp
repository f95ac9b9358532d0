#include "SvgCanvas.h"

#include "SvgRequest.h"

#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DAvuroD {

SvgCanvas::~SvgCanvas()
{
    release();
}

int SvgCanvas::hold(qint64 bytes)
{
    if (bytes <= m_bytes)
        return m_fd;
    release();
    m_fd = ::memfd_create("svg-canvas", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (m_fd < 0 || ::ftruncate(m_fd, bytes) != 0
        || ::fcntl(m_fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_SEAL) != 0) {
        release();
        return -1;
    }
    // Read only here; kept mapped while the file is, so that a picture is
    // one copy from pages already mapped.
    void* pixels = ::mmap(nullptr, size_t(bytes), PROT_READ, MAP_SHARED, m_fd, 0);
    if (pixels == MAP_FAILED) {
        release();
        return -1;
    }
    m_pixels = static_cast<const uchar*>(pixels);
    m_bytes = bytes;
    return m_fd;
}

QImage SvgCanvas::copied(const QSize& size) const
{
    const qint64 bytes = SvgRequest::bytesOf(size);
    if (m_fd < 0 || bytes <= 0 || bytes > m_bytes)
        return QImage();
    QImage picture(size, SvgRequest::canvasFormat);
    if (picture.isNull() || picture.sizeInBytes() != bytes)
        return QImage();
    std::memcpy(picture.bits(), m_pixels, size_t(bytes));
    return picture;
}

void SvgCanvas::trim()
{
    struct stat file;
    if (m_fd >= 0
        && (::fstat(m_fd, &file) != 0 || file.st_blocks * 512 > SvgRequest::keptCanvasBytes))
        release();
}

void SvgCanvas::release()
{
    if (m_pixels)
        ::munmap(const_cast<uchar*>(m_pixels), size_t(m_bytes));
    if (m_fd >= 0)
        ::close(m_fd);
    m_pixels = nullptr;
    m_fd = -1;
    m_bytes = 0;
}

} // namespace DAvuroD
