#pragma once

#include "ChordBookPage.h"

namespace VADirur {

// The bass guitar, mostly between the fifth and the twelfth fret.
// Strings E1 A1 D2 G2, frets 0 to 13 sounding.
class BassChordsMainPage2 : public ChordBookPage
{
    Q_OBJECT

public:
    explicit BassChordsMainPage2(QWidget* parent);

    static const ChordTable table;
};

} // namespace VADirur
