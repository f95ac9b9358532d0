#include "PictureReader.h"

#include "PictureCost.h"
#include "SvgClientPool.h"
#include "SvgRequest.h"
#include "Trace.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSemaphore>
#include <QThread>

#include <atomic>
#include <cmath>

namespace DAvuroD {

namespace {

constexpr int bytesOfPixel = 4;

bool onGuiThread()
{
    const QCoreApplication* application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

// Mebibytes, rounded up to a tenth.
QString mebibytes(qint64 bytes)
{
    return QString::number(std::ceil(double(bytes) * 10 / (1 << 20)) / 10);
}

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

// The drawing's text, its file and the scope of its helper; false where
// the text is longer than an SVG may be.
bool setSource(SvgRequest& request, QIODevice* device, const PictureReader::Budget* budget)
{
    const auto* file = qobject_cast<QFile*>(device);
    const QString name = file ? file->fileName() : QString();
    // The program's own resources are its alone, and trusted.
    const bool own = name.startsWith(QLatin1Char(':'));
    if (!name.isEmpty() && !own) {
        const QFileInfo info(name);
        request.path = info.absoluteFilePath();
        request.folder = info.absolutePath();
    }
    request.scope = budget          ? QStringLiteral("document %1").arg(budget->scope)
        : own                       ? QStringLiteral("resources")
        : !request.folder.isEmpty() ? QStringLiteral("folder ") + request.folder
                                    : QString();
    // A file's size is known: the text takes no more than that.
    const qint64 left = device->isSequential() ? -1 : device->size() - device->pos();
    if (left > SvgRequest::maxSourceSize)
        return false;
    request.text = device->read(left < 0 ? SvgRequest::maxSourceSize + 1 : left + 1);
    return request.text.size() <= SvgRequest::maxSourceSize;
}

} // namespace

quint64 PictureReader::Budget::newScope()
{
    static std::atomic<quint64> made {0};
    return ++made;
}

QImage PictureReader::missing()
{
    static const QImage frame = [] {
        QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setPen(Qt::gray);
        painter.drawRect(0, 0, 15, 15);
        return image;
    }();
    return frame;
}

// Two shares rather than one queue: the GUI thread reads one picture at a
// time, so its own share never keeps it waiting, least of all behind the
// thumbnails that background threads decode, and those threads together hold
// no more than their share. A single queue, fair or favouring the GUI
// thread, would still keep it waiting for the decodes under way.
QSemaphore& PictureReader::decodingPixels()
{
    static QSemaphore gui {int(maxBytes / bytesOfPixel)};
    static QSemaphore others {int(maxBytes / bytesOfPixel)};
    return onGuiThread() ? gui : others;
}

QImage PictureReader::read(const QString& path)
{
    QImageReader reader(path);
    return read(reader, QSize(), Qt::KeepAspectRatio);
}

QImage PictureReader::read(QIODevice* device, Budget* budget)
{
    QImageReader reader(device);
    return read(reader, QSize(), Qt::KeepAspectRatio, budget);
}

QImage PictureReader::readFitted(const QString& path, const QSize& bound, QString* refusal)
{
    QImageReader reader(path);
    return read(reader, bound, Qt::KeepAspectRatio, nullptr, refusal);
}

QImage PictureReader::readStretched(const QString& path, const QSize& size, QString* refusal)
{
    QImageReader reader(path);
    return read(reader, size, Qt::IgnoreAspectRatio, nullptr, refusal);
}

QImage PictureReader::read(QImageReader& reader, const QSize& size, Qt::AspectRatioMode mode,
    Budget* budget, QString* refusal)
{
    if (SvgRequest::isSvg(reader.format()))
        return readSvg(reader, size, mode, budget, refusal);
    const PictureCost cost(reader);
    const QSize original = cost.size();
    if (original.isEmpty())
        return refused(reader, cost.refusal(), refusal);
    const QSize target = targetSize(original, size, mode);
    // Handlers can only shrink while they decode.
    const bool shrink = target != original && target.width() <= original.width()
        && target.height() <= original.height();
    const QSize decoded = shrink ? cost.decodedSize(target) : original;
    const qint64 bytes = cost.bytes(decoded);
    if (budget && qint64(target.width()) * target.height() > budget->pixels)
        return refused(reader, beyondBudget(target, *budget), refusal);
    if (bytes > maxBytes)
        return refused(reader, beyondBytes(original, bytes), refusal);
    if (decoded != original)
        reader.setScaledSize(target);
    const int pixels = int((bytes + bytesOfPixel - 1) / bytesOfPixel);
    QSemaphore& share = decodingPixels();
    share.acquire(pixels);
    const QSemaphoreReleaser release(share, pixels);
    QImage image = reader.read();
    if (!image.isNull() && image.size() != target)
        image = scaled(std::move(image), target);
    if (budget)
        budget->pixels -= qint64(image.width()) * image.height();
    return image;
}

QImage PictureReader::readSvg(QImageReader& reader, const QSize& size, Qt::AspectRatioMode mode,
    Budget* budget, QString* refusal)
{
    SvgRequest request;
    request.format = reader.format();
    request.bound = size;
    request.fit = !size.isValid()       ? SvgRequest::Fit::Natural
        : mode == Qt::IgnoreAspectRatio ? SvgRequest::Fit::Stretched
                                        : SvgRequest::Fit::Within;
    request.mostPixels = budget ? qMin(budget->pixels, maxPixels) : maxPixels;
    // The resolution Qt's plugin gives its pictures: that of a new image.
    static const QImage plain(1, 1, QImage::Format_ARGB32_Premultiplied);
    request.dotsPerMeterX = plain.dotsPerMeterX();
    request.dotsPerMeterY = plain.dotsPerMeterY();
    if (!setSource(request, reader.device(), budget))
        return refused(reader, SvgRequest::tooLarge(), refusal);
    if (budget && budget->svgMs <= 0) {
        budget->outOfSvgTime = true;
        return refused(
            reader, QStringLiteral("the drawings before it took all the time allowed"), refusal);
    }
    const SvgClient::Result drawn
        = SvgClientPool::instance().draw(request, budget ? budget->svgMs : SvgClient::noBudget);
    if (budget) {
        budget->svgMs -= drawn.usedMs;
        budget->outOfSvgTime = budget->outOfSvgTime || drawn.outOfTime;
        budget->beyondPixels = budget->beyondPixels || drawn.beyondPixels;
        budget->pixels -= qint64(drawn.image.width()) * drawn.image.height();
    }
    return drawn.image.isNull() ? refused(reader, drawn.refusal, refusal) : drawn.image;
}

QString PictureReader::beyondBytes(const QSize& original, qint64 bytes)
{
    return QStringLiteral("%1 x %2 pixels, %3 MiB once decoded, more than %4 MiB")
        .arg(original.width())
        .arg(original.height())
        .arg(mebibytes(bytes), mebibytes(maxBytes));
}

// Marks the budget too.
QString PictureReader::beyondBudget(const QSize& held, Budget& budget)
{
    budget.beyondPixels = true;
    return QStringLiteral("%1 x %2 pixels, more than the %3 left to the pictures of its document")
        .arg(held.width())
        .arg(held.height())
        .arg(budget.pixels);
}

// A null image, and a warning when there is a reason, which goes to refusal too.
QImage PictureReader::refused(const QImageReader& reader, const QString& why, QString* refusal)
{
    if (refusal)
        *refusal = why;
    if (!why.isEmpty())
        qCWarning(ZAruri::lcTrace).noquote()
            << QStringLiteral("Refused picture %1: %2.").arg(reader.fileName(), why);
    return QImage();
}

} // namespace DAvuroD
