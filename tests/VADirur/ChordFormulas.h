#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

// The notes of every chord of the book, from the music: root index (A, A♭,
// B, B♭, C, D, D♭, E, E♭, F, G, G♭) and type index (major, m, aug, dim
// as the diminished seventh, 6, m6, 7, maj7, m7, 9, sus4).
namespace ChordFormulas {

inline int rootPitch(int chord)
{
    static const int pitches[12] = {9, 8, 11, 10, 0, 2, 1, 4, 3, 5, 7, 6};
    return pitches[chord / 11];
}

inline QSet<int> pitchClasses(int chord)
{
    static const QVector<QVector<int>> intervals
        = {{0, 4, 7}, {0, 3, 7}, {0, 4, 8}, {0, 3, 6, 9}, {0, 4, 7, 9}, {0, 3, 7, 9}, {0, 4, 7, 10},
            {0, 4, 7, 11}, {0, 3, 7, 10}, {0, 4, 7, 10, 14}, {0, 5, 7}};
    QSet<int> classes;
    for (int interval : intervals.at(chord % 11))
        classes.insert((rootPitch(chord) + interval) % 12);
    return classes;
}

inline QString chordName(int chord)
{
    static const char* const roots[12]
        = {"A", "Ab", "B", "Bb", "C", "D", "Db", "E", "Eb", "F", "G", "Gb"};
    static const char* const types[11]
        = {"", "m", "aug", "dim", "6", "m6", "7", "maj7", "m7", "9", "sus4"};
    return QString::fromLatin1(roots[chord / 11]) + QString::fromLatin1(types[chord % 11]);
}

// The MIDI note of a sample path ".../ukulele_440_Cd4.mp3"; -1 if none.
inline int noteOfSample(const QString& path)
{
    static const QStringList names
        = {QStringLiteral("C"), QStringLiteral("Cd"), QStringLiteral("D"), QStringLiteral("Dd"),
            QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("Fd"), QStringLiteral("G"),
            QStringLiteral("Gd"), QStringLiteral("A"), QStringLiteral("Ad"), QStringLiteral("B")};
    const QString note = path.section(QLatin1Char('_'), -1).section(QLatin1Char('.'), 0, 0);
    const int pitch = names.indexOf(note.left(note.size() - 1));
    if (pitch < 0)
        return -1;
    return (note.right(1).toInt() + 1) * 12 + pitch;
}

} // namespace ChordFormulas
