#pragma once

#include "ChordBookPage.h"

namespace VADirur {

// The ukulele.
// Strings G4 C4 E4 A4 (re-entrant tuning), frets 0 to 8 sounding.
class UkuleleChordsMainPage : public ChordBookPage
{
    Q_OBJECT

public:
    explicit UkuleleChordsMainPage(QWidget* parent);

    static const ChordTable table;
};

} // namespace VADirur
