#pragma once

#include <QString>
#include <QVector>

namespace VADirur {

// The names the chord pages ask for and the build tools make: photograph
// names and the piano pictures.
class ChordFiles
{
public:
    // The fingering value by value: "2100", "X2222", "X10910".
    static QString fretCode(const QVector<int>& tab);
    // Twelve characters from C up, "0" where a key of that pitch class is
    // pressed (value 0) in either octave, else "X". Missing keys count as
    // not pressed.
    static QString pitchClassCode(const QVector<int>& tab);
    // "ukulele_2100.jpg"; for the piano "piano_" + pitch-class code + ".jpg".
    static QString photoName(const QString& instrument, const QVector<int>& tab);
    // The piano's staff picture ("a_") of a code. Its keyboard is painted
    // by the view.
    static QString staffPictureName(const QString& code);

    // The resource prefix of the chord library and the pictures' folder
    // below it: ":/" + prefix + folder + name.
    static QString resourcePrefix();
    static QString pictureFolder();
};

} // namespace VADirur
