#include "SvgRequest.h"

#include <QDataStream>

namespace DAvuroD {

QString SvgRequest::tooLarge()
{
    return QStringLiteral("more than %1 bytes of SVG").arg(maxSourceSize);
}

bool SvgRequest::isSvg(const QByteArray& format)
{
    return format == "svg" || isCompressed(format);
}

bool SvgRequest::isCompressed(const QByteArray& format)
{
    return format == "svgz";
}

QSize SvgRequest::target(const QSize& original) const
{
    switch (fit) {
    case Fit::Natural:
        return original;
    case Fit::Within:
        return original.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    case Fit::Stretched:
        return bound;
    }
    return original;
}

bool SvgRequest::allows(const QSize& size) const
{
    const bool fits = fit == Fit::Natural || (fit == Fit::Stretched && size == bound)
        || (fit == Fit::Within && size.width() <= bound.width() && size.height() <= bound.height());
    return fits && bytesOf(size) > 0 && qint64(size.width()) * size.height() <= mostPixels;
}

qint64 SvgRequest::mostCanvasPixels() const
{
    if (fit == Fit::Natural || bytesOf(bound) <= 0)
        return mostPixels;
    return qMin(mostPixels, qint64(bound.width()) * bound.height());
}

qint64 SvgRequest::bytesOf(const QSize& size)
{
    if (size.isEmpty() || size.width() > largestSide || size.height() > largestSide)
        return -1;
    return qint64(size.width()) * size.height() * 4;
}

QByteArray SvgRequest::toMessage() const
{
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << format << bound << qint8(fit) << mostPixels << dotsPerMeterX << dotsPerMeterY;
    return message;
}

bool SvgRequest::fromMessage(const QByteArray& message)
{
    QDataStream in(message);
    qint8 fitRead = 0;
    in >> format >> bound >> fitRead >> mostPixels >> dotsPerMeterX >> dotsPerMeterY;
    fit = Fit(fitRead);
    return in.status() == QDataStream::Ok && in.atEnd() && fitRead >= qint8(Fit::Natural)
        && fitRead <= qint8(Fit::Stretched) && isSvg(format)
        && (fit == Fit::Natural || !bound.isEmpty());
}

} // namespace DAvuroD
