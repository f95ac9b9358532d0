#include "InstrumentArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cmath>
#include <vector>

namespace {

// Coordinates in a unit box: x across, y down, both 0..1 of the rect.
struct Box
{
    QRectF r;
    QPointF at(qreal x, qreal y) const
    {
        return {r.left() + x * r.width(), r.top() + y * r.height()};
    }
    QRectF rect(qreal x0, qreal y0, qreal x1, qreal y1) const
    {
        return {at(x0, y0), at(x1, y1)};
    }
    QRectF ellipse(qreal cx, qreal cy, qreal rx, qreal ry) const
    {
        return rect(cx - rx, cy - ry, cx + rx, cy + ry);
    }
    // A circle whose radius is a fraction of the width.
    QRectF circle(qreal cx, qreal cy, qreal rw) const
    {
        const QPointF c = at(cx, cy);
        const qreal radius = rw * r.width();
        return {c.x() - radius, c.y() - radius, 2 * radius, 2 * radius};
    }
};

QColor shade(const QColor& colour, qreal brightness)
{
    return QColor::fromRgbF(qBound(0.0, colour.redF() * brightness, 1.0),
        qBound(0.0, colour.greenF() * brightness, 1.0),
        qBound(0.0, colour.blueF() * brightness, 1.0), colour.alphaF());
}

QBrush woodBrush(const QRectF& body, const QColor& light, const QColor& dark, qreal brightness)
{
    QRadialGradient gradient(body.center() - QPointF(body.width() * 0.15, body.height() * 0.2),
        qMax(body.width(), body.height()) * 0.75);
    gradient.setColorAt(0.0, shade(light, brightness));
    gradient.setColorAt(1.0, shade(dark, brightness));
    return gradient;
}

void fillBody(QPainter& p, const QPainterPath& body, const QColor& light, const QColor& dark,
    qreal brightness)
{
    p.setPen(
        QPen(shade(QColor(30, 16, 6), brightness), qMax(1.0, body.boundingRect().width() / 60)));
    p.setBrush(woodBrush(body.boundingRect(), light, dark, brightness));
    p.drawPath(body);
}

// A neck or a fingerboard, lit along its middle.
QLinearGradient acrossBoard(const QRectF& board, const QColor& left, const QColor& middle,
    const QColor& right, qreal brightness)
{
    QLinearGradient gradient(board.topLeft(), board.topRight());
    gradient.setColorAt(0, shade(left, brightness));
    gradient.setColorAt(0.5, shade(middle, brightness));
    gradient.setColorAt(1, shade(right, brightness));
    return gradient;
}

void drawNeck(
    QPainter& p, const Box& b, qreal x0, qreal x1, qreal top, qreal bottom, qreal brightness)
{
    const QRectF neck = b.rect(x0, top, x1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(
        acrossBoard(neck, QColor(60, 34, 18), QColor(104, 62, 32), QColor(52, 30, 16), brightness));
    p.drawRect(neck);
    p.setPen(QPen(shade(QColor(210, 200, 180), brightness), qMax(0.6, neck.width() / 14)));
    const int frets = 7;
    for (int i = 1; i <= frets; ++i) {
        const qreal y = neck.top()
            + neck.height() * (1.0 - std::pow(0.84, i)) / (1.0 - std::pow(0.84, frets + 1));
        p.drawLine(QPointF(neck.left(), y), QPointF(neck.right(), y));
    }
}

void drawHead(QPainter& p, const QRectF& head, qreal brightness)
{
    p.setPen(QPen(shade(QColor(25, 12, 4), brightness), qMax(0.8, head.width() / 20)));
    p.setBrush(shade(QColor(45, 24, 12), brightness));
    p.drawRoundedRect(head, head.width() * 0.25, head.width() * 0.25);
    p.setPen(Qt::NoPen);
    p.setBrush(shade(QColor(220, 210, 190), brightness));
    const qreal peg = head.width() * 0.16;
    for (int i = 0; i < 3; ++i) {
        const qreal y = head.top() + head.height() * (0.25 + 0.25 * i);
        p.drawEllipse(QPointF(head.left() - peg * 0.4, y), peg, peg * 0.7);
        p.drawEllipse(QPointF(head.right() + peg * 0.4, y), peg, peg * 0.7);
    }
}

void drawStrings(QPainter& p, const Box& b, int count, qreal x0, qreal x1, qreal top, qreal bottom,
    qreal brightness)
{
    p.setPen(QPen(shade(QColor(235, 235, 225), brightness), qMax(0.5, b.r.width() / 110)));
    for (int i = 0; i < count; ++i) {
        const qreal x = count == 1 ? 0.5 : x0 + (x1 - x0) * i / (count - 1);
        p.drawLine(b.at(x, top), b.at(x, bottom));
    }
}

void drawHole(QPainter& p, const QRectF& hole, qreal brightness)
{
    p.setPen(QPen(shade(QColor(230, 200, 140), brightness), qMax(1.0, hole.width() / 8)));
    p.setBrush(QColor(12, 8, 4));
    p.drawEllipse(hole);
}

void drawBridge(QPainter& p, const QRectF& bridge, qreal brightness)
{
    p.setPen(Qt::NoPen);
    p.setBrush(shade(QColor(30, 18, 10), brightness));
    p.drawRoundedRect(bridge, bridge.height() / 3, bridge.height() / 3);
}

QPainterPath unite(std::initializer_list<QRectF> ellipses)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QRectF& e : ellipses)
        path.addEllipse(e);
    return path.simplified();
}

