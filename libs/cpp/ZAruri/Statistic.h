#pragma once

#include <QVector>

namespace ZAruri {

// Descriptive statistics of a sample, in single precision. The sample is
// never changed; ordered results come from a sorted copy.
class Statistic
{
public:
    // The five numbers and the outliers of a box-and-whisker plot.
    struct BoxWhiskerValues
    {
        float mean = 0;
        float median = 0;
        float lowerHinge = 0;
        float upperHinge = 0;
        float lowerWhisker = 0;
        float upperWhisker = 0;
        QVector<float> outliers;
    };

    Statistic() = delete;

    static float sum(const QVector<float>& values);
    // The sum of squares.
    static float qSum(const QVector<float>& values);
    // 0 for an empty sample.
    static float min(const QVector<float>& values);
    static float max(const QVector<float>& values);
    // The arithmetic mean; NaN for an empty sample.
    static float ma(const QVector<float>& values);
    // 0 for an empty sample.
    static float median(const QVector<float>& values);
    // The sample variance (n - 1 in the denominator); NaN below two values.
    static float variance(const QVector<float>& values);
    static float stdDev(const QVector<float>& values);
    static float stdErr(const QVector<float>& values);
    // Fractional ranks in ascending order of the values: tied values share
    // the mean of their positions.
    static QVector<float> rang(const QVector<float>& values);
    // Hinges one position in from the bottom, fences one spread beyond them.
    // Below three values the hinges and whiskers are the extremes and there
    // are no outliers.
    static BoxWhiskerValues boxWhiskerPlot(const QVector<float>& values);
    static void test();

private:
    static QVector<float> sorted(const QVector<float>& values);
};

} // namespace ZAruri
