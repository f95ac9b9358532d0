#include "Thumbnail.h"

#include <QImage>
#include <QPainter>

namespace ZEReruzo {

Thumbnail::Thumbnail()
    : QPixmap(30, 30)
{
}

Thumbnail::Thumbnail(int w, int h)
    : QPixmap(w, h)
{
}

Thumbnail::Thumbnail(int w, int h, const QPixmap& source)
    : QPixmap(w, h)
{
    init(source.isNull() ? source
                         : source.scaled(w, h, Qt::KeepAspectRatio, Qt::FastTransformation));
}

Thumbnail::Thumbnail(int w, int h, const QImage& source)
    : QPixmap(w, h)
{
    init(source.isNull() ? QPixmap()
                         : QPixmap::fromImage(
                             source.scaled(w, h, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

Thumbnail::~Thumbnail() = default;

void Thumbnail::init(const QPixmap& picture)
{
    if (isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(Qt::darkGray, Qt::SolidPattern));
    painter.drawRect(rect());
    if (picture.isNull())
        return;
    // Centred by the size it is drawn at, so that any picture lands in the middle.
    const QPixmap fitted = picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawPixmap((width() - fitted.width()) / 2, (height() - fitted.height()) / 2, fitted);
}

} // namespace ZEReruzo
