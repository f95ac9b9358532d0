#include "PictureReader.h"

#include "PictureCost.h"
#include "SvgCost.h"
#include "SvgPicture.h"
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

// Smooth scaling copies a picture into 32 or 64 bits a premultiplied pixel
// unless it is so already; a picture that only needs premultiplying is
// premultiplied in place.
QImage scaled(QImage image, const QSize& size)
{
    if (image.format() == QImage::Format_ARGB32)
        image = std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    else if (image.format() == QImage::Format_RGBA64)
        image = std::move(image).convertToFormat(QImage::Format_RGBA64_Premultiplied);
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
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

QImage PictureReader::read(QIODevice* device, qint64 most, bool* beyond)
{
    QImageReader reader(device);
    return read(reader, QSize(), Qt::KeepAspectRatio, most, beyond);
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

QImage PictureReader::read(
    QImageReader& reader, const QSize& size, Qt::AspectRatioMode mode, qint64 most, bool* beyond)
{
    if (SvgCost::isSvg(reader.format()))
        return readSvg(reader, size, mode, most, beyond);
    const PictureCost cost(reader);
    const QSize original = cost.size();
    if (original.isEmpty())
        return refused(reader, cost.refusal());
    const QSize target = targetSize(original, size, mode);
    // Handlers can only shrink while they decode.
    const bool shrink = target != original && target.width() <= original.width()
        && target.height() <= original.height();
    const QSize decoded = shrink ? cost.decodedSize(target) : original;
    const qint64 pixels = cost.pixels(decoded);
    if (pixels > qMin(most, maxPixels))
        return beyondBudget(reader, original, pixels, most, beyond);
    if (decoded != original)
        reader.setScaledSize(target);
    decodingPixels().acquire(int(pixels));
    const QSemaphoreReleaser release(decodingPixels(), int(pixels));
    QImage image = reader.read();
    return image.isNull() || image.size() == target ? image : scaled(std::move(image), target);
}

// Parsing an SVG decodes the pictures it embeds before its size is known: it
// is read alone.
QImage PictureReader::readSvg(
    QImageReader& reader, const QSize& size, Qt::AspectRatioMode mode, qint64 most, bool* beyond)
{
    const SvgCost cost(reader.device());
    if (!cost.refusal().isEmpty())
        return refused(reader, cost.refusal());
    decodingPixels().acquire(int(maxPixels));
    const QSemaphoreReleaser release(decodingPixels(), int(maxPixels));
    const SvgPicture picture(reader.device(), cost.text());
    const QSize original = picture.size();
    if (original.isEmpty())
        return refused(reader, QString());
    const QSize target = targetSize(original, size, mode);
    const qint64 pixels = qint64(target.width()) * target.height() + cost.heldPixels();
    if (pixels > qMin(most, maxPixels))
        return beyondBudget(reader, original, pixels, most, beyond);
    const QString work = cost.drawingRefusal(picture, target);
    if (!work.isEmpty())
        return refused(reader, work);
    return picture.draw(target);
}

QImage PictureReader::beyondBudget(
    const QImageReader& reader, const QSize& original, qint64 pixels, qint64 most, bool* beyond)
{
    if (beyond)
        *beyond = true;
    return refused(reader,
        QStringLiteral("%1 x %2 pixels, decoded in the memory of %3 pixels, more than %4")
            .arg(original.width())
            .arg(original.height())
            .arg(pixels)
            .arg(qMin(most, maxPixels)));
}

// A null image, and a warning when there is a reason.
QImage PictureReader::refused(const QImageReader& reader, const QString& why)
{
    if (!why.isEmpty())
        qCWarning(ZAruri::lcTrace).noquote()
            << QStringLiteral("Refused picture %1: %2.").arg(reader.fileName(), why);
    return QImage();
}

} // namespace DAvuroD
