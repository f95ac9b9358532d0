#include "PictureReader.h"

#include "Trace.h"

#include <QImageReader>
#include <QSemaphore>

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

// Whether the reader's format decodes straight at a smaller size asked for;
// the others decode the whole picture and shrink it afterwards.
bool shrinksWhileDecoding(const QImageReader& reader)
{
    return reader.format() == "jpeg";
}

// The pixels of the pictures being decoded at their full size, in all threads.
QSemaphore& wholeDecodes()
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
    const QSize original = reader.size();
    if (original.isEmpty())
        return QImage();
    if (qint64(original.width()) * original.height() > maxPixels) {
        qCWarning(ZAruri::lcTrace).noquote()
            << QStringLiteral("Refused picture %1: %2 x %3 pixels, more than %4.")
                   .arg(reader.fileName())
                   .arg(original.width())
                   .arg(original.height())
                   .arg(maxPixels);
        return QImage();
    }
    const QSize target = targetSize(original, size, mode);
    // Handlers can only shrink while they decode.
    const bool shrink = target != original && target.width() <= original.width()
        && target.height() <= original.height();
    if (shrink)
        reader.setScaledSize(target);
    const int wholePixels
        = shrink && shrinksWhileDecoding(reader) ? 0 : original.width() * original.height();
    wholeDecodes().acquire(wholePixels);
    const QSemaphoreReleaser release(wholeDecodes(), wholePixels);
    QImage image = reader.read();
    if (!image.isNull() && image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace DAvuroD
