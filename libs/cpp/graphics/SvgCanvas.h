#pragma once

#include <QImage>

namespace DAvuroD {

// The pixels of a drawing in a memory file that the program makes and its
// helper draws on, sealed at its size so that neither side can shrink it
// under the other's mapping; the program maps it read only. The program
// keeps it from drawing to drawing, so that its pages are in memory
// already, unless it holds more than a small drawing needs.
class SvgCanvas
{
public:
    SvgCanvas() = default;
    ~SvgCanvas();
    SvgCanvas(const SvgCanvas&) = delete;
    SvgCanvas& operator=(const SvgCanvas&) = delete;

    // The file, holding at least bytes, made anew where the one kept is
    // smaller; -1 where there is no memory for it.
    int hold(qint64 bytes);
    // The picture of that size it holds, copied; a null image where it
    // cannot hold one.
    QImage copied(const QSize& size) const;
    // Gives the file up where its pages hold more than a small drawing needs.
    void trim();
    void release();

private:
    int m_fd = -1;
    const uchar* m_pixels = nullptr;
    qint64 m_bytes = 0;
};

} // namespace DAvuroD
