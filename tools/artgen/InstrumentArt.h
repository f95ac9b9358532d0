#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

// Drawings of the seven instruments, neck up, for the selector and the
// chord view's instrument label.
namespace InstrumentArt {

// The instrument names of the pictures: "piano", "guitar", "bass",
// "ukulele", "banjo", "mandolin", "balalaika".
void draw(QPainter& painter, const QRectF& rect, const QString& instrument, qreal brightness);

} // namespace InstrumentArt
