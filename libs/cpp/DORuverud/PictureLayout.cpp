#include "PictureLayout.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTextDocument>
#include <QUrl>

#include <cmath>
#include <limits>

namespace {

QImage pictureOf(QTextDocument* document, const QTextImageFormat& format)
{
    const QVariant held = document->resource(
        QTextDocument::ImageResource, QUrl::fromEncoded(format.name().toUtf8()));
    return held.userType() == QMetaType::QPixmap ? held.value<QPixmap>().toImage()
                                                 : held.value<QImage>();
}

// A length in whole pixels as Qt counts them: one that is no number is
// none, one past what a layout holds is held there.
int pixels(qreal length)
{
    constexpr qreal most = std::numeric_limits<int>::max() / 2;
    return std::isnan(length) ? 0 : qRound(qBound(-most, length, most));
}

} // namespace

PictureLayout::PictureLayout(QObject* parent)
    : QObject(parent)
{
}

// A side not given is the picture's own, or in its proportions to the
// other side given, in whole pixels as Qt counts them.
QSizeF PictureLayout::intrinsicSize(QTextDocument* document, int, const QTextFormat& format)
{
    const QTextImageFormat image = format.toImageFormat();
    const bool hasWidth = image.hasProperty(QTextFormat::ImageWidth);
    const bool hasHeight = image.hasProperty(QTextFormat::ImageHeight);
    QSize size(pixels(image.width()), pixels(image.height()));
    if (hasWidth && hasHeight)
        return size;
    const QImage picture = pictureOf(document, image);
    const int width = int(picture.width() / picture.devicePixelRatio());
    const int height = int(picture.height() / picture.devicePixelRatio());
    if (!hasWidth)
        size.setWidth(hasHeight ? pixels(size.height() * (width / qreal(height))) : width);
    if (!hasHeight)
        size.setHeight(hasWidth ? pixels(size.width() * (height / qreal(width))) : height);
    return size;
}

void PictureLayout::drawObject(
    QPainter* painter, const QRectF& rect, QTextDocument* document, int, const QTextFormat& format)
{
    const QImage picture = pictureOf(document, format.toImageFormat());
    painter->drawImage(rect, picture, picture.rect());
}
