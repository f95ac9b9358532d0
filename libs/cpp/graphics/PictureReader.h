#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;
class QImageReader;
class QSemaphore;

namespace DAvuroD {

// Reads pictures through QImageReader within a bound on the memory that
// decoding takes: what decoding costs is told first (PictureCost), and a
// picture whose cost cannot be told, or that would take more than maxBytes
// while it decodes, is refused (a null image and a warning) before a pixel
// is decoded. A JPEG in one scan decodes straight at 1/2, 1/4 or 1/8 of its
// size, so it is budgeted at the size it decodes at: up to its own 65500 x
// 65500 fits at 1/8. Every other picture, a JPEG in several scans too,
// decodes whole. An SVG, whose cost cannot be told before it is drawn, is
// read here and drawn by a helper process of the program (SvgClientPool) as
// Qt's SVG plugin draws it, within the limits of that process and a canvas
// of at most maxPixels, which with its copy in the program takes maxBytes;
// fitted into a bound it is drawn at the largest size that fits. Its helper
// serves its document alone, else its folder, else the program's own
// resources, else it alone. An SVG given up once is refused again at once
// for the run.
// Reentrant: any thread may read. The pictures being decoded, and the SVGs
// being copied in from their helpers, take at most maxBytes at once in the
// GUI thread and maxBytes at once across all other threads; a read beyond
// its thread's share waits for those before it.
class PictureReader
{
public:
    // The most a picture may take while it decodes, and while it is made
    // ready to be scaled or shown: 512 MiB, 8192 x 8192 pixels of 16-bit
    // colour, 11585 x 11585 of 8-bit colour, 10361 x 10361 of grey with its
    // copy in colour.
    static constexpr qint64 maxBytes = qint64(512) << 20;
    // The pixels that the pictures of one document hold together as they are
    // shown, 32 bits each: 64 megapixels (8192 x 8192), 256 MiB.
    static constexpr qint64 maxPixels = qint64(8192) * 8192;

    // What the pictures of one document or paste may take together: the
    // pixels they are read at, and the time their SVGs take to draw: the
    // processor time and waiting of their helpers, and any wait for one.
    // Each picture read takes its share. Its SVGs are drawn by helpers that
    // serve that document alone, its scope.
    struct Budget
    {
        static constexpr qint64 svgDrawingMs = 3000;

        // A scope no other budget has.
        static quint64 newScope();

        qint64 pixels = maxPixels;
        qint64 svgMs = svgDrawingMs;
        // Set once a picture is refused for the pixels, or the time, left.
        bool beyondPixels = false;
        bool outOfSvgTime = false;
        quint64 scope = newScope();
    };

    // The whole picture.
    static QImage read(const QString& path);
    // The whole picture, within the budget where one is given.
    static QImage read(QIODevice* device, Budget* budget = nullptr);
    // The picture shrunk to fit into bound, aspect ratio kept, and decoded
    // at that size where its format can; a raster picture that fits is read
    // whole, a drawing is drawn as large as fits. Where it is refused, the
    // reason goes to refusal, when given; a file that is no picture, or that
    // does not decode, leaves it empty.
    static QImage readFitted(const QString& path, const QSize& bound, QString* refusal = nullptr);
    // The picture scaled to exactly size; where it is refused, the reason
    // goes to refusal as for readFitted().
    static QImage readStretched(const QString& path, const QSize& size, QString* refusal = nullptr);

    // What shows in place of a picture refused or unreadable: a small empty
    // frame, the same image each time.
    static QImage missing();

    // The 32-bit pixels (4 bytes each) being decoded in the calling thread's
    // share: the GUI thread's own, or that of all other threads; maxBytes each.
    static QSemaphore& decodingPixels();

private:
    static QImage read(QImageReader& reader, const QSize& size, Qt::AspectRatioMode mode,
        Budget* budget = nullptr, QString* refusal = nullptr);
    static QImage readSvg(QImageReader& reader, const QSize& size, Qt::AspectRatioMode mode,
        Budget* budget, QString* refusal);
    static QString beyondBytes(const QSize& original, qint64 bytes);
    static QString beyondBudget(const QSize& held, Budget& budget);
    static QImage refused(const QImageReader& reader, const QString& why, QString* refusal);
};

} // namespace DAvuroD
