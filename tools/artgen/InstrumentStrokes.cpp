#include "InstrumentStrokes.h"

#include <QRadialGradient>
#include <cmath>

namespace InstrumentStrokes {

namespace {

const int fretsShown = 7;
// Each fret lies this much closer to the next than to the one before.
const qreal fretRatio = 0.84;

} // namespace

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

void fillBody(Canvas& c, const QPainterPath& body, const QColor& light, const QColor& dark)
{
    c.p.setPen(QPen(shade(QColor(30, 16, 6), c.k), qMax(1.0, body.boundingRect().width() / 60)));
    c.p.setBrush(woodBrush(body.boundingRect(), light, dark, c.k));
    c.p.drawPath(body);
}

QLinearGradient acrossBoard(const QRectF& board, const QColor& left, const QColor& middle,
    const QColor& right, qreal brightness)
{
    QLinearGradient gradient(board.topLeft(), board.topRight());
    gradient.setColorAt(0, shade(left, brightness));
    gradient.setColorAt(0.5, shade(middle, brightness));
    gradient.setColorAt(1, shade(right, brightness));
    return gradient;
}

QPainterPath unite(std::initializer_list<QRectF> ellipses)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QRectF& e : ellipses)
        path.addEllipse(e);
    return path.simplified();
}

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

qreal fretAt(int fret)
{
    return (1.0 - std::pow(fretRatio, fret)) / (1.0 - std::pow(fretRatio, fretsShown + 1));
}

void drawNeck(Canvas& c, qreal x0, qreal x1, qreal top, qreal bottom)
{
    const QRectF neck = c.b.rect(x0, top, x1, bottom);
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(
        acrossBoard(neck, QColor(60, 34, 18), QColor(104, 62, 32), QColor(52, 30, 16), c.k));
    c.p.drawRect(neck);
    c.p.setPen(QPen(shade(QColor(210, 200, 180), c.k), qMax(0.6, neck.width() / 14)));
    for (int i = 1; i <= fretsShown; ++i) {
        const qreal y = neck.top() + neck.height() * fretAt(i);
        c.p.drawLine(QPointF(neck.left(), y), QPointF(neck.right(), y));
    }
}

void drawHead(Canvas& c, const QRectF& head, int left, int right)
{
    c.p.setPen(QPen(shade(QColor(25, 12, 4), c.k), qMax(0.8, head.width() / 20)));
    c.p.setBrush(shade(QColor(45, 24, 12), c.k));
    c.p.drawRoundedRect(head, head.width() * 0.25, head.width() * 0.25);
    const int most = qMax(left, right);
    const qreal radius = qMin(head.width() * 0.16, head.height() / (most + 1) * 0.42);
    for (int side : {-1, 1}) {
        const int count = side < 0 ? left : right;
        const qreal x = side < 0 ? head.left() - radius * 0.4 : head.right() + radius * 0.4;
        for (int i = 0; i < count; ++i)
            drawPeg(c, QPointF(x, head.top() + head.height() * (i + 1) / (count + 1)), radius,
                radius * 0.7, false);
    }
}

void drawPeg(
    Canvas& c, const QPointF& centre, qreal rx, qreal ry, bool onNeck, const QColor& colour)
{
    c.p.setPen(QPen(shade(colour.darker(180), c.k), qMax(0.4, ry / 5)));
    c.p.setBrush(shade(colour, c.k));
    c.p.drawEllipse(centre, rx, ry);
    ++(onNeck ? c.drawn.neckPegs : c.drawn.headPegs);
}

void drawMachine(Canvas& c, const QPointF& edge, qreal size, int side)
{
    QLinearGradient chrome(edge - QPointF(0, size * 0.3), edge + QPointF(0, size * 0.3));
    chrome.setColorAt(0, shade(QColor(235, 235, 240), c.k));
    chrome.setColorAt(0.5, shade(QColor(130, 130, 138), c.k));
    chrome.setColorAt(1, shade(QColor(200, 200, 206), c.k));
    c.p.setPen(QPen(shade(QColor(50, 50, 55), c.k), qMax(0.4, size / 14)));
    c.p.setBrush(chrome);
    const qreal housing = size * 0.45;
    c.p.drawRect(QRectF(
        side < 0 ? edge.x() - housing : edge.x(), edge.y() - size * 0.22, housing, size * 0.44));
    c.p.drawEllipse(QPointF(edge.x() + side * size * 0.95, edge.y()), size * 0.42, size * 0.3);
    ++c.drawn.headPegs;
}

void drawStrings(Canvas& c, const StringRow& row)
{
    const qreal step = row.notes > 1 ? (row.x1 - row.x0) / (row.notes - 1) : 0;
    const qreal pairGap = qMax(step * 0.3, 1.5 / c.b.r.width());
    // The strings of a pair thin enough to be told apart.
    const qreal width = row.perNote > 1 ? pairGap * c.b.r.width() * 0.4 : c.b.r.width() / 110;
    c.p.setPen(QPen(shade(QColor(235, 235, 225), c.k), qMax(0.5, width)));
    for (int note = 0; note < row.notes; ++note) {
        const qreal x = row.notes > 1 ? row.x0 + step * note : (row.x0 + row.x1) / 2;
        const qreal top = note < row.shortStrings ? row.shortTop : row.top;
        for (int i = 0; i < row.perNote; ++i) {
            const qreal offset = (i - (row.perNote - 1) / 2.0) * pairGap;
            c.p.drawLine(c.b.at(x + offset, top), c.b.at(x + offset, row.bottom));
            ++c.drawn.strings;
        }
    }
}

void drawHole(Canvas& c, const QRectF& hole)
{
    c.p.setPen(QPen(shade(QColor(230, 200, 140), c.k), qMax(1.0, hole.width() / 8)));
    c.p.setBrush(QColor(12, 8, 4));
    c.p.drawEllipse(hole);
}

void drawBridge(Canvas& c, const QRectF& bridge)
{
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(shade(QColor(30, 18, 10), c.k));
    c.p.drawRoundedRect(bridge, bridge.height() / 3, bridge.height() / 3);
}

} // namespace InstrumentStrokes
