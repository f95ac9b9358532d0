#pragma once

#include "ChordBookPage.h"

namespace VADirur {

// The mandolin, tuned in fifths.
// Strings G3 D4 A4 E5, frets 0 to 8 sounding.
class MandolinChordsMainPage : public ChordBookPage
{
    Q_OBJECT

public:
    explicit MandolinChordsMainPage(QWidget* parent);

    static const ChordTable table;
};

} // namespace VADirur
