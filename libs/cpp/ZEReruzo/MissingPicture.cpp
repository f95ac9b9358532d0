#include "MissingPicture.h"

#include "PictureReader.h"

#include <QFontMetrics>
#include <QPainter>

namespace ZEReruzo {

namespace {

const int textFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

// The sign is drawn at a whole multiple of its size, so that its lines stay
// sharp: as large as half the smaller side allows, up to six times.
int signScale(const QSize& area, const QSize& sign)
{
    const int fits = qMin(area.width() / sign.width(), area.height() / sign.height()) / 2;
    return qBound(1, fits, 6);
}

// The text grows with a large area, so that it reads beside a large sign.
QFont textFont(const QSize& area)
{
    QFont font;
    const qreal grown = qBound(1.0, qMin(area.width(), area.height()) / 480.0, 1.5);
    font.setPointSizeF(font.pointSizeF() * grown);
    return font;
}

// The text wrapped into at most width: as narrow as it can be without
// taking more lines, so that the lines are of a length.
QSize wrapped(const QFontMetrics& metrics, const QString& text, int width)
{
    const auto height = [&](int w) {
        return metrics.boundingRect(QRect(0, 0, w, 1 << 20), textFlags, text).height();
    };
    const int lines = height(width);
    int low = 1;
    while (low < width) {
        const int middle = (low + width) / 2;
        if (height(middle) <= lines)
            width = middle;
        else
            low = middle + 1;
    }
    return QSize(width, lines);
}

} // namespace

QString MissingPicture::text(const QString& refusal)
{
    return refusal.isEmpty() ? QString() : tr("Not shown: %1.").arg(refusal);
}

QString MissingPicture::unreadable()
{
    return tr("the file cannot be read as a picture");
}

// The sign and the text under it are centred together. Where the text does
// not fit whole under the sign, the sign shrinks; where it does not fit
// under the smallest sign either, it is left to the view's tool tip.
Thumbnail MissingPicture::thumbnail(int w, int h, const QString& refusal)
{
    Thumbnail tile(w, h, QPixmap());
    if (tile.isNull())
        return tile;
    const QImage sign = DAvuroD::PictureReader::missing();
    const QFont font = textFont(tile.size());
    const QFontMetrics metrics(font);
    const int margin = metrics.height() / 2;
    const QString why = text(refusal);
    const QSize textSize = why.isEmpty() ? QSize() : wrapped(metrics, why, qMax(1, w - 2 * margin));
    const auto height = [&](int scale) {
        return sign.height() * scale + (textSize.isEmpty() ? 0 : margin + textSize.height());
    };
    int scale = signScale(tile.size(), sign.size());
    if (height(scale) > h - 2 * margin)
        scale = 1;
    const bool withText = !textSize.isEmpty() && height(scale) <= h - 2 * margin;
    const QSize signSize = sign.size() * scale;
    const int top = (h - (withText ? height(scale) : signSize.height())) / 2;
    QPainter painter(&tile);
    painter.drawImage(QRect(QPoint((w - signSize.width()) / 2, top), signSize), sign);
    if (withText) {
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QPoint under((w - textSize.width()) / 2, top + signSize.height() + margin);
        painter.drawText(QRect(under, textSize), textFlags, why);
    }
    return tile;
}

} // namespace ZEReruzo
