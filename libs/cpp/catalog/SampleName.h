#pragma once

#include <QString>

namespace DIReridArazi {

// Names and pitches of the instrument samples in the bundle's Resources
// folder. The pages build the names they play with these, and the sample
// generator makes the files under the same names.
class SampleName
{
public:
    SampleName() = delete;

    // "C", "Cd", "D", ... "B" followed by the octave (MIDI 60 is "C4",
    // 61 "Cd4"); sharps only, "d" after the letter.
    static QString noteName(int midi);
    // instrument + "_" + pitch + "_" + note name + ".mp3": "guitar_440_Cd4.mp3".
    static QString fileName(const QString& instrument, int pitch, int midi);
    // The file name with "%1" in place of the pitch: "guitar_%1_Cd4.mp3".
    static QString pattern(const QString& instrument, int midi);
    // The frequency in Hz of a note: pitch * 2^((midi - 69) / 12).
    static double frequency(int pitch, int midi);
};

} // namespace DIReridArazi
