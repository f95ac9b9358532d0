#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;
class QImageReader;

namespace DAvuroD {

// Reads pictures through QImageReader within a budget of the pixels
// decoded: the size is read from the header first, and a picture without
// one, or that would decode to more pixels than the budget, is refused (a
// null image and a warning) before a pixel is decoded. A JPEG in one scan
// decodes straight at 1/2, 1/4 or 1/8 of its size, so it is budgeted at the
// size it decodes at for the size asked: one up to JPEG's own 65500 x 65500
// fits at 1/8. Every other picture, a JPEG in several scans too, decodes
// whole, so its header's size is budgeted. Reentrant: any thread may read.
// The pictures being decoded hold at most the budget's pixels at once across
// all threads; a read beyond it waits for those before it.
class PictureReader
{
public:
    // 64 megapixels (8192 x 8192), 256 MiB as 32-bit pixels.
    static constexpr qint64 maxPixels = qint64(8192) * 8192;

    // The whole picture.
    static QImage read(const QString& path);
    static QImage read(QIODevice* device);
    // The picture shrunk to fit into bound, aspect ratio kept, and decoded
    // at that size where its format can; one that fits is read whole.
    static QImage readFitted(const QString& path, const QSize& bound);
    // The picture scaled to exactly size.
    static QImage readStretched(const QString& path, const QSize& size);

private:
    static QImage read(QImageReader& reader, const QSize& size, Qt::AspectRatioMode mode);
};

} // namespace DAvuroD
