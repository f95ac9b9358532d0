#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

// Drawings of the instruments, neck up, for the selector, the chord view's
// instrument label and the tuner.
namespace InstrumentArt {

// The instrument names of the pictures: "piano", "guitar", "bass",
// "ukulele", "banjo", "mandolin", "balalaika", and the tuner's "violin",
// "viola", "cello", "doublebass" and "dombra".
void draw(QPainter& painter, const QRectF& rect, const QString& instrument, qreal brightness);

} // namespace InstrumentArt
