#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>

class QPainter;

// Shared pieces of the photograph-like chord pictures.
namespace PhotoTools {

// A small deterministic pseudo-random source.
class Random
{
public:
    explicit Random(quint32 seed);
    // A value in [0, 1).
    double next();
    double range(double low, double high);

private:
    quint32 m_state;
};

// A seed that depends only on the text.
quint32 seedOf(const QString& text);

// The dark studio backdrop with soft out-of-focus lights.
void paintBackdrop(QPainter* painter, const QRectF& rect, quint32 seed);
// A fingertip seen from above, pressing at centre, with its soft shadow.
void paintFingertip(QPainter* painter, const QPointF& centre, double width, double height);
// A finger's length reaching from the fingertip towards the point `from`.
void paintFinger(QPainter* painter, const QPointF& tip, const QPointF& from, double width);
// Darkened edges and a soft highlight from the upper left, as from a lamp.
void paintLighting(QPainter* painter, const QRectF& rect);

} // namespace PhotoTools