void guitar(QPainter& p, const Box& b, qreal k)
{
    drawNeck(p, b, 0.43, 0.57, 0.12, 0.55, k);
    drawHead(p, b.rect(0.4, 0.02, 0.6, 0.13), k);
    fillBody(p, unite({b.ellipse(0.5, 0.79, 0.46, 0.19), b.ellipse(0.5, 0.58, 0.36, 0.15)}),
        QColor(240, 180, 90), QColor(150, 80, 25), k);
    drawHole(p, b.circle(0.5, 0.62, 0.14), k);
    drawBridge(p, b.rect(0.36, 0.82, 0.64, 0.85), k);
    drawStrings(p, b, 6, 0.45, 0.55, 0.1, 0.835, k);
}

void bass(QPainter& p, const Box& b, qreal k)
{
    drawNeck(p, b, 0.44, 0.56, 0.1, 0.66, k);
    drawHead(p, b.rect(0.41, 0.0, 0.59, 0.11), k);
    fillBody(p,
        unite({b.ellipse(0.5, 0.83, 0.42, 0.14), b.ellipse(0.5, 0.71, 0.33, 0.12),
            b.ellipse(0.28, 0.62, 0.11, 0.08), b.ellipse(0.7, 0.6, 0.1, 0.09)}),
        QColor(200, 40, 40), QColor(90, 10, 10), k);
    p.setPen(Qt::NoPen);
    p.setBrush(shade(QColor(20, 20, 20), k));
    p.drawRoundedRect(b.rect(0.38, 0.72, 0.62, 0.75), 2, 2);
    drawBridge(p, b.rect(0.4, 0.86, 0.6, 0.89), k);
    drawStrings(p, b, 4, 0.465, 0.535, 0.08, 0.875, k);
}

void ukulele(QPainter& p, const Box& b, qreal k)
{
    drawNeck(p, b, 0.43, 0.57, 0.25, 0.6, k);
    drawHead(p, b.rect(0.4, 0.14, 0.6, 0.26), k);
    fillBody(p, unite({b.ellipse(0.5, 0.8, 0.38, 0.15), b.ellipse(0.5, 0.64, 0.29, 0.12)}),
        QColor(245, 205, 130), QColor(175, 110, 45), k);
    drawHole(p, b.circle(0.5, 0.67, 0.12), k);
    drawBridge(p, b.rect(0.38, 0.84, 0.62, 0.87), k);
    drawStrings(p, b, 4, 0.46, 0.54, 0.24, 0.855, k);
}

