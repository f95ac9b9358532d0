#include "PianoKeyTable.h"

namespace VADirur {

namespace {

// clang-format off
const int whiteBoundaries[PianoKeyTable::whiteCount + 1] = {
    20, 37, 51, 65, 79, 94, 109, 123, 138, 153, 167, 182, 197, 212, 226, 241, 256, 271,
    285, 299, 315, 330, 344, 358, 373, 388, 403, 418, 432, 447, 462, 477, 491, 505, 520,
    535, 550, 564, 579, 594, 609, 623, 638, 653, 667, 682, 697, 711, 726, 741, 756, 776, 790};

// A0#, then C#, D#, F#, G#, A# of octaves 1 to 7.
const PianoKeyTable::Range blackRanges[PianoKeyTable::blackCount] = {
    {32, 42},
    {60, 71}, {75, 85}, {105, 115}, {119, 129}, {134, 144},
    {162, 172}, {178, 188}, {207, 217}, {222, 232}, {237, 247},
    {266, 276}, {280, 290}, {311, 321}, {326, 336}, {340, 350},
    {369, 379}, {382, 392}, {414, 424}, {428, 438}, {443, 453},
    {472, 482}, {487, 497}, {516, 526}, {530, 540}, {545, 555},
    {574, 584}, {589, 599}, {619, 629}, {634, 644}, {648, 658},
    {678, 688}, {693, 703}, {722, 732}, {737, 747}, {752, 762}};

// A0, B0, then C to B of octaves 1 to 7, then C8.
const PianoKeyTable::Range whiteUpperRanges[PianoKeyTable::whiteCount] = {
    {22, 32}, {43, 50},
    {51, 61}, {71, 74}, {86, 93}, {94, 104}, {115, 119}, {130, 133}, {144, 152},
    {153, 162}, {173, 177}, {188, 196}, {197, 206}, {217, 221}, {232, 236}, {247, 255},
    {256, 266}, {276, 280}, {290, 298}, {299, 310}, {320, 325}, {335, 339}, {350, 357},
    {358, 368}, {379, 383}, {393, 402}, {403, 413}, {422, 428}, {438, 442}, {452, 461},
    {460, 472}, {483, 487}, {497, 504}, {505, 515}, {525, 530}, {540, 544}, {555, 563},
    {563, 573}, {585, 589}, {599, 608}, {609, 618}, {627, 634}, {644, 647}, {658, 666},
    {667, 678}, {684, 692}, {704, 710}, {711, 721}, {730, 736}, {747, 757}, {760, 770},
    {770, 784}};
// clang-format on

bool holds(const PianoKeyTable::Range& range, float x)
{
    return range.from <= x && x < range.to;
}

} // namespace

QString PianoKeyTable::noteAt(float x, float y)
{
    if (y >= lowerTop && y < lowerBottom) {
        for (int i = 0; i < whiteCount; ++i) {
            if (holds({whiteBoundaries[i], whiteBoundaries[i + 1]}, x))
                return whiteName(i);
        }
    } else if (y >= upperTop && y < lowerTop) {
        for (int i = 0; i < blackCount; ++i) {
            if (holds(blackRanges[i], x))
                return blackName(i);
        }
        for (int i = 0; i < whiteCount; ++i) {
            if (holds(whiteUpperRanges[i], x))
                return whiteName(i);
        }
    }
    return QString();
}

int PianoKeyTable::keyNumber(const QString& name, int accidental)
{
    static const QString letters = QStringLiteral("CDEFGAB");
    static const int offsets[] = {4, 6, 8, 9, 11, 13, 15};
    const int letter = name.isEmpty() ? -1 : letters.indexOf(name.at(0));
    const int octave = name.size() > 1 && name.at(1).isDigit() ? name.at(1).digitValue() : 0;
    const int key = letter < 0 ? 12 * octave - 12 : 12 * octave + offsets[letter] + accidental - 12;
    return qMax(key, 1);
}

int PianoKeyTable::whiteBoundary(int i)
{
    return whiteBoundaries[i];
}

PianoKeyTable::Range PianoKeyTable::whiteUpper(int i)
{
    return whiteUpperRanges[i];
}

QString PianoKeyTable::whiteName(int i)
{
    return QLatin1Char("CDEFGAB"[(i + 5) % 7]) + QString::number((i + 5) / 7);
}

PianoKeyTable::Range PianoKeyTable::black(int i)
{
    return blackRanges[i];
}

QString PianoKeyTable::blackName(int i)
{
    if (i == 0)
        return QStringLiteral("A0#");
    return QLatin1Char("CDFGA"[(i - 1) % 5]) + QString::number((i - 1) / 5 + 1) + QLatin1Char('#');
}

} // namespace VADirur
