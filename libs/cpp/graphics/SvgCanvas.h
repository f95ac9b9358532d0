#pragma once

#include <QImage>

namespace DAvuroD {

// The pixels of a drawing in memory that the drawing process and the
// program share: a memory file, which the process draws on and hands over,
// and the program maps as its picture without a copy.
class SvgCanvas
{
public:
    // An image of size in a new memory file, cleared, and the file; a null
    // image where there is no memory for it.
    static QImage create(const QSize& size, int& fd);
    // The image of size that the memory file holds, kept once the file is
    // closed; a null image where it holds less.
    static QImage map(int fd, const QSize& size);

    static constexpr QImage::Format format = QImage::Format_ARGB32_Premultiplied;
};

} // namespace DAvuroD