void banjo(QPainter& p, const Box& b, qreal k)
{
    drawNeck(p, b, 0.44, 0.56, 0.1, 0.62, k);
    drawHead(p, b.rect(0.41, 0.01, 0.59, 0.11), k);
    const QRectF rim = b.circle(0.5, 0.77, 0.46);
    p.setPen(QPen(shade(QColor(40, 40, 40), k), rim.width() / 50));
    QRadialGradient metal(rim.center(), rim.width() / 2);
    metal.setColorAt(0.85, shade(QColor(120, 120, 125), k));
    metal.setColorAt(0.93, shade(QColor(235, 235, 240), k));
    metal.setColorAt(1.0, shade(QColor(90, 90, 95), k));
    p.setBrush(metal);
    p.drawEllipse(rim);
    const QRectF head = rim.adjusted(
        rim.width() * 0.09, rim.width() * 0.09, -rim.width() * 0.09, -rim.width() * 0.09);
    QRadialGradient skin(
        head.center() - QPointF(head.width() * 0.15, head.height() * 0.15), head.width() * 0.7);
    skin.setColorAt(0, shade(QColor(252, 248, 235), k));
    skin.setColorAt(1, shade(QColor(215, 205, 180), k));
    p.setPen(Qt::NoPen);
    p.setBrush(skin);
    p.drawEllipse(head);
    drawBridge(p, b.rect(0.4, 0.8, 0.6, 0.82), k);
    drawStrings(p, b, 5, 0.455, 0.545, 0.08, 0.9, k);
}

void mandolin(QPainter& p, const Box& b, qreal k)
{
    drawNeck(p, b, 0.43, 0.57, 0.2, 0.55, k);
    drawHead(p, b.rect(0.39, 0.08, 0.61, 0.21), k);
    QPainterPath body;
    body.moveTo(b.at(0.5, 0.47));
    body.cubicTo(b.at(0.85, 0.52), b.at(0.98, 0.72), b.at(0.9, 0.84));
    body.cubicTo(b.at(0.8, 0.97), b.at(0.2, 0.97), b.at(0.1, 0.84));
    body.cubicTo(b.at(0.02, 0.72), b.at(0.15, 0.52), b.at(0.5, 0.47));
    fillBody(p, body, QColor(235, 150, 70), QColor(120, 45, 15), k);
    drawHole(p, b.ellipse(0.5, 0.66, 0.1, 0.035), k);
    drawBridge(p, b.rect(0.36, 0.82, 0.64, 0.845), k);
    drawStrings(p, b, 4, 0.455, 0.545, 0.19, 0.93, k);
}

void balalaika(QPainter& p, const Box& b, qreal k)
{
    drawNeck(p, b, 0.44, 0.56, 0.14, 0.55, k);
    drawHead(p, b.rect(0.41, 0.04, 0.59, 0.15), k);
    QPainterPath body;
    body.moveTo(b.at(0.5, 0.48));
    body.quadTo(b.at(0.62, 0.52), b.at(0.97, 0.93));
    body.quadTo(b.at(0.5, 0.99), b.at(0.03, 0.93));
    body.quadTo(b.at(0.38, 0.52), b.at(0.5, 0.48));
    fillBody(p, body, QColor(250, 200, 110), QColor(160, 90, 30), k);
    drawHole(p, b.circle(0.5, 0.74, 0.08), k);
    drawBridge(p, b.rect(0.4, 0.86, 0.6, 0.885), k);
    drawStrings(p, b, 3, 0.47, 0.53, 0.12, 0.875, k);
}

// An outline mirrored about the vertical centre line, from the right half's
// cubic segments: top centre first, bottom centre last, in the body's box.
QPainterPath mirroredOutline(const Box& body, const std::vector<QPointF>& half)
{
    auto right = [&body](const QPointF& q) { return body.at(q.x(), q.y()); };
    auto left = [&body](const QPointF& q) { return body.at(1.0 - q.x(), q.y()); };
    QPainterPath path(right(half.front()));
    const int last = int(half.size()) - 1;
    for (int i = 1; i + 2 <= last; i += 3)
        path.cubicTo(right(half[i]), right(half[i + 1]), right(half[i + 2]));
    for (int i = last; i >= 3; i -= 3)
        path.cubicTo(left(half[i - 1]), left(half[i - 2]), left(half[i - 3]));
    path.closeSubpath();
    return path;
}

