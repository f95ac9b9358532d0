#pragma once

#include <QString>
#include <QVector>

namespace VADirur {

// The written notes of a piano chord of the book: its pressed keys spelt
// from the chord's root and type, as a musician writes them. The keyboard
// view names its keys so, and the staff pictures are drawn so.
class ChordSpelling
{
public:
    struct Note
    {
        int key; // MIDI number
        int step; // diatonic position: octave * 7 + letter (C = 0 ... B = 6)
        int accidental; // -2 ... 2
    };

    // The MIDI number of the fingering's first key, C3.
    static constexpr int lowestKey = 48;

    // The spelling of chord `index` (root * 11 + type) on the keys pressed in
    // `fingering` (24 values from C3, 0 pressed).
    static QVector<Note> spell(int index, const QVector<int>& fingering);
    // As spell(), from the root the chord's name begins with: a letter, then
    // "♭" or "#" (" #" as the selector writes it), so that "G #" is spelt
    // from G♯ and "A♭" from A♭. A name that begins otherwise, or with
    // another pitch than the book's root, is spelt from the book's root.
    static QVector<Note> spellNamed(const QString& name, int index, const QVector<int>& fingering);
    // The number of accidentals written, double ones counting twice.
    static int cost(const QVector<Note>& notes);
    // "C", "F♯", "B♭"...
    static QString name(const Note& note);
};

} // namespace VADirur
