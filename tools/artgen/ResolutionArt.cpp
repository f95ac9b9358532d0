// The banner of the virtual resolution dialog: a large screen, drawn
// dashed, drawn into the small screen of a monitor.
#include "ArtRegistry.h"
#include "ArtWriter.h"
#include "ResolutionPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

const QColor accent(0, 160, 224);
const QSize bannerSize(360, 90);

void paintBackground(QPainter& p)
{
    QLinearGradient back(0, 0, 0, bannerSize.height());
    back.setColorAt(0, QColor(34, 44, 62));
    back.setColorAt(1, QColor(14, 18, 28));
    p.fillRect(QRect(QPoint(0, 0), bannerSize), back);
}

// A monitor on its stand; returns its screen.
QRectF paintMonitor(QPainter& p)
{
    const QRectF body(68, 18, 74, 46);
    p.setPen(QPen(QColor(200, 208, 220), 2));
    p.setBrush(QColor(22, 28, 40));
    p.drawRoundedRect(body, 4, 4);
    p.drawLine(QPointF(105, 64), QPointF(105, 71));
    p.drawLine(QPointF(91, 72), QPointF(119, 72));
    const QRectF screen = body.adjusted(5, 5, -5, -5);
    QLinearGradient glass(screen.topLeft(), screen.bottomRight());
    glass.setColorAt(0, QColor(0, 160, 224, 90));
    glass.setColorAt(1, QColor(0, 160, 224, 20));
    p.fillRect(screen, glass);
    return screen;
}

// The large screen around the monitor, with arrows from its corners inward.
void paintVirtualScreen(QPainter& p, const QRectF& screen)
{
    const QRectF large(10, 6, 190, 78);
    p.setPen(QPen(accent, 1.6, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(large, 3, 3);
    p.setPen(QPen(accent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF from[]
        = {large.topLeft(), large.topRight(), large.bottomLeft(), large.bottomRight()};
    const QPointF to[]
        = {screen.topLeft(), screen.topRight(), screen.bottomLeft(), screen.bottomRight()};
    for (int i = 0; i < 4; ++i) {
        const QPointF start = from[i] + (to[i] - from[i]) * 0.12;
        const QPointF end = from[i] + (to[i] - from[i]) * 0.82;
        const QPointF along = (end - start) / std::hypot(end.x() - start.x(), end.y() - start.y());
        const QPointF across(-along.y(), along.x());
        p.drawLine(start, end);
        QPainterPath head;
        head.moveTo(end - along * 6 + across * 4);
        head.lineTo(end);
        head.lineTo(end - along * 6 - across * 4);
        p.drawPath(head);
    }
}

void paintTitle(QPainter& p)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(15);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    p.setFont(font);
    p.setPen(Qt::white);
    const QRectF line(214, 22, 142, 24);
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VIRTUAL"));
    p.setPen(accent);
    p.drawText(
        line.translated(0, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("RESOLUTION"));
}

QImage banner()
{
    const int scale = 3;
    QImage image(bannerSize * scale, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    paintBackground(p);
    const QRectF screen = paintMonitor(p);
    paintVirtualScreen(p, screen);
    paintTitle(p);
    p.end();
    return image.scaled(bannerSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

ArtRegistry::Entry entry("resolution", [](ArtWriter& writer) {
    writer.saveResource(DORuverud::ResolutionPictures::logo(), banner());
});

} // namespace