// A fretless ebony fingerboard.
void drawFingerboard(QPainter& p, const QRectF& board, qreal brightness)
{
    p.setPen(Qt::NoPen);
    p.setBrush(
        acrossBoard(board, QColor(10, 10, 10), QColor(52, 48, 44), QColor(8, 8, 8), brightness));
    p.drawRoundedRect(board, board.width() * 0.3, board.width() * 0.3);
}

// The pegbox with two pegs a side and the scroll curling over its top.
void drawScroll(QPainter& p, const QRectF& box, const QColor& light, const QColor& dark, qreal k)
{
    const qreal w = box.width();
    p.setPen(Qt::NoPen);
    p.setBrush(shade(QColor(25, 14, 8), k));
    for (int i = 0; i < 2; ++i) {
        const qreal y = box.top() + box.height() * (0.35 + 0.35 * i);
        p.drawEllipse(QPointF(box.left() - w * 0.35, y), w * 0.45, w * 0.2);
        p.drawEllipse(QPointF(box.right() + w * 0.35, y), w * 0.45, w * 0.2);
    }
    p.setPen(QPen(shade(QColor(40, 18, 6), k), qMax(0.8, w / 12)));
    p.setBrush(woodBrush(box, light, dark, k));
    p.drawRoundedRect(box, w * 0.3, w * 0.3);
    const QPointF centre(box.center().x(), box.top());
    p.drawEllipse(centre, w * 0.62, w * 0.62);
    QPainterPath spiral;
    for (int i = 0; i <= 48; ++i) {
        const qreal t = i / 48.0 * 3 * M_PI;
        const qreal r = w * 0.55 * (1.0 - t / (3.3 * M_PI));
        const QPointF point = centre + QPointF(r * std::cos(t), r * std::sin(t));
        i ? spiral.lineTo(point) : spiral.moveTo(point);
    }
    p.setBrush(Qt::NoBrush);
    p.drawPath(spiral);
}

