#pragma once

#include <QVector>

namespace VADirur {

// An instrument's book of 132 chords as plain data. A row holds one value
// per string, in the order the chord view draws them: the fret, 0 for the
// open string, -1 for a string not played. The piano's keys count as
// strings that sound at fret 0 only.
struct ChordChart
{
    // The chord view's name of the instrument: its label and its pictures.
    const char* instrument;
    // The instrument part of the sample file names.
    const char* samples;
    int strings;
    // The MIDI note of each open string.
    const int* openNotes;
    // Frets above it have no sample.
    int highestFret;
    // 132 rows of `strings` values, by chord index.
    const int* frets;
    // The rows list the strings from the last to the first.
    bool reversed;
    int delay;

    // The values of a chord's strings, in string order.
    QVector<int> fingering(int chord) const;
};

} // namespace VADirur
