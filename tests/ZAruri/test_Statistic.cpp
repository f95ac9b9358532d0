#include "Statistic.h"

#include <QtTest>

#include <cmath>

using ZAruri::Statistic;
using Floats = QVector<float>;

// Descriptive statistics of small samples.
class TestStatistic : public QObject
{
    Q_OBJECT

private slots:
    void summaries_data()
    {
        QTest::addColumn<Floats>("values");
        QTest::addColumn<Floats>("summary"); // median, variance, mean, min, max
        const float nan = std::nanf("");
        QTest::newRow("odd count") << Floats {3, 1, 2} << Floats {2, 1, 2, 1, 3};
        QTest::newRow("even count") << Floats {4, 1, 3, 2} << Floats {2.5f, 5.0f / 3, 2.5f, 1, 4};
        QTest::newRow("eight values")
            << Floats {2, 4, 4, 4, 5, 5, 7, 9} << Floats {4.5f, 32.0f / 7, 5, 2, 9};
        QTest::newRow("one value") << Floats {6} << Floats {6, nan, 6, 6, 6};
        QTest::newRow("empty") << Floats() << Floats {0, nan, nan, 0, 0};
    }
    void summaries()
    {
        QFETCH(Floats, values);
        QFETCH(Floats, summary);
        const Floats before = values;
        const float deviation = std::sqrt(summary[1]);
        const Floats actual = {Statistic::median(values), Statistic::variance(values),
            Statistic::ma(values), Statistic::min(values), Statistic::max(values),
            Statistic::stdDev(values), Statistic::stdErr(values)};
        summary << deviation << float(double(deviation) / std::sqrt(double(values.size())));
        for (int i = 0; i < actual.size(); ++i)
            QVERIFY2(actual[i] == summary[i] || (std::isnan(actual[i]) && std::isnan(summary[i])),
                qPrintable(QString("%1: %2 instead of %3").arg(i).arg(actual[i]).arg(summary[i])));
        QCOMPARE(values, before);
    }

    void ranks_data()
    {
        QTest::addColumn<Floats>("values");
        QTest::addColumn<Floats>("ranks");
        QTest::newRow("one tie") << Floats {3, 1, 2, 2} << Floats {1, 2.5f, 2.5f, 4};
        QTest::newRow("two separate ties")
            << Floats {1, 1, 2, 2} << Floats {1.5f, 1.5f, 3.5f, 3.5f};
        QTest::newRow("all equal") << Floats {5, 5, 5} << Floats {2, 2, 2};
        QTest::newRow("empty") << Floats() << Floats();
    }
    void ranks()
    {
        QFETCH(Floats, values);
        QFETCH(Floats, ranks);
        QCOMPARE(Statistic::rang(values), ranks);
    }

    void boxWhiskerPlot_data()
    {
        QTest::addColumn<Floats>("values");
        QTest::addColumn<Floats>("numbers"); // mean, median, hinges, whiskers
        QTest::addColumn<Floats>("outliers");
        QTest::newRow("one outlier")
            << Floats {1, 2, 3, 4, 5, 6, 7, 100} << Floats {16, 4.5f, 3, 7, 1, 7} << Floats {100};
        QTest::newRow("averaged hinges")
            << Floats {5, 4, 3, 2, 1} << Floats {3, 3, 2.5f, 4.5f, 1, 5} << Floats();
        QTest::newRow("outliers on both sides")
            << Floats {-50, 10, 11, 12, 13, 14, 60} << Floats {10, 12, 11, 14, 10, 14}
            << Floats {-50, 60};
        QTest::newRow("two values") << Floats {4, 2} << Floats {3, 3, 2, 4, 2, 4} << Floats();
    }
    void boxWhiskerPlot()
    {
        QFETCH(Floats, values);
        QFETCH(Floats, numbers);
        QFETCH(Floats, outliers);
        const Statistic::BoxWhiskerValues box = Statistic::boxWhiskerPlot(values);
        QCOMPARE(Floats({box.mean, box.median, box.lowerHinge, box.upperHinge, box.lowerWhisker,
                     box.upperWhisker}),
            numbers);
        QCOMPARE(box.outliers, outliers);
    }
};

QTEST_GUILESS_MAIN(TestStatistic)
#include "test_Statistic.moc"
