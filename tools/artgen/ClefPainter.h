#pragma once

#include <QColor>
#include <QPointF>

class QPainter;

// Treble and bass clefs as calligraphic strokes, thick and thin like an
// engraved clef; no music font needed.
class ClefPainter
{
public:
    // x at the clef's spine, y on the G line; space between staff lines.
    static void paintTreble(
        QPainter* painter, const QPointF& gLine, double space, const QColor& ink);
    // x at the clef's left, y on the staff's bottom line (two spaces below F).
    static void paintBass(
        QPainter* painter, const QPointF& bottomLine, double space, const QColor& ink);
};
