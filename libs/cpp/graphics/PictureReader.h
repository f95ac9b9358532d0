#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QIODevice;
class QImageReader;

namespace DAvuroD {

// Reads pictures through QImageReader within a pixel budget: the size is
// read from the header first, and a picture without one or beyond the
// budget is refused (a null image and a warning) before a pixel is
// decoded. Reentrant: any thread may read. Pictures decoded at their full
// size hold at most the budget's pixels at once across all threads; a read
// beyond it waits for those before it.
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
