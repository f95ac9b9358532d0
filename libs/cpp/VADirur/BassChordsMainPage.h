#pragma once

#include "ChordBookPage.h"

namespace VADirur {

// The bass guitar in the first positions. It shares the samples of the
// higher-position bass page; no photographs exist for it.
// Strings E1 A1 D2 G2, frets 0 to 8 sounding.
class BassChordsMainPage : public ChordBookPage
{
    Q_OBJECT

public:
    explicit BassChordsMainPage(QWidget* parent);

    static const ChordTable table;
};

} // namespace VADirur
