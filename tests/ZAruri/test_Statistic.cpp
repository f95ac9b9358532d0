#include "Statistic.h"

#include <QtTest>

#include <cmath>

using ZAruri::Statistic;

namespace {

// NaN equals NaN here, so that "no result" rows compare.
bool same(float a, float b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

} // namespace

// Descriptive statistics of small samples.
class TestStatistic : public QObject
{
    Q_OBJECT

private slots:
    void summaries_data();
    void summaries();
    void ranks_data();
    void ranks();
    void boxWhiskerPlot_data();
    void boxWhiskerPlot();
};

void TestStatistic::summaries_data()
{
    QTest::addColumn<QVector<float>>("values");
    QTest::addColumn<float>("median");
    QTest::addColumn<float>("variance");
    QTest::addColumn<float>("mean");
    QTest::addColumn<float>("min");
    QTest::addColumn<float>("max");
    const float nan = std::nanf("");
    QTest::newRow("odd count") << QVector<float>({3, 1, 2}) << 2.0f << 1.0f << 2.0f << 1.0f << 3.0f;
    QTest::newRow("even count") << QVector<float>({4, 1, 3, 2}) << 2.5f << 5.0f / 3.0f << 2.5f
                                << 1.0f << 4.0f;
    QTest::newRow("eight values") << QVector<float>({2, 4, 4, 4, 5, 5, 7, 9}) << 4.5f
                                  << 32.0f / 7.0f << 5.0f << 2.0f << 9.0f;
    QTest::newRow("one value") << QVector<float>({6}) << 6.0f << nan << 6.0f << 6.0f << 6.0f;
    QTest::newRow("empty") << QVector<float>() << 0.0f << nan << nan << 0.0f << 0.0f;
}

void TestStatistic::summaries()
{
    QFETCH(QVector<float>, values);
    QFETCH(float, median);
    QFETCH(float, variance);
    QFETCH(float, mean);
    QFETCH(float, min);
    QFETCH(float, max);
    const QVector<float> before = values;
    QVERIFY(same(Statistic::median(values), median));
    QVERIFY(same(Statistic::variance(values), variance));
    QVERIFY(same(Statistic::stdDev(values), std::sqrt(variance)));
    QVERIFY(same(Statistic::stdErr(values),
        float(double(std::sqrt(variance)) / std::sqrt(double(values.size())))));
    QVERIFY(same(Statistic::ma(values), mean));
    QCOMPARE(Statistic::min(values), min);
    QCOMPARE(Statistic::max(values), max);
    QCOMPARE(values, before);
}

void TestStatistic::ranks_data()
{
    QTest::addColumn<QVector<float>>("values");
    QTest::addColumn<QVector<float>>("ranks");
    QTest::newRow("one tie") << QVector<float>({3, 1, 2, 2}) << QVector<float>({1, 2.5f, 2.5f, 4});
    QTest::newRow("two separate ties")
        << QVector<float>({1, 1, 2, 2}) << QVector<float>({1.5f, 1.5f, 3.5f, 3.5f});
    QTest::newRow("all equal") << QVector<float>({5, 5, 5}) << QVector<float>({2, 2, 2});
    QTest::newRow("one value") << QVector<float>({9}) << QVector<float>({1});
    QTest::newRow("empty") << QVector<float>() << QVector<float>();
}

void TestStatistic::ranks()
{
    QFETCH(QVector<float>, values);
    QFETCH(QVector<float>, ranks);
    QCOMPARE(Statistic::rang(values), ranks);
}

void TestStatistic::boxWhiskerPlot_data()
{
    QTest::addColumn<QVector<float>>("values");
    QTest::addColumn<QVector<float>>("numbers"); // mean, median, hinges, whiskers
    QTest::addColumn<QVector<float>>("outliers");
    QTest::newRow("one outlier") << QVector<float>({1, 2, 3, 4, 5, 6, 7, 100})
                                 << QVector<float>({16, 4.5f, 3, 7, 1, 7}) << QVector<float>({100});
    QTest::newRow("averaged hinges")
        << QVector<float>({5, 4, 3, 2, 1}) << QVector<float>({3, 3, 2.5f, 4.5f, 1, 5})
        << QVector<float>();
    QTest::newRow("outliers on both sides")
        << QVector<float>({-50, 10, 11, 12, 13, 14, 60}) << QVector<float>({10, 12, 11, 14, 10, 14})
        << QVector<float>({-50, 60});
    QTest::newRow("two values") << QVector<float>({4, 2}) << QVector<float>({3, 3, 2, 4, 2, 4})
                                << QVector<float>();
    QTest::newRow("one value") << QVector<float>({7}) << QVector<float>({7, 7, 7, 7, 7, 7})
                               << QVector<float>();
}

void TestStatistic::boxWhiskerPlot()
{
    QFETCH(QVector<float>, values);
    QFETCH(QVector<float>, numbers);
    QFETCH(QVector<float>, outliers);
    const Statistic::BoxWhiskerValues box = Statistic::boxWhiskerPlot(values);
    QCOMPARE(QVector<float>({box.mean, box.median, box.lowerHinge, box.upperHinge, box.lowerWhisker,
                 box.upperWhisker}),
        numbers);
    QCOMPARE(box.outliers, outliers);
}

QTEST_GUILESS_MAIN(TestStatistic)
#include "test_Statistic.moc"
