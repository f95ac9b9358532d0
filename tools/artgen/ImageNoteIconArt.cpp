// The thickness menu's icons and the glass sheen of the annotation editor's
// drag preview.
#include "ArtImage.h"
#include "ArtRegistry.h"
#include "ArtWriter.h"
#include "ImageNotePictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

using namespace DORuverud::ImageNotePictures;

const QColor ink(50, 54, 60);
const int iconSize = 32;

// Drawn at twice the size a menu shows them; 10 and 15 pixels would fill
// the whole icon, so the wide ones grow more slowly.
double drawnWidth(int width)
{
    return width <= 5 ? 2.0 * width : 10.0 + 0.5 * width;
}

ArtImage::IconPainter widthLine(int width)
{
    return [width](QPainter* p) {
        const double drawn = drawnWidth(width);
        p->setPen(QPen(ink, drawn, Qt::SolidLine, Qt::RoundCap));
        p->drawLine(QPointF(3 + drawn / 2, 16), QPointF(29 - drawn / 2, 16));
    };
}

void dashLine(QPainter* p)
{
    QPen pen(ink, 4, Qt::SolidLine, Qt::FlatCap);
    pen.setDashPattern({1.5, 1.0});
    p->setPen(pen);
    p->drawLine(QPointF(2, 16), QPointF(30, 16));
}

// A pane of glass: a bright sweep over the upper left, a faint rim and a
// soft glint at the lower right.
QImage glassSheen()
{
    const QSizeF size(120, 100);
    QImage image = ArtImage::blank(int(size.width()), int(size.height()));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath sweep;
    sweep.moveTo(0, 0);
    sweep.lineTo(size.width() * 0.78, 0);
    sweep.cubicTo(size.width() * 0.55, size.height() * 0.35, size.width() * 0.3,
        size.height() * 0.5, 0, size.height() * 0.62);
    sweep.closeSubpath();
    QLinearGradient light(0, 0, size.width() * 0.5, size.height() * 0.5);
    light.setColorAt(0, QColor(255, 255, 255, 120));
    light.setColorAt(1, QColor(255, 255, 255, 14));
    p.fillPath(sweep, light);
    QLinearGradient glint(size.width(), size.height(), size.width() * 0.6, size.height() * 0.6);
    glint.setColorAt(0, QColor(255, 255, 255, 60));
    glint.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(QPointF(0, 0), size), glint);
    p.setPen(QPen(QColor(255, 255, 255, 70), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(QPointF(1, 1), size - QSizeF(2, 2)));
    return image;
}

ArtRegistry::Entry entry("annotation icons", [](ArtWriter& writer) {
    QList<QPair<QString, ArtImage::IconPainter>> icons;
    for (int width : thicknesses())
        icons.append({thicknessIcon(width), widthLine(width)});
    icons.append({dashIcon(), dashLine});
    ArtImage::saveIcons(writer, iconSize, icons);
    writer.saveResource(glass(), glassSheen());
});

} // namespace
