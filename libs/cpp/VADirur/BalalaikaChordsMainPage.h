#pragma once

#include "ChordBookPage.h"

namespace VADirur {

// The prima balalaika; its two lower strings share one note.
// Strings E4 E4 A4, frets 0 to 9 sounding.
class BalalaikaChordsMainPage : public ChordBookPage
{
    Q_OBJECT

public:
    explicit BalalaikaChordsMainPage(QWidget* parent);

    static const ChordTable table;
};

} // namespace VADirur
