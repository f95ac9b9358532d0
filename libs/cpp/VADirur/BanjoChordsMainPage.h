#pragma once

#include "ChordBookPage.h"

namespace VADirur {

// The five-string banjo in open G; the short drone string comes first.
// Strings G4 D3 G3 B3 D4, frets 0 to 11 sounding.
class BanjoChordsMainPage : public ChordBookPage
{
    Q_OBJECT

public:
    explicit BanjoChordsMainPage(QWidget* parent);

    static const ChordTable table;
};

} // namespace VADirur
