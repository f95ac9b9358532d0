#pragma once

#include "ChordChart.h"

// The chord books of the pages, by the chord view's instrument names; the
// picture generator paints the photographs of the same books.
namespace VADirur::ChordCharts {

extern const ChordChart guitar;
extern const ChordChart mandolin;
extern const ChordChart bass;
extern const ChordChart banjo;
extern const ChordChart bass2;
extern const ChordChart balalaika;
extern const ChordChart ukulele;
extern const ChordChart piano;

} // namespace VADirur::ChordCharts
