#pragma once

#include <QImage>

namespace DAvuroD {

// The pixels of a drawing in memory that the drawing process and the
// program share: a memory file the process keeps and draws on, drawing after
// drawing, so that its pages are in memory already, and from which the
// program copies each picture.
class SvgCanvas
{
public:
    static constexpr QImage::Format format = QImage::Format_ARGB32_Premultiplied;

    SvgCanvas() = default;
    ~SvgCanvas();
    SvgCanvas(const SvgCanvas&) = delete;
    SvgCanvas& operator=(const SvgCanvas&) = delete;

    // An image of size over the file, made larger where it must be; a null
    // image where there is no memory for it.
    QImage image(const QSize& size);
    // The file, which the program may map.
    int fd() const;

    // The picture of size the file holds, copied; a null image where it
    // holds less, or may shrink.
    static QImage copied(int fd, const QSize& size);
    // The bytes of a canvas of that size.
    static qint64 bytesOf(const QSize& size);

private:
    bool hold(qint64 bytes);
    void release();

    int m_fd = -1;
    void* m_data = nullptr;
    qint64 m_bytes = 0;
};

} // namespace DAvuroD
