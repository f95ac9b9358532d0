// The cursors of the annotation tools: 32 x 32 with the hot spot in the
// middle. Parts in pure blue take the pen colour when the cursor is shown.
#include "ArtImage.h"
#include "ArtRegistry.h"
#include "ImageNotePictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor ink(0, 0, 255);
const QColor outline(30, 30, 30);
const QPointF centre(16, 16);

// A line in a colour with a dark rim around it.
void rimmedLine(QPainter* p, const QPointF& from, const QPointF& to, const QColor& colour)
{
    p->setPen(QPen(outline, 4, Qt::SolidLine, Qt::RoundCap));
    p->drawLine(from, to);
    p->setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
    p->drawLine(from, to);
}

// Four short white ticks round the hot spot.
void crosshair(QPainter* p)
{
    for (const QPointF& direction : {QPointF(1, 0), QPointF(-1, 0), QPointF(0, 1), QPointF(0, -1)})
        rimmedLine(p, centre + direction * 3, centre + direction * 8, Qt::white);
}

void filledShape(QPainter* p, const QPainterPath& path, const QColor& fill)
{
    p->setPen(QPen(outline, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->setBrush(fill);
    p->drawPath(path);
}

// A stick from its tip at the hot spot up to the right: tip, body, end.
void stick(QPainter* p, double halfWidth, double tipLength, const QColor& tipColour,
    const QColor& bodyColour)
{
    p->save();
    p->translate(centre);
    p->rotate(-45);
    QPainterPath tip;
    tip.moveTo(0, 0);
    tip.lineTo(tipLength, -halfWidth);
    tip.lineTo(tipLength, halfWidth);
    tip.closeSubpath();
    filledShape(p, tip, tipColour);
    QPainterPath body;
    body.addRect(QRectF(tipLength, -halfWidth, 14, 2 * halfWidth));
    filledShape(p, body, bodyColour);
    QPainterPath end;
    end.addRoundedRect(QRectF(tipLength + 14, -halfWidth, 3, 2 * halfWidth), 1, 1);
    filledShape(p, end, QColor(200, 200, 200));
    p->restore();
}

void pen(QPainter* p)
{
    stick(p, 3, 6, ink, ink);
}

void highlighter(QPainter* p)
{
    stick(p, 4.5, 5, ink, QColor(90, 90, 90));
}

void eraser(QPainter* p)
{
    p->save();
    p->translate(centre);
    p->rotate(-45);
    QPainterPath front;
    front.addRoundedRect(QRectF(0, -5, 7, 10), 1.5, 1.5);
    filledShape(p, front, QColor(236, 120, 150));
    QPainterPath back;
    back.addRoundedRect(QRectF(7, -5, 12, 10), 1.5, 1.5);
    filledShape(p, back, QColor(245, 245, 245));
    p->restore();
}

void rectangle(QPainter* p)
{
    crosshair(p);
    p->setBrush(Qt::NoBrush);
    p->setPen(QPen(outline, 4));
    p->drawRect(QRectF(19, 3, 10, 8));
    p->setPen(QPen(ink, 2));
    p->drawRect(QRectF(19, 3, 10, 8));
}

void filledRectangle(QPainter* p)
{
    crosshair(p);
    QPainterPath box;
    box.addRect(QRectF(18, 2, 12, 10));
    filledShape(p, box, ink);
}

void blur(QPainter* p)
{
    crosshair(p);
    const QPointF spots[] = {{21, 5}, {27, 6}, {24, 10}};
    for (const QPointF& spot : spots) {
        QRadialGradient soft(spot, 4);
        soft.setColorAt(0, QColor(60, 60, 60, 230));
        soft.setColorAt(1, QColor(60, 60, 60, 0));
        p->setPen(Qt::NoPen);
        p->setBrush(soft);
        p->drawEllipse(spot, 4, 4);
    }
}

void oval(QPainter* p)
{
    crosshair(p);
    p->setBrush(Qt::NoBrush);
    p->setPen(QPen(outline, 4));
    p->drawEllipse(QRectF(18, 3, 12, 9));
    p->setPen(QPen(ink, 2));
    p->drawEllipse(QRectF(18, 3, 12, 9));
}

void line(QPainter* p)
{
    crosshair(p);
    rimmedLine(p, QPointF(19, 12), QPointF(29, 3), ink);
}

void arrow(QPainter* p)
{
    line(p);
    rimmedLine(p, QPointF(29, 3), QPointF(23.5, 3.5), ink);
    rimmedLine(p, QPointF(29, 3), QPointF(28.5, 8.5), ink);
}

// An I-beam over the hot spot.
void text(QPainter* p)
{
    for (int pass = 0; pass < 2; ++pass) {
        p->setPen(pass ? QPen(ink, 2, Qt::SolidLine, Qt::FlatCap)
                       : QPen(outline, 4, Qt::SolidLine, Qt::SquareCap));
        p->drawLine(QPointF(16, 7), QPointF(16, 25));
        p->drawLine(QPointF(12, 7), QPointF(20, 7));
        p->drawLine(QPointF(12, 25), QPointF(20, 25));
    }
}

ArtRegistry::Entry entry("annotation cursors", [](ArtWriter& writer) {
    using DORuverud::ImageNotePictures::cursor;
    ArtImage::saveIcons(writer, 32,
        {{cursor(0), pen}, {cursor(1), eraser}, {cursor(2), highlighter}, {cursor(3), rectangle},
            {cursor(4), filledRectangle}, {cursor(5), blur}, {cursor(6), oval}, {cursor(8), line},
            {cursor(9), arrow}, {cursor(10), text}});
});

} // namespace
