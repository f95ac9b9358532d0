#include "BowedArt.h"

#include <QtMath>
#include <cmath>

namespace BowedArt {

namespace {

using namespace InstrumentStrokes;
using Stringing = VADirur::TunerInstruments::Stringing;

// The body's place in the box, its outline and varnish, and its fittings.
struct Bowed
{
    qreal bodyTop;
    qreal bodyBottom;
    qreal halfWidth;
    const std::vector<QPointF>& outline;
    QColor light;
    QColor dark;
    bool endPin;
    bool chinRest;
    bool machines;
};

// The pegbox and scroll above the nut, the fingerboard below it.
const qreal neckTop = 0.14;

// The pegbox with its pegs, or machine heads, and the scroll curling over
// its top.
void drawScroll(Canvas& c, const QRectF& box, const Bowed& shape, const Stringing& s)
{
    const qreal w = box.width();
    for (int side : {-1, 1}) {
        const int count = side < 0 ? (s.headPegs + 1) / 2 : s.headPegs / 2;
        for (int i = 0; i < count; ++i) {
            const qreal y = box.top() + box.height() * (0.3 + 0.6 * (i + 0.5) / count);
            const qreal x = side < 0 ? box.left() : box.right();
            if (shape.machines)
                drawMachine(c, QPointF(x, y), w * 1.1, side);
            else
                drawPeg(c, QPointF(x + side * w * 0.55, y), w * 0.6, w * 0.3, false,
                    QColor(118, 62, 36));
        }
    }
    c.p.setPen(QPen(shade(QColor(40, 18, 6), c.k), qMax(0.8, w / 12)));
    c.p.setBrush(woodBrush(box, shape.light, shape.dark, c.k));
    c.p.drawRoundedRect(box, w * 0.3, w * 0.3);
    const QPointF centre(box.center().x(), box.top());
    c.p.drawEllipse(centre, w * 0.62, w * 0.62);
    QPainterPath spiral;
    for (int i = 0; i <= 48; ++i) {
        const qreal t = i / 48.0 * 3 * M_PI;
        const qreal r = w * 0.55 * (1.0 - t / (3.3 * M_PI));
        const QPointF point = centre + QPointF(r * std::cos(t), r * std::sin(t));
        i ? spiral.lineTo(point) : spiral.moveTo(point);
    }
    c.p.setBrush(Qt::NoBrush);
    c.p.drawPath(spiral);
}

void drawSoundHoles(Canvas& c, const Box& body)
{
    const QColor hollow = shade(QColor(15, 8, 4), c.k);
    c.p.setPen(QPen(hollow, qMax(1.0, body.r.width() / 55), Qt::SolidLine, Qt::RoundCap));
    for (int side : {-1, 1}) {
        auto at = [&](qreal x, qreal y) { return body.at(0.5 + side * (x - 0.5), y); };
        QPainterPath hole(at(0.3, 0.43));
        hole.cubicTo(at(0.37, 0.49), at(0.26, 0.6), at(0.33, 0.66));
        c.p.setBrush(Qt::NoBrush);
        c.p.drawPath(hole);
        c.p.setBrush(hollow);
        for (const QPointF& end : {at(0.3, 0.43), at(0.33, 0.66)})
            c.p.drawEllipse(end, body.r.width() / 45, body.r.width() / 45);
    }
}

// The thin inlaid line that follows the edge.
void drawPurfling(Canvas& c, const QPainterPath& outline)
{
    const QPointF centre = outline.boundingRect().center();
    QTransform inset;
    inset.translate(centre.x(), centre.y());
    inset.scale(0.95, 0.97);
    inset.translate(-centre.x(), -centre.y());
    c.p.setPen(
        QPen(shade(QColor(40, 20, 8, 170), c.k), qMax(0.5, outline.boundingRect().width() / 150)));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawPath(inset.map(outline));
}

void drawBowed(Canvas& c, const Bowed& shape, const Stringing& s)
{
    const Box& b = c.b;
    const qreal bodyHeight = shape.bodyBottom - shape.bodyTop;
    auto down = [&](qreal part) { return shape.bodyTop + bodyHeight * part; };
    if (shape.endPin) {
        c.p.setPen(
            QPen(shade(QColor(170, 170, 175), c.k), b.r.width() / 45, Qt::SolidLine, Qt::RoundCap));
        c.p.drawLine(b.at(0.5, shape.bodyBottom), b.at(0.5, 0.995));
    }
    const Box body {
        b.rect(0.5 - shape.halfWidth, shape.bodyTop, 0.5 + shape.halfWidth, shape.bodyBottom)};
    const QPainterPath outline = mirroredOutline(body, shape.outline);
    fillBody(c, outline, shape.light, shape.dark);
    drawPurfling(c, outline);
    drawSoundHoles(c, body);
    const QRectF board = b.rect(0.46, neckTop, 0.54, down(0.4));
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(acrossBoard(board, QColor(10, 10, 10), QColor(52, 48, 44), QColor(8, 8, 8), c.k));
    c.p.drawRoundedRect(board, board.width() * 0.3, board.width() * 0.3);
    drawScroll(c, b.rect(0.468, 0.035, 0.532, neckTop), shape, s);
    if (shape.chinRest) {
        // A raised ebony cup over the edge, left of the tailpiece.
        const QRectF rest = body.ellipse(0.31, 0.935, 0.16, 0.055);
        QLinearGradient ebony(rest.topLeft(), rest.bottomLeft());
        ebony.setColorAt(0, shade(QColor(95, 88, 80), c.k));
        ebony.setColorAt(0.35, shade(QColor(22, 20, 18), c.k));
        ebony.setColorAt(1, shade(QColor(8, 8, 8), c.k));
        c.p.setPen(QPen(shade(QColor(5, 5, 5), c.k), qMax(0.5, body.r.width() / 120)));
        c.p.setBrush(ebony);
        c.p.drawEllipse(rest);
    }
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(shade(QColor(12, 10, 8), c.k));
    QPainterPath tail(b.at(0.465, down(0.7)));
    tail.lineTo(b.at(0.535, down(0.7)));
    tail.lineTo(b.at(0.515, down(0.98)));
    tail.lineTo(b.at(0.485, down(0.98)));
    c.p.drawPath(tail);
    c.p.setBrush(shade(QColor(225, 195, 140), c.k));
    c.p.drawRect(b.rect(0.44, down(0.6), 0.56, down(0.615)));
    drawStrings(c, {s.notes, s.stringsPerNote, 0.475, 0.525, neckTop, down(0.71)});
}

// Right halves of the outlines, top centre to bottom centre. The violin's
// family has round, square-set shoulders.
const std::vector<QPointF> violinOutline = {{0.5, 0.0}, {0.72, 0.0}, {0.92, 0.05}, {0.9, 0.2},
    {0.89, 0.28}, {0.86, 0.33}, {0.8, 0.37}, {0.68, 0.42}, {0.68, 0.55}, {0.8, 0.59}, {0.98, 0.64},
    {1.0, 0.74}, {0.99, 0.82}, {0.97, 0.96}, {0.72, 1.0}, {0.5, 1.0}};
// The double bass's shoulders slope from the neck down to its upper bouts.
const std::vector<QPointF> doubleBassOutline = {{0.5, 0.0}, {0.56, 0.0}, {0.62, 0.04}, {0.68, 0.1},
    {0.76, 0.17}, {0.88, 0.2}, {0.88, 0.3}, {0.88, 0.37}, {0.72, 0.39}, {0.72, 0.48}, {0.72, 0.56},
    {0.98, 0.58}, {0.99, 0.72}, {1.0, 0.86}, {0.9, 1.0}, {0.5, 1.0}};

} // namespace

void draw(Canvas& c, const QString& instrument, const Stringing& stringing)
{
    if (instrument == QLatin1String("violin"))
        drawBowed(c,
            {0.37, 0.98, 0.33, violinOutline, QColor(215, 110, 45), QColor(110, 38, 10), false,
                true, false},
            stringing);
    else if (instrument == QLatin1String("viola"))
        drawBowed(c,
            {0.34, 0.98, 0.37, violinOutline, QColor(185, 100, 48), QColor(80, 34, 12), false, true,
                false},
            stringing);
    else if (instrument == QLatin1String("cello"))
        drawBowed(c,
            {0.3, 0.88, 0.38, violinOutline, QColor(225, 125, 50), QColor(120, 50, 12), true, false,
                false},
            stringing);
    else if (instrument == QLatin1String("doublebass"))
        drawBowed(c,
            {0.27, 0.92, 0.43, doubleBassOutline, QColor(165, 90, 42), QColor(70, 30, 10), true,
                false, true},
            stringing);
}

} // namespace BowedArt
