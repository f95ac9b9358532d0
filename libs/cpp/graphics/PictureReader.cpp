#include "PictureReader.h"

#include "JpegHeader.h"
#include "Trace.h"

#include <QImageReader>
#include <QSemaphore>
#include <QtMath>

namespace DAvuroD {

namespace {

// The size to decode at: size itself when stretching, else the picture fitted
// into size, never enlarged.
QSize targetSize(const QSize& original, const QSize& size, Qt::AspectRatioMode mode)
{
    if (!size.isValid())
        return original;
    if (mode == Qt::IgnoreAspectRatio)
        return size;
    if (original.width() <= size.width() && original.height() <= size.height())
        return original;
    return original.scaled(size, mode).expandedTo(QSize(1, 1));
}

// Whether the reader's picture decodes straight at a smaller size asked for:
// a JPEG in one scan. The others decode whole and shrink afterwards; a JPEG
// in several scans holds coefficients of the whole picture as it decodes.
// Read before the reader reads the header, which moves the device on.
bool shrinksWhileDecoding(QImageReader& reader)
{
    if (reader.format() != "jpeg")
        return false;
    const JpegHeader header(reader.device());
    return header.isValid() && !header.hasMultipleScans();
}

// The size a JPEG decodes at for target: libjpeg decodes at M/8 of the
// size for M of 1 to 8, and Qt's handler picks the least M that covers
// target, then shrinks what is decoded to target.
QSize jpegDecodeSize(const QSize& original, const QSize& target)
{
    const double factor = qMin(
        double(original.width()) / target.width(), double(original.height()) / target.height());
    const int eighths = qBound(1, qCeil(8 / factor), 8);
    return QSize((original.width() * qint64(eighths) + 7) / 8,
        (original.height() * qint64(eighths) + 7) / 8);
}

// The pixels of the pictures being decoded, in all threads.
QSemaphore& decodingPixels()
{
    static QSemaphore pixels {int(PictureReader::maxPixels)};
    return pixels;
}

} // namespace

QImage PictureReader::read(const QString& path)
{
    QImageReader reader(path);
    return read(reader, QSize(), Qt::KeepAspectRatio);
}

QImage PictureReader::read(QIODevice* device)
{
    QImageReader reader(device);
    return read(reader, QSize(), Qt::KeepAspectRatio);
}

QImage PictureReader::readFitted(const QString& path, const QSize& bound)
{
    QImageReader reader(path);
    return read(reader, bound, Qt::KeepAspectRatio);
}

QImage PictureReader::readStretched(const QString& path, const QSize& size)
{
    QImageReader reader(path);
    return read(reader, size, Qt::IgnoreAspectRatio);
}

QImage PictureReader::read(QImageReader& reader, const QSize& size, Qt::AspectRatioMode mode)
{
    const bool decodesAtScale = size.isValid() && shrinksWhileDecoding(reader);
    const QSize original = reader.size();
    if (original.isEmpty())
        return QImage();
    const QSize target = targetSize(original, size, mode);
    // Handlers can only shrink while they decode.
    const bool shrink = target != original && target.width() <= original.width()
        && target.height() <= original.height();
    const QSize decoded = shrink && decodesAtScale ? jpegDecodeSize(original, target) : original;
    const qint64 pixels = qint64(decoded.width()) * decoded.height();
    if (pixels > maxPixels) {
        qCWarning(ZAruri::lcTrace).noquote()
            << QStringLiteral("Refused picture %1: %2 x %3 pixels, more than %4.")
                   .arg(reader.fileName())
                   .arg(original.width())
                   .arg(original.height())
                   .arg(maxPixels);
        return QImage();
    }
    if (shrink)
        reader.setScaledSize(target);
    decodingPixels().acquire(int(pixels));
    const QSemaphoreReleaser release(decodingPixels(), int(pixels));
    QImage image = reader.read();
    if (!image.isNull() && image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace DAvuroD
