#include "SvgCanvas.h"

#include "SvgRequest.h"

#include <cerrno>
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
    m_bytes = bytes;
    return m_fd;
}

QImage SvgCanvas::copied(const QSize& size) const
{
    const qint64 bytes = SvgRequest::bytesOf(size);
    if (m_fd < 0 || bytes <= 0 || bytes > m_bytes)
        return QImage();
    // Read into the picture rather than mapped and copied: no mapping to
    // make and tear down, and the picture's memory is the allocator's.
    QImage picture(size, SvgRequest::canvasFormat);
    if (picture.isNull() || picture.sizeInBytes() != bytes)
        return QImage();
    auto* data = reinterpret_cast<char*>(picture.bits());
    for (qint64 done = 0; done < bytes;) {
        const ssize_t read = ::pread(m_fd, data + done, size_t(bytes - done), off_t(done));
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return QImage();
        done += read;
    }
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
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_bytes = 0;
}

} // namespace DAvuroD
