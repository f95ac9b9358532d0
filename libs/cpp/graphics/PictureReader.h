#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;
class QImageReader;

namespace DAvuroD {

// Reads pictures through QImageReader within a budget of the pixels
// decoded: what decoding costs is told first (PictureCost), and a picture
// whose cost cannot be told, or that would hold more pixels than the budget
// while it decodes, is refused (a null image and a warning) before a pixel
// is decoded. A JPEG in one scan decodes straight at 1/2, 1/4 or 1/8 of its
// size, so it is budgeted at the size it decodes at: up to its own 65500 x
// 65500 fits at 1/8. Every other picture, a JPEG in several scans too,
// decodes whole. An SVG is parsed and drawn with QSvgRenderer at the size
// asked, as the image plugin draws it (SvgPicture), within the budget of its
// pixels and the pictures it embeds and within the work SvgCost allows.
// Reentrant: any thread may read. The pictures being decoded hold at most
// the budget's pixels at once across all threads; a read beyond it waits for
// those before it, and an SVG is read alone.
class PictureReader
{
public:
    // 64 megapixels (8192 x 8192), 256 MiB as 32-bit pixels.
    static constexpr qint64 maxPixels = qint64(8192) * 8192;

    // The whole picture.
    static QImage read(const QString& path);
    // The whole picture if decoding it holds at most most pixels; *beyond
    // tells whether it was refused for that.
    static QImage read(QIODevice* device, qint64 most = maxPixels, bool* beyond = nullptr);
    // The picture shrunk to fit into bound, aspect ratio kept, and decoded
    // at that size where its format can; one that fits is read whole.
    static QImage readFitted(const QString& path, const QSize& bound);
    // The picture scaled to exactly size.
    static QImage readStretched(const QString& path, const QSize& size);

private:
    static QImage read(QImageReader& reader, const QSize& size, Qt::AspectRatioMode mode,
        qint64 most = maxPixels, bool* beyond = nullptr);
    static QImage readSvg(QImageReader& reader, const QSize& size, Qt::AspectRatioMode mode,
        qint64 most, bool* beyond);
    static QImage beyondBudget(const QImageReader& reader, const QSize& original, qint64 pixels,
        qint64 most, bool* beyond);
    static QImage refused(const QImageReader& reader, const QString& why);
};

} // namespace DAvuroD
