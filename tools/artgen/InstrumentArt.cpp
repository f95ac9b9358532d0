#include "InstrumentArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

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

void drawNeck(
    QPainter& p, const Box& b, qreal x0, qreal x1, qreal top, qreal bottom, qreal brightness)
{
    const QRectF neck = b.rect(x0, top, x1, bottom);
    QLinearGradient gradient(neck.topLeft(), neck.topRight());
    gradient.setColorAt(0, shade(QColor(60, 34, 18), brightness));
    gradient.setColorAt(0.5, shade(QColor(104, 62, 32), brightness));
    gradient.setColorAt(1, shade(QColor(52, 30, 16), brightness));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
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
    painter.restore();
}

} // namespace InstrumentArt
