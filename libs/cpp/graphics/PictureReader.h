#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;
class QImageReader;
class QSemaphore;

namespace DAvuroD {

// Reads pictures through QImageReader within a budget of the pixels
// decoded: what decoding costs is told first (PictureCost), and a picture
// whose cost cannot be told, or that would hold more pixels than the budget
// while it decodes, is refused (a null image and a warning) before a pixel
// is decoded. A JPEG in one scan decodes straight at 1/2, 1/4 or 1/8 of its
// size, so it is budgeted at the size it decodes at: up to its own 65500 x
// 65500 fits at 1/8. Every other picture, a JPEG in several scans too,
// decodes whole. An SVG, whose cost cannot be told before it is drawn, is
// drawn by a helper process of the program (SvgClientPool) as Qt's SVG
// plugin draws it, within the limits of that process and the budget of
// its canvas's pixels; fitted into a bound it is drawn at the largest size
// that fits. An SVG given up once is refused again at once for the run.
// Reentrant: any thread may read. The pictures being decoded, and the SVGs
// being copied in from their helpers, hold at most the budget's pixels at
// once across all threads; a read beyond it waits for those before it.
class PictureReader
{
public:
    // 64 megapixels (8192 x 8192), 256 MiB as 32-bit pixels.
    static constexpr qint64 maxPixels = qint64(8192) * 8192;

    // What the pictures of one document or paste may take together: the
    // pixels they decode into, and the time their SVGs take to draw: the
    // processor time and waiting of their helpers, and any wait for one.
    // Each picture read takes its share.
    struct Budget
    {
        static constexpr qint64 svgDrawingMs = 3000;

        qint64 pixels = maxPixels;
        qint64 svgMs = svgDrawingMs;
        // Set once a picture is refused for the pixels, or the time, left.
        bool beyondPixels = false;
        bool outOfSvgTime = false;
    };

    // The whole picture.
    static QImage read(const QString& path);
    // The whole picture, within the budget where one is given.
    static QImage read(QIODevice* device, Budget* budget = nullptr);
    // The picture shrunk to fit into bound, aspect ratio kept, and decoded
    // at that size where its format can; a raster picture that fits is read
    // whole, a drawing is drawn as large as fits.
    static QImage readFitted(const QString& path, const QSize& bound);
    // The picture scaled to exactly size.
    static QImage readStretched(const QString& path, const QSize& size);

    // The pixels being decoded, in all threads.
    static QSemaphore& decodingPixels();

private:
    static QImage read(QImageReader& reader, const QSize& size, Qt::AspectRatioMode mode,
        Budget* budget = nullptr);
    static QImage readSvg(
        QImageReader& reader, const QSize& size, Qt::AspectRatioMode mode, Budget* budget);
    static QImage beyondBudget(
        const QImageReader& reader, const QSize& original, qint64 pixels, qint64 most);
    static QImage refused(const QImageReader& reader, const QString& why);
};

} // namespace DAvuroD
