#pragma once

#include <QString>
#include <QVector>

// The written notes of a piano chord of the book: its pressed keys spelt
// from the chord's root and type, as a musician writes them.
class ChordSpelling
{
public:
    struct Note
    {
        int key; // MIDI number
        int step; // diatonic position: octave * 7 + letter (C = 0 ... B = 6)
        int accidental; // -2 ... 2
    };

    // The spelling of chord `index` (root * 11 + type) on the keys pressed in
    // `fingering` (24 values from C3, 0 pressed).
    static QVector<Note> spell(int index, const QVector<int>& fingering);
    // The number of accidentals written, double ones counting twice.
    static int cost(const QVector<Note>& notes);
    // "C", "F♯", "B♭"...
    static QString name(const Note& note);
};
