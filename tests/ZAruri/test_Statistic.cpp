#include "Statistic.h"

#include <QtTest>

#include <cmath>

using ZAruri::Statistic;
using Floats = QVector<float>;

namespace {

const float NaN = std::nanf("");

// Median, variance, mean, min, max, and 1 when the sample was left as it was.
Floats summary(const Floats& values)
{
    const Floats before = values;
    return {Statistic::median(values), Statistic::variance(values), Statistic::ma(values),
        Statistic::min(values), Statistic::max(values), float(values == before)};
}

// Mean, median, hinges, whiskers, then the outliers.
Floats box(const Floats& values)
{
    const Statistic::BoxWhiskerValues box = Statistic::boxWhiskerPlot(values);
    return Floats {box.mean, box.median, box.lowerHinge, box.upperHinge, box.lowerWhisker,
               box.upperWhisker}
    + box.outliers;
}

} // namespace

// Descriptive statistics of small samples.
class TestStatistic : public QObject
{
    Q_OBJECT

private slots:
    void results_data()
    {
        QTest::addColumn<Floats>("actual");
        QTest::addColumn<Floats>("expected");
        QTest::newRow("odd count") << summary({3, 1, 2}) << Floats {2, 1, 2, 1, 3, 1};
        QTest::newRow("even count")
            << summary({4, 1, 3, 2}) << Floats {2.5f, 5.0f / 3, 2.5f, 1, 4, 1};
        QTest::newRow("eight values")
            << summary({2, 4, 4, 4, 5, 5, 7, 9}) << Floats {4.5f, 32.0f / 7, 5, 2, 9, 1};
        QTest::newRow("one value") << summary({6}) << Floats {6, NaN, 6, 6, 6, 1};
        QTest::newRow("empty") << summary({}) << Floats {0, NaN, NaN, 0, 0, 1};
        const Floats eight = {2, 4, 4, 4, 5, 5, 7, 9};
        QTest::newRow("deviation and error of eight values")
            << Floats {Statistic::stdDev(eight), Statistic::stdErr(eight)}
            << Floats {std::sqrt(32.0f / 7), float(double(std::sqrt(32.0f / 7)) / std::sqrt(8.0))};
        QTest::newRow("ranks: one tie")
            << Statistic::rang({3, 1, 2, 2}) << Floats {1, 2.5f, 2.5f, 4};
        QTest::newRow("ranks: two separate ties")
            << Statistic::rang({1, 1, 2, 2}) << Floats {1.5f, 1.5f, 3.5f, 3.5f};
        QTest::newRow("ranks: all equal") << Statistic::rang({5, 5, 5}) << Floats {2, 2, 2};
        QTest::newRow("ranks: empty") << Statistic::rang({}) << Floats();
        QTest::newRow("box: one outlier")
            << box({1, 2, 3, 4, 5, 6, 7, 100}) << Floats {16, 4.5f, 3, 7, 1, 7, 100};
        QTest::newRow("box: averaged hinges")
            << box({5, 4, 3, 2, 1}) << Floats {3, 3, 2.5f, 4.5f, 1, 5};
        QTest::newRow("box: outliers on both sides")
            << box({-50, 10, 11, 12, 13, 14, 60}) << Floats {10, 12, 11, 14, 10, 14, -50, 60};
        QTest::newRow("box: two values") << box({4, 2}) << Floats {3, 3, 2, 4, 2, 4};
        QTest::newRow("box: none") << box({}) << Floats {NaN, 0, NaN, NaN, NaN, NaN};
    }
    // NaN equals NaN here, so that "no result" rows compare.
    void results()
    {
        QFETCH(Floats, actual);
        QFETCH(Floats, expected);
        QCOMPARE(actual.size(), expected.size());
        for (int i = 0; i < actual.size(); ++i)
            QVERIFY2(actual[i] == expected[i] || (std::isnan(actual[i]) && std::isnan(expected[i])),
                qPrintable(QString("%1: %2 instead of %3").arg(i).arg(actual[i]).arg(expected[i])));
    }
};

QTEST_GUILESS_MAIN(TestStatistic)
#include "test_Statistic.moc"
