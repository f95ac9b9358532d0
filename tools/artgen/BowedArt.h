#pragma once

#include "InstrumentStrokes.h"

// The violin family: the violin and the viola with their chin rests, the
// cello on its end pin, the double bass with sloping shoulders, machine
// heads and an end pin.
namespace BowedArt {

// Draws "violin", "viola", "cello" or "doublebass"; nothing for another
// name.
void draw(InstrumentStrokes::Canvas& c, const QString& instrument,
    const VADirur::TunerInstruments::Stringing& stringing);

} // namespace BowedArt