void drawSoundHoles(QPainter& p, const Box& body, qreal k)
{
    p.setPen(QPen(
        shade(QColor(15, 8, 4), k), qMax(1.0, body.r.width() / 55), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(shade(QColor(15, 8, 4), k));
    for (int side : {-1, 1}) {
        auto at = [&](qreal x, qreal y) { return body.at(0.5 + side * (x - 0.5), y); };
        QPainterPath hole(at(0.3, 0.43));
        hole.cubicTo(at(0.37, 0.49), at(0.26, 0.6), at(0.33, 0.66));
        p.setBrush(Qt::NoBrush);
        p.drawPath(hole);
        p.setBrush(shade(QColor(15, 8, 4), k));
        for (const QPointF& end : {at(0.3, 0.43), at(0.33, 0.66)})
            p.drawEllipse(end, body.r.width() / 45, body.r.width() / 45);
    }
}

// Violin, viola, cello and double bass: the body's place in the box, its
// outline and varnish, and whether it stands on an end pin.
struct Bowed
{
    qreal bodyTop;
    qreal bodyBottom;
    qreal halfWidth;
    std::vector<QPointF> outline;
    QColor light;
    QColor dark;
    bool endPin;
};

void bowed(QPainter& p, const Box& b, const Bowed& shape, qreal k)
{
    if (shape.endPin) {
        p.setPen(
            QPen(shade(QColor(170, 170, 175), k), b.r.width() / 45, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(b.at(0.5, shape.bodyBottom), b.at(0.5, 0.995));
    }
    const Box body {
        b.rect(0.5 - shape.halfWidth, shape.bodyTop, 0.5 + shape.halfWidth, shape.bodyBottom)};
    fillBody(p, mirroredOutline(body, shape.outline), shape.light, shape.dark, k);
    drawSoundHoles(p, body, k);
    const qreal neckTop = 0.1;
    drawFingerboard(p,
        b.rect(0.46, neckTop, 0.54, shape.bodyTop + (shape.bodyBottom - shape.bodyTop) * 0.4), k);
    drawScroll(p, b.rect(0.47, 0.02, 0.53, neckTop), shape.light, shape.dark, k);
    const qreal bodyHeight = shape.bodyBottom - shape.bodyTop;
    p.setPen(Qt::NoPen);
    p.setBrush(shade(QColor(12, 10, 8), k));
    QPainterPath tail(b.at(0.47, shape.bodyTop + bodyHeight * 0.7));
    tail.lineTo(b.at(0.53, shape.bodyTop + bodyHeight * 0.7));
    tail.lineTo(b.at(0.515, shape.bodyTop + bodyHeight * 0.98));
    tail.lineTo(b.at(0.485, shape.bodyTop + bodyHeight * 0.98));
    p.drawPath(tail);
    p.setBrush(shade(QColor(225, 195, 140), k));
    p.drawRect(
        b.rect(0.44, shape.bodyTop + bodyHeight * 0.6, 0.56, shape.bodyTop + bodyHeight * 0.615));
    drawStrings(p, b, 4, 0.475, 0.525, neckTop, shape.bodyTop + bodyHeight * 0.71, k);
}

// Right halves of the outlines, top centre to bottom centre.
const std::vector<QPointF> violinOutline = {{0.5, 0.0}, {0.72, 0.0}, {0.92, 0.05}, {0.9, 0.2},
    {0.89, 0.28}, {0.86, 0.33}, {0.8, 0.37}, {0.68, 0.42}, {0.68, 0.55}, {0.8, 0.59}, {0.98, 0.64},
    {1.0, 0.74}, {0.99, 0.82}, {0.97, 0.96}, {0.72, 1.0}, {0.5, 1.0}};
// Sloping shoulders.
const std::vector<QPointF> doubleBassOutline = {{0.5, 0.0}, {0.6, 0.0}, {0.66, 0.03}, {0.74, 0.1},
    {0.86, 0.2}, {0.9, 0.3}, {0.82, 0.38}, {0.7, 0.43}, {0.7, 0.53}, {0.8, 0.58}, {0.98, 0.64},
    {1.0, 0.74}, {0.99, 0.82}, {0.97, 0.96}, {0.72, 1.0}, {0.5, 1.0}};

void violin(QPainter& p, const Box& b, qreal k)
{
    bowed(p, b, {0.36, 0.98, 0.34, violinOutline, QColor(215, 110, 45), QColor(110, 38, 10), false},
        k);
}

void viola(QPainter& p, const Box& b, qreal k)
{
    bowed(p, b, {0.34, 0.98, 0.36, violinOutline, QColor(200, 115, 55), QColor(95, 42, 14), false},
        k);
}

void cello(QPainter& p, const Box& b, qreal k)
{
    bowed(
        p, b, {0.3, 0.9, 0.38, violinOutline, QColor(225, 125, 50), QColor(120, 50, 12), true}, k);
}

void doubleBass(QPainter& p, const Box& b, qreal k)
{
    bowed(p, b, {0.3, 0.92, 0.42, doubleBassOutline, QColor(180, 95, 40), QColor(80, 34, 10), true},
        k);
}

// A pear-shaped body, a long fretted neck and two strings.
void dombra(QPainter& p, const Box& b, qreal k)
{
    drawNeck(p, b, 0.46, 0.54, 0.1, 0.58, k);
    const QRectF head = b.rect(0.45, 0.01, 0.55, 0.11);
    p.setPen(Qt::NoPen);
    p.setBrush(shade(QColor(220, 210, 190), k));
    p.drawEllipse(QPointF(head.left(), head.center().y()), head.width() * 0.3, head.width() * 0.2);
    p.drawEllipse(QPointF(head.right(), head.center().y()), head.width() * 0.3, head.width() * 0.2);
    p.setPen(QPen(shade(QColor(25, 12, 4), k), qMax(0.8, head.width() / 20)));
    p.setBrush(shade(QColor(60, 32, 14), k));
    p.drawRoundedRect(head, head.width() * 0.3, head.width() * 0.3);
    const std::vector<QPointF> pear = {
        {0.5, 0.0}, {0.62, 0.02}, {0.9, 0.25}, {0.95, 0.6}, {0.98, 0.9}, {0.72, 1.0}, {0.5, 1.0}};
    fillBody(p, mirroredOutline(Box {b.rect(0.1, 0.5, 0.9, 0.99)}, pear), QColor(240, 195, 120),
        QColor(150, 90, 35), k);
    drawHole(p, b.circle(0.5, 0.7, 0.06), k);
    drawBridge(p, b.rect(0.42, 0.86, 0.58, 0.875), k);
    drawStrings(p, b, 2, 0.48, 0.52, 0.09, 0.95, k);
}

// Keys run across the long side of the rect.
void piano(QPainter& p, const QRectF& rect, qreal k)
{
    p.save();
    QRectF area = rect;
    if (rect.height() > rect.width()) {
        p.translate(rect.center());
        p.rotate(-90);
        area = QRectF(-rect.height() / 2, -rect.width() / 2, rect.height(), rect.width());
    }
    const qreal height = qMin(area.height(), area.width() * 0.75);
    const QRectF keys(area.left(), area.center().y() - height / 2, area.width(), height);
    const int whites = 7;
    const qreal w = keys.width() / whites;
    p.setPen(QPen(shade(QColor(20, 20, 20), k), qMax(0.8, w / 14)));
    for (int i = 0; i < whites; ++i) {
        QLinearGradient ivory(keys.topLeft(), keys.bottomLeft());
        ivory.setColorAt(0, shade(QColor(215, 215, 210), k));
        ivory.setColorAt(1, shade(QColor(255, 255, 250), k));
        p.setBrush(ivory);
        p.drawRoundedRect(QRectF(keys.left() + i * w, keys.top(), w, keys.height()), w / 8, w / 8);
    }
    static const bool hasBlack[] = {true, true, false, true, true, true, false};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < whites - 1; ++i) {
        if (!hasBlack[i])
            continue;
        const QRectF key(
            keys.left() + (i + 1) * w - w * 0.3, keys.top(), w * 0.6, keys.height() * 0.6);
        QLinearGradient ebony(key.topLeft(), key.topRight());
        ebony.setColorAt(0, shade(QColor(10, 10, 10), k));
        ebony.setColorAt(0.5, shade(QColor(70, 70, 75), k));
        ebony.setColorAt(1, shade(QColor(10, 10, 10), k));
        p.setBrush(ebony);
        p.drawRoundedRect(key, w / 10, w / 10);
    }
    p.restore();
}

} // namespace

namespace InstrumentArt {

void draw(QPainter& painter, const QRectF& rect, const QString& instrument, qreal brightness)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const Box box {rect};
    if (instrument == QLatin1String("piano"))
        piano(painter, rect, brightness);
    else if (instrument == QLatin1String("guitar"))
        guitar(painter, box, brightness);
    else if (instrument == QLatin1String("bass"))
        bass(painter, box, brightness);
    else if (instrument == QLatin1String("ukulele"))
        ukulele(painter, box, brightness);
    else if (instrument == QLatin1String("banjo"))
        banjo(painter, box, brightness);
    else if (instrument == QLatin1String("mandolin"))
        mandolin(painter, box, brightness);
    else if (instrument == QLatin1String("balalaika"))
        balalaika(painter, box, brightness);
    else if (instrument == QLatin1String("violin"))
        violin(painter, box, brightness);
    else if (instrument == QLatin1String("viola"))
        viola(painter, box, brightness);
    else if (instrument == QLatin1String("cello"))
        cello(painter, box, brightness);
    else if (instrument == QLatin1String("doublebass"))
        doubleBass(painter, box, brightness);
    else if (instrument == QLatin1String("dombra"))
        dombra(painter, box, brightness);
    painter.restore();
}

} // namespace InstrumentArt
