// The icons of the shop entries of a page's "More" menu and of the
// application menu.
#include "ArtImage.h"
#include "ArtRegistry.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace {

const int iconSize = 64;

QLinearGradient shade(const QColor& colour)
{
    QLinearGradient gradient(0, 6, 0, 58);
    gradient.setColorAt(0.0, colour.lighter(135));
    gradient.setColorAt(1.0, colour.darker(125));
    return gradient;
}

QPen outline(const QColor& colour, double width = 3.0)
{
    return QPen(colour.darker(160), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPainterPath starPath(const QPointF& centre, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 ? inner : outer;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point = centre + QPointF(radius * qCos(angle), radius * qSin(angle));
        i ? path.lineTo(point) : path.moveTo(point);
    }
    path.closeSubpath();
    return path;
}

void heart(QPainter* p)
{
    QPainterPath path(QPointF(32, 56));
    path.cubicTo(10, 40, 2, 28, 8, 17);
    path.cubicTo(14, 6, 28, 7, 32, 18);
    path.cubicTo(36, 7, 50, 6, 56, 17);
    path.cubicTo(62, 28, 54, 40, 32, 56);
    const QColor red(214, 48, 62);
    p->setPen(outline(red));
    p->setBrush(shade(red));
    p->drawPath(path);
}

void gift(QPainter* p)
{
    const QColor body(72, 146, 220);
    const QColor ribbon(240, 196, 60);
    p->setPen(outline(body));
    p->setBrush(shade(body));
    p->drawRoundedRect(QRectF(10, 26, 44, 32), 4, 4);
    p->drawRoundedRect(QRectF(6, 18, 52, 12), 3, 3);
    p->setPen(Qt::NoPen);
    p->setBrush(ribbon);
    p->drawRect(QRectF(28, 18, 8, 40));
    p->setPen(outline(ribbon, 3.5));
    p->setBrush(Qt::NoBrush);
    p->drawEllipse(QRectF(16, 6, 16, 12));
    p->drawEllipse(QRectF(32, 6, 16, 12));
}

void book(QPainter* p)
{
    const QColor cover(150, 90, 50);
    p->setPen(outline(cover));
    p->setBrush(shade(cover));
    QPainterPath back;
    back.addRoundedRect(QRectF(4, 14, 56, 40), 4, 4);
    p->drawPath(back);
    p->setPen(QPen(QColor(120, 110, 100), 1.5));
    p->setBrush(QColor(250, 246, 236));
    for (int side : {-1, 1}) {
        QPainterPath page(QPointF(32, 18));
        page.cubicTo(32 + side * 10, 12, 32 + side * 20, 12, 32 + side * 26, 16);
        page.lineTo(32 + side * 26, 50);
        page.cubicTo(32 + side * 20, 46, 32 + side * 10, 46, 32, 52);
        page.closeSubpath();
        p->drawPath(page);
        for (int line = 0; line < 4; ++line)
            p->drawLine(
                QPointF(32 + side * 6, 24 + line * 6), QPointF(32 + side * 21, 23 + line * 6));
    }
}

void headphones(QPainter* p)
{
    const QColor dark(60, 64, 74);
    p->setPen(QPen(dark, 6, Qt::SolidLine, Qt::RoundCap));
    p->setBrush(Qt::NoBrush);
    p->drawArc(QRectF(10, 8, 44, 44), 0, 180 * 16);
    const QColor pad(220, 70, 70);
    p->setPen(outline(pad));
    p->setBrush(shade(pad));
    p->drawRoundedRect(QRectF(4, 30, 14, 24), 5, 5);
    p->drawRoundedRect(QRectF(46, 30, 14, 24), 5, 5);
}

void eye(QPainter* p)
{
    QPainterPath lid(QPointF(4, 32));
    lid.quadTo(32, 4, 60, 32);
    lid.quadTo(32, 60, 4, 32);
    p->setPen(outline(QColor(90, 90, 100)));
    p->setBrush(QColor(252, 252, 252));
    p->drawPath(lid);
    QRadialGradient iris(QPointF(29, 29), 13);
    iris.setColorAt(0.0, QColor(110, 180, 240));
    iris.setColorAt(1.0, QColor(30, 90, 170));
    p->setPen(Qt::NoPen);
    p->setBrush(iris);
    p->drawEllipse(QPointF(32, 32), 12, 12);
    p->setBrush(QColor(10, 10, 20));
    p->drawEllipse(QPointF(32, 32), 5, 5);
    p->setBrush(QColor(255, 255, 255, 220));
    p->drawEllipse(QPointF(28, 28), 3, 3);
}

void globe(QPainter* p, const QColor& colour)
{
    p->setPen(outline(colour, 2.5));
    QRadialGradient sea(QPointF(24, 22), 34);
    sea.setColorAt(0.0, colour.lighter(150));
    sea.setColorAt(1.0, colour.darker(110));
    p->setBrush(sea);
    p->drawEllipse(QRectF(6, 6, 52, 52));
    p->setBrush(Qt::NoBrush);
    p->setPen(QPen(QColor(255, 255, 255, 200), 2));
    p->drawEllipse(QRectF(20, 6, 24, 52));
    p->drawLine(QPointF(32, 6), QPointF(32, 58));
    p->drawLine(QPointF(6, 32), QPointF(58, 32));
    p->drawArc(QRectF(10, -6, 44, 30), 200 * 16, 140 * 16);
    p->drawArc(QRectF(10, 40, 44, 30), 20 * 16, 140 * 16);
}

void encyclopedia(QPainter* p)
{
    globe(p, QColor(150, 150, 156));
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(30);
    font.setBold(true);
    p->setFont(font);
    p->setPen(QColor(30, 30, 34));
    p->drawText(QRectF(0, 0, 64, 64), Qt::AlignCenter, QStringLiteral("W"));
}

void star(QPainter* p)
{
    const QColor gold(244, 180, 30);
    p->setPen(outline(gold));
    p->setBrush(shade(gold));
    p->drawPath(starPath(QPointF(32, 34), 28, 12));
}

void appGrid(QPainter* p)
{
    const QColor colours[4]
        = {QColor(230, 80, 70), QColor(80, 170, 90), QColor(70, 130, 220), QColor(240, 180, 40)};
    for (int i = 0; i < 4; ++i) {
        p->setPen(outline(colours[i], 2));
        p->setBrush(shade(colours[i]));
        p->drawRoundedRect(QRectF(6 + (i % 2) * 28, 6 + (i / 2) * 28, 24, 24), 6, 6);
    }
}

void bubble(QPainter* p)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(4, 8, 56, 38), 12, 12);
    QPainterPath tail(QPointF(16, 42));
    tail.lineTo(12, 58);
    tail.lineTo(30, 44);
    path = path.united(tail);
    const QColor colour(80, 170, 100);
    p->setPen(outline(colour));
    p->setBrush(shade(colour));
    p->drawPath(path);
    p->setPen(Qt::NoPen);
    p->setBrush(Qt::white);
    for (int i = 0; i < 3; ++i)
        p->drawEllipse(QPointF(20 + i * 12, 27), 4, 4);
}

