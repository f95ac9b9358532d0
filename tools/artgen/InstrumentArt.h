#pragma once

#include "TunerInstruments.h"

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

// Drawings of the instruments, neck up, for the selector, the chord view's
// instrument label and the tuner. Each stringed instrument is strung as
// the tuner's table says: its strings, pairs and pegs.
namespace InstrumentArt {

// What a drawing painted.
struct Drawn
{
    int strings = 0;
    int headPegs = 0;
    int neckPegs = 0;
};

// The instrument names of the pictures: "piano", "guitar", "bass",
// "ukulele", "banjo", "mandolin", "balalaika", and the tuner's "violin",
// "viola", "cello", "doublebass" and "dombra".
Drawn draw(QPainter& painter, const QRectF& rect, const QString& instrument, qreal brightness);

// The drawing of a tuner instrument: the bass guitar is the "bass".
QString drawingName(VADirur::TunerInstruments::Instrument instrument);

} // namespace InstrumentArt
