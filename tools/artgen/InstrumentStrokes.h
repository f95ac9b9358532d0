#pragma once

#include "InstrumentArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <initializer_list>
#include <vector>

// The strokes the instrument drawings share.
namespace InstrumentStrokes {

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

// A drawing under way: its painter, its box, its brightness and what it
// has painted so far.
struct Canvas
{
    QPainter& p;
    Box b;
    qreal k;
    InstrumentArt::Drawn drawn;
};

// A row of strings: notes spread evenly from x0 to x1, each on one string
// or on a close pair, from top to bottom; the first shortStrings of them
// start lower, at shortTop.
struct StringRow
{
    int notes;
    int perNote;
    qreal x0;
    qreal x1;
    qreal top;
    qreal bottom;
    int shortStrings = 0;
    qreal shortTop = 0;
};

QColor shade(const QColor& colour, qreal brightness);
QBrush woodBrush(const QRectF& body, const QColor& light, const QColor& dark, qreal brightness);
void fillBody(Canvas& c, const QPainterPath& body, const QColor& light, const QColor& dark);
// A neck or a fingerboard, lit along its middle.
QLinearGradient acrossBoard(const QRectF& board, const QColor& left, const QColor& middle,
    const QColor& right, qreal brightness);
QPainterPath unite(std::initializer_list<QRectF> ellipses);
// An outline mirrored about the vertical centre line, from the right half's
// cubic segments: top centre first, bottom centre last, in the body's box.
QPainterPath mirroredOutline(const Box& body, const std::vector<QPointF>& half);

// A fretted neck from top to bottom; fretAt() gives the place of a fret
// on it, as a fraction of its length below the nut.
void drawNeck(Canvas& c, qreal x0, qreal x1, qreal top, qreal bottom);
qreal fretAt(int fret);
// A head with `left` pegs down its left side and `right` down its right.
void drawHead(Canvas& c, const QRectF& head, int left, int right);
// A peg's button, ivory unless told otherwise.
void drawPeg(Canvas& c, const QPointF& centre, qreal rx, qreal ry, bool onNeck,
    const QColor& colour = QColor(225, 215, 195));
// A machine head at a point of the head's edge, its key to the left (side
// -1) or to the right (side 1).
void drawMachine(Canvas& c, const QPointF& edge, qreal size, int side);
void drawStrings(Canvas& c, const StringRow& row);
void drawHole(Canvas& c, const QRectF& hole);
void drawBridge(Canvas& c, const QRectF& bridge);

} // namespace InstrumentStrokes
