#include "ClefPainter.h"

#include <QPainter>
#include <QVector>

namespace {

// A point of a stroke in staff spaces, y up, with the stroke's width there.
struct Nib
{
    double x;
    double y;
    double width;
};

Nib catmullRom(const Nib& a, const Nib& b, const Nib& c, const Nib& d, double t)
{
    const double t2 = t * t;
    const double t3 = t2 * t;
    auto blend = [&](double p0, double p1, double p2, double p3) {
        return 0.5
            * (2 * p1 + (p2 - p0) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2
                + (3 * p1 - p0 - 3 * p2 + p3) * t3);
    };
    return {
        blend(a.x, b.x, c.x, d.x), blend(a.y, b.y, c.y, d.y), b.width + (c.width - b.width) * t};
}

// A smooth stroke through the nibs, its width following them.
void stroke(QPainter* painter, const QVector<Nib>& nibs, const QPointF& origin, double space,
    const QColor& ink)
{
    auto at = [&](int i) { return nibs.at(qBound(0, i, nibs.size() - 1)); };
    auto toImage = [&](const Nib& nib) {
        return QPointF(origin.x() + nib.x * space, origin.y() - nib.y * space);
    };
    Nib last = nibs.first();
    for (int i = 0; i + 1 < nibs.size(); ++i) {
        for (int step = 1; step <= 12; ++step) {
            const Nib next = catmullRom(at(i - 1), at(i), at(i + 1), at(i + 2), step / 12.0);
            painter->setPen(
                QPen(ink, next.width * space, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter->drawLine(toImage(last), toImage(next));
            last = next;
        }
    }
}

void dot(QPainter* painter, const QPointF& origin, double space, const QColor& ink, const Nib& nib)
{
    painter->setPen(Qt::NoPen);
    painter->setBrush(ink);
    painter->drawEllipse(QPointF(origin.x() + nib.x * space, origin.y() - nib.y * space),
        nib.width * space, nib.width * space);
}

} // namespace

void ClefPainter::paintTreble(
    QPainter* painter, const QPointF& gLine, double space, const QColor& ink)
{
    // Curl round the G line, up the spine to the loop, down through the tail.
    const QVector<Nib> nibs = {{0.32, 0.08, 0.1}, {0.02, 0.45, 0.13}, {-0.55, 0.22, 0.2},
        {-0.78, -0.4, 0.3}, {-0.32, -1.02, 0.24}, {0.45, -1.05, 0.18}, {0.98, -0.45, 0.3},
        {0.88, 0.42, 0.36}, {0.3, 1.18, 0.3}, {-0.35, 1.92, 0.26}, {-0.55, 2.82, 0.2},
        {-0.25, 3.82, 0.14}, {0.25, 4.45, 0.1}, {0.47, 3.92, 0.12}, {0.27, 3.1, 0.16},
        {0.02, 2.0, 0.2}, {0.05, 0.8, 0.2}, {0.15, -0.6, 0.18}, {0.25, -1.9, 0.15},
        {0.05, -2.5, 0.12}, {-0.42, -2.45, 0.1}};
    stroke(painter, nibs, gLine, space, ink);
    dot(painter, gLine, space, ink, {-0.4, -2.15, 0.36});
}

void ClefPainter::paintBass(
    QPainter* painter, const QPointF& bottomLine, double space, const QColor& ink)
{
    const QVector<Nib> nibs = {{0.05, 3.05, 0.2}, {0.28, 3.75, 0.18}, {0.88, 3.94, 0.18},
        {1.42, 3.32, 0.32}, {1.32, 2.3, 0.36}, {0.82, 1.4, 0.26}, {-0.05, 0.55, 0.08}};
    stroke(painter, nibs, bottomLine, space, ink);
    dot(painter, bottomLine, space, ink, {0.2, 3.0, 0.38});
    dot(painter, bottomLine, space, ink, {1.98, 3.5, 0.17});
    dot(painter, bottomLine, space, ink, {1.98, 2.5, 0.17});
}
