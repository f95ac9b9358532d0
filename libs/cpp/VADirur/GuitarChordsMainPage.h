#pragma once

#include "ChordBookPage.h"

namespace VADirur {

// The six-string guitar in standard tuning.
// Strings E2 A2 D3 G3 B3 E4, frets 0 to 8 sounding.
class GuitarChordsMainPage : public ChordBookPage
{
    Q_OBJECT

public:
    explicit GuitarChordsMainPage(QWidget* parent);

    static const ChordTable table;
};

} // namespace VADirur
