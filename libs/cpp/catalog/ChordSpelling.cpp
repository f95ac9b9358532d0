#include "ChordSpelling.h"

#include <QtGlobal>

namespace VADirur {

namespace {

const int naturalPitch[7] = {0, 2, 4, 5, 7, 9, 11};
const char letters[] = "CDEFGAB";

// Roots in the book's order A, A♭, B, B♭, C, D, D♭, E, E♭, F, G, G♭ as
// letter (C = 0) and accidental.
const int rootLetter[12] = {5, 5, 6, 6, 0, 1, 1, 2, 2, 3, 4, 4};
const int rootAccidental[12] = {0, -1, 0, -1, 0, 0, -1, 0, -1, 0, 0, -1};

struct Degree
{
    int semitones;
    int letters;
};

// The chord tones of each type; "dim" is the diminished seventh.
const QVector<QVector<Degree>> types = {
    {{0, 0}, {4, 2}, {7, 4}}, // major
    {{0, 0}, {3, 2}, {7, 4}}, // m
    {{0, 0}, {4, 2}, {8, 4}}, // aug
    {{0, 0}, {3, 2}, {6, 4}, {9, 6}}, // dim
    {{0, 0}, {4, 2}, {7, 4}, {9, 5}}, // 6
    {{0, 0}, {3, 2}, {7, 4}, {9, 5}}, // m6
    {{0, 0}, {4, 2}, {7, 4}, {10, 6}}, // 7
    {{0, 0}, {4, 2}, {7, 4}, {11, 6}}, // maj7
    {{0, 0}, {3, 2}, {7, 4}, {10, 6}}, // m7
    {{0, 0}, {4, 2}, {7, 4}, {10, 6}, {2, 1}}, // 9
    {{0, 0}, {5, 3}, {7, 4}}, // sus4
};

int wrap(int value, int modulus)
{
    return ((value % modulus) + modulus) % modulus;
}

// The keys pressed in the fingering, each spelt as a tone of the chord of
// that root and type.
QVector<ChordSpelling::Note> spellFrom(
    int letter0, int accidental0, int type, const QVector<int>& fingering)
{
    const int rootPitch = wrap(naturalPitch[letter0] + accidental0, 12);
    QVector<ChordSpelling::Note> notes;
    for (int key = 0; key < fingering.size(); ++key) {
        if (fingering.at(key) != 0)
            continue;
        const int midi = ChordSpelling::lowestKey + key;
        int letter = -1;
        for (const Degree& degree : types.at(type)) {
            if (wrap(rootPitch + degree.semitones, 12) == midi % 12)
                letter = (letter0 + degree.letters) % 7;
        }
        if (letter < 0) { // not a chord tone: spelt with a sharp
            letter = 6;
            while (naturalPitch[letter] > midi % 12)
                --letter;
        }
        const int accidental = wrap(midi % 12 - naturalPitch[letter] + 6, 12) - 6;
        const int octave = (midi - accidental - naturalPitch[letter]) / 12 - 1;
        notes << ChordSpelling::Note {midi, octave * 7 + letter, accidental};
    }
    return notes;
}

} // namespace

QVector<ChordSpelling::Note> ChordSpelling::spell(int index, const QVector<int>& fingering)
{
    const int root = wrap(index / 11, 12);
    return spellFrom(rootLetter[root], rootAccidental[root], wrap(index, 11), fingering);
}

QVector<ChordSpelling::Note> ChordSpelling::spellNamed(
    const QString& name, int index, const QVector<int>& fingering)
{
    const int letter = name.isEmpty() ? -1 : QString::fromLatin1(letters).indexOf(name.at(0));
    if (letter < 0)
        return spell(index, fingering);
    const QString sign = name.mid(1).trimmed().left(1);
    const int accidental = sign == QStringLiteral("\u266D")
        ? -1
        : (sign == QLatin1String("#") || sign == QStringLiteral("\u266F") ? 1 : 0);
    const int root = wrap(index / 11, 12);
    if (wrap(naturalPitch[letter] + accidental, 12)
        != wrap(naturalPitch[rootLetter[root]] + rootAccidental[root], 12))
        return spell(index, fingering);
    return spellFrom(letter, accidental, wrap(index, 11), fingering);
}

int ChordSpelling::cost(const QVector<Note>& notes)
{
    int total = 0;
    for (const Note& note : notes)
        total += qAbs(note.accidental);
    return total;
}

QString ChordSpelling::name(const Note& note)
{
    QString text(QLatin1Char(letters[note.step % 7]));
    const QChar sign(note.accidental > 0 ? 0x266F : 0x266D);
    for (int i = 0; i < qAbs(note.accidental); ++i)
        text += sign;
    return text;
}

} // namespace VADirur
