#pragma once

#include <QColor>
#include <QRectF>
#include <QString>
#include <QVector>

class QPainter;

// Drawing pieces shared by the introduction slides.
namespace SlideDrawing {

QColor accent();
QColor panel();
QColor ink();

// A program window: rounded panel with a title bar and its three dots.
QRectF window(QPainter& p, const QRectF& rect);
// A chord box: strings across, frets down, dots on frets (0 open, -1 muted).
void chordDiagram(QPainter& p, const QRectF& rect, const QVector<int>& frets);
// A keyboard from C with the given semitones (from the first C) lit.
void keyboard(QPainter& p, const QRectF& rect, int octaves, const QVector<int>& lit);
// A treble staff with note heads stacked at the given steps (0 = bottom line).
void staff(QPainter& p, const QRectF& rect, const QVector<int>& steps);
// A rounded card with a chord name.
void chordCard(QPainter& p, const QRectF& rect, const QString& name, bool active);
// The mouse pointer with its tip at the point.
void pointer(QPainter& p, const QPointF& tip, qreal size = 26);
// A glowing ring round a rectangle, to draw the eye.
void highlight(QPainter& p, const QRectF& rect, qreal radius);
// An arrow from a to b, straight or bent through a control point.
void arrow(QPainter& p, const QPointF& from, const QPointF& to, const QPointF& control,
    bool dashed = false);
// Text centred in the rectangle at a pixel size.
void label(QPainter& p, const QRectF& rect, const QString& text, int pixelSize,
    const QColor& colour, bool bold = false);
// Instrument tiles: "piano", "guitar", "ukulele", "violin".
void instrumentTile(QPainter& p, const QRectF& rect, const QString& instrument, bool chosen);

} // namespace SlideDrawing
