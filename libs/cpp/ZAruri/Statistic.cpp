#include "Statistic.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace ZAruri {

namespace {

constexpr float NotANumber = std::numeric_limits<float>::quiet_NaN();

// ceil(x) - 1 for the hinge positions.
int ceilMinusOne(double x)
{
    return int(std::ceil(x)) - 1;
}

void setHinges(Statistic::BoxWhiskerValues& box, const QVector<float>& s)
{
    const int n = s.size();
    const int m = ceilMinusOne(n * 0.5);
    const int k = ceilMinusOne(m * 0.5 + 0.1);
    if (2 * k == m) {
        box.lowerHinge = (s[k + 1] + s[k]) * 0.5f;
        box.upperHinge = (s[n - k - 1] + s[n - k]) * 0.5f;
    } else {
        box.lowerHinge = s[k + 1];
        box.upperHinge = s[n - k - 1];
    }
}

// Whiskers at the outermost values within one spread beyond the hinges.
void setWhiskers(Statistic::BoxWhiskerValues& box, const QVector<float>& s)
{
    const float upperFence = (box.upperHinge + box.upperHinge) - box.lowerHinge;
    const float lowerFence = (box.lowerHinge + box.lowerHinge) - box.upperHinge;
    const auto low = std::find_if(s.cbegin(), s.cend(), [&](float v) { return v >= lowerFence; });
    const auto high
        = std::find_if(s.crbegin(), s.crend(), [&](float v) { return v <= upperFence; });
    box.lowerWhisker = low != s.cend() ? *low : NotANumber;
    box.upperWhisker = high != s.crend() ? *high : NotANumber;
}

// The first value, replaced by each later one that is further out; so a NaN
// counts only in the first place.
template <typename Further> float extreme(const QVector<float>& values, Further further)
{
    if (values.isEmpty())
        return 0;
    float current = values.first();
    for (const float v : values) {
        if (further(v, current))
            current = v;
    }
    return current;
}

} // namespace

QVector<float> Statistic::sorted(const QVector<float>& values)
{
    QVector<float> copy = values;
    std::sort(copy.begin(), copy.end());
    return copy;
}

float Statistic::sum(const QVector<float>& values)
{
    float total = 0;
    for (const float v : values)
        total = total + v;
    return total;
}

float Statistic::qSum(const QVector<float>& values)
{
    float total = 0;
    for (const float v : values)
        total = total + v * v;
    return total;
}

float Statistic::min(const QVector<float>& values)
{
    return extreme(values, std::less<float>());
}

float Statistic::max(const QVector<float>& values)
{
    return extreme(values, std::greater<float>());
}

float Statistic::ma(const QVector<float>& values)
{
    return sum(values) / float(values.size());
}

float Statistic::median(const QVector<float>& values)
{
    const int n = values.size();
    if (n == 0)
        return 0;
    if (n == 1)
        return values.first();
    const QVector<float> s = sorted(values);
    if (n % 2 == 1)
        return s[int(std::ceil(n * 0.5)) - 1];
    return (s[n / 2] + s[n / 2 - 1]) * 0.5f;
}

float Statistic::variance(const QVector<float>& values)
{
    const float n = float(values.size());
    const float s = sum(values);
    return (qSum(values) - s * s / n) / (n - 1);
}

float Statistic::stdDev(const QVector<float>& values)
{
    return std::sqrt(variance(values));
}

float Statistic::stdErr(const QVector<float>& values)
{
    return float(double(stdDev(values)) / std::sqrt(double(values.size())));
}

QVector<float> Statistic::rang(const QVector<float>& values)
{
    const QVector<float> s = sorted(values);
    QVector<float> ranks(s.size());
    for (int i = 0; i < s.size();) {
        int j = i;
        while (j + 1 < s.size() && s[j + 1] == s[i])
            ++j;
        // Positions i..j, counted from 1, summed as whole numbers.
        const qint64 positions = qint64(j - i + 1) * (i + 1 + j + 1) / 2;
        const float rank = float(positions) / float(j - i + 1);
        std::fill(ranks.begin() + i, ranks.begin() + j + 1, rank);
        i = j + 1;
    }
    return ranks;
}

Statistic::BoxWhiskerValues Statistic::boxWhiskerPlot(const QVector<float>& values)
{
    BoxWhiskerValues box;
    const QVector<float> s = sorted(values);
    box.mean = sum(s) / float(s.size());
    box.median = median(values);
    if (s.size() < 3) {
        box.lowerHinge = box.lowerWhisker = s.isEmpty() ? NotANumber : s.first();
        box.upperHinge = box.upperWhisker = s.isEmpty() ? NotANumber : s.last();
        return box;
    }
    setHinges(box, s);
    setWhiskers(box, s);
    for (const float v : s) {
        if (v < box.lowerWhisker || v > box.upperWhisker)
            box.outliers << v;
    }
    return box;
}

void Statistic::test() { }

} // namespace ZAruri
