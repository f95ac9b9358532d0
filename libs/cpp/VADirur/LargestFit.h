#pragma once

#include <QtGlobal>

namespace VADirur {

// The largest of 1 to high at which fits(n) holds, or 1 where none does,
// found by halving. fits is called last with the answer, so that what it
// sets up is the answer's.
template <typename Fits> int largestFit(int high, Fits fits)
{
    int low = 1;
    high = qMax(1, high);
    if (fits(high))
        return high;
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        (fits(middle) ? low : high) = middle;
    }
    fits(low);
    return low;
}

} // namespace VADirur
