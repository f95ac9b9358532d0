#pragma once

#include <QString>

namespace VADirur {

// Where the 88 keys lie on the keyboard picture, in its 800 x 194 frame:
// the keyboard's hit test and the painter of its pictures both read it.
// Ranges are half-open, from <= x < to. Names carry the sharp after the
// octave digit ("C4#").
class PianoKeyTable
{
public:
    PianoKeyTable() = delete;

    struct Range
    {
        int from;
        int to;
    };

    static constexpr int frameWidth = 800;
    static constexpr int frameHeight = 194;
    // The upper band holds the black keys and the white keys' upper parts,
    // the lower band the white keys' full width.
    static constexpr int upperTop = 69;
    static constexpr int lowerTop = 112;
    static constexpr int lowerBottom = 135;
    static constexpr int whiteCount = 52;
    static constexpr int blackCount = 36;

    // The key under a point of the frame; empty in a gap or outside the bands.
    static QString noteAt(float x, float y);
    // The key number (A0 1, C4 40, C8 88) of a letter, an octave digit and
    // an accidental; 1 at least, no upper bound.
    static int keyNumber(const QString& name, int accidental);

    // White key i from A0 spans boundary i to boundary i + 1 in the lower band.
    static int whiteBoundary(int i);
    static Range whiteUpper(int i);
    static QString whiteName(int i);
    static Range black(int i);
    static QString blackName(int i);
};

} // namespace VADirur