void appLogo(QPainter* p)
{
    const QColor tile(46, 46, 52);
    p->setPen(outline(tile, 2));
    p->setBrush(shade(tile));
    p->drawRoundedRect(QRectF(4, 4, 56, 56), 12, 12);
    p->setPen(Qt::NoPen);
    p->setBrush(QColor(244, 196, 80));
    p->drawEllipse(QPointF(24, 44), 9, 7);
    p->drawEllipse(QPointF(44, 40), 9, 7);
    p->drawRect(QRectF(30, 14, 4, 30));
    p->drawRect(QRectF(50, 10, 4, 30));
    QPainterPath beam(QPointF(30, 14));
    beam.lineTo(54, 10);
    beam.lineTo(54, 18);
    beam.lineTo(30, 22);
    p->drawPath(beam);
}

} // namespace

static ArtRegistry::Entry entry("menu icons", [](ArtWriter& writer) {
    const QList<QPair<QString, ArtImage::IconPainter>> icons = {
        {QStringLiteral("musthave.png"), heart},
        {QStringLiteral("nicetohave.png"), gift},
        {QStringLiteral("read.png"), book},
        {QStringLiteral("ohr.png"), headphones},
        {QStringLiteral("eye.png"), eye},
        {QStringLiteral("wikipedia.png"), encyclopedia},
        {QStringLiteral("star.png"), star},
        {QStringLiteral("moreappsicon.png"), appGrid},
        {QStringLiteral("feedback.png"), bubble},
        {QStringLiteral("webpage.png"), [](QPainter* p) { globe(p, QColor(60, 130, 210)); }},
        {QStringLiteral("appicon.png"), appLogo},
    };
    ArtImage::saveIcons(writer, iconSize, icons);
});
