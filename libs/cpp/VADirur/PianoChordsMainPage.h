#pragma once

#include "ChordBookPage.h"

namespace VADirur {

// The piano: the keys to press on the two octaves from C3.
// Its 24 keys from C3 up count as strings that sound at fret 0 only.
class PianoChordsMainPage : public ChordBookPage
{
    Q_OBJECT

public:
    explicit PianoChordsMainPage(QWidget* parent);

    static const ChordTable table;
};

} // namespace VADirur
