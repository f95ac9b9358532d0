#pragma once

#include "ChordSpelling.h"

#include <QImage>

// The staff picture of a piano chord: a grand staff with the chord's notes
// as whole notes, middle C and above on the treble staff.
class PianoStaffPainter
{
public:
    static QImage paint(const QVector<VADirur::ChordSpelling::Note>& notes);
};
