// The two pictures of the update dialog: a download arrow when a newer
// build exists, a tick when this one is the newest.
#include "ArtImage.h"
#include "ArtRegistry.h"
#include "ArtWriter.h"
#include "UpdaterDialog.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const int size = 96;

// A shaded disc in the given colour, lit from the upper left.
void paintDisc(QPainter& painter, const QColor& colour)
{
    QRadialGradient light(QPointF(size * 0.35, size * 0.3), size * 0.7);
    light.setColorAt(0, colour.lighter(135));
    light.setColorAt(1, colour.darker(125));
    painter.setPen(QPen(colour.darker(150), 2));
    painter.setBrush(light);
    painter.drawEllipse(QRectF(4, 4, size - 8, size - 8));
}

QImage picture(const QColor& colour, const QPainterPath& sign)
{
    QImage image = ArtImage::blank(size, size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintDisc(painter, colour);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 60), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(sign.translated(1.5, 2));
    painter.setPen(QPen(Qt::white, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(sign);
    return image;
}

// An arrow down onto a tray.
QPainterPath downloadSign()
{
    QPainterPath path;
    path.moveTo(48, 22);
    path.lineTo(48, 58);
    path.moveTo(33, 44);
    path.lineTo(48, 59);
    path.lineTo(63, 44);
    path.moveTo(28, 68);
    path.lineTo(28, 73);
    path.lineTo(68, 73);
    path.lineTo(68, 68);
    return path;
}

QPainterPath tickSign()
{
    QPainterPath path;
    path.moveTo(29, 50);
    path.lineTo(42, 63);
    path.lineTo(67, 35);
    return path;
}

ArtRegistry::Entry entry("update", [](ArtWriter& writer) {
    writer.saveResource(DORuverud::UpdaterDialog::updateAvailablePicture(),
        picture(QColor(0, 160, 224), downloadSign()));
    writer.saveResource(DORuverud::UpdaterDialog::updateNotAvailablePicture(),
        picture(QColor(76, 175, 80), tickSign()));
});

} // namespace
