#include "ChordChart.h"

#include <algorithm>

namespace VADirur {

QVector<int> ChordChart::fingering(int chord) const
{
    const int* row = frets + chord * strings;
    QVector<int> values(row, row + strings);
    if (reversed)
        std::reverse(values.begin(), values.end());
    return values;
}

} // namespace VADirur
