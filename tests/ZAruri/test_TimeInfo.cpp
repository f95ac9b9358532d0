#include "TimeInfo.h"

#include <QtTest>

using ZAruri::TimeInfo;

class TestTimeInfo : public QObject
{
    Q_OBJECT

private slots:
    void msecsToTime_data();
    void msecsToTime();
    void usecsToTime_data();
    void usecsToTime();
};

void TestTimeInfo::msecsToTime_data()
{
    QTest::addColumn<qint64>("msecs");
    QTest::addColumn<QTime>("time");
    QTest::newRow("zero") << qint64(0) << QTime(0, 0, 0);
    QTest::newRow("one of each, sub-second dropped") << qint64(3661001) << QTime(1, 1, 1);
    QTest::newRow("last moment of the day") << qint64(86399999) << QTime(23, 59, 59);
    QTest::newRow("24 hours is invalid") << qint64(86400000) << QTime();
    QTest::newRow("negative is invalid") << qint64(-1000) << QTime();
}

void TestTimeInfo::msecsToTime()
{
    QFETCH(qint64, msecs);
    QFETCH(QTime, time);
    const QTime result = TimeInfo::msecsToTime(msecs);
    QCOMPARE(result.isValid(), time.isValid());
    if (time.isValid())
        QCOMPARE(result, time);
}

void TestTimeInfo::usecsToTime_data()
{
    QTest::addColumn<qint64>("usecs");
    QTest::addColumn<QTime>("time");
    QTest::newRow("one of each") << qint64(3661000001LL) << QTime(1, 1, 1);
    QTest::newRow("last second of the day") << qint64(86399999999LL) << QTime(23, 59, 59);
    QTest::newRow("24 hours is invalid") << qint64(86400000000LL) << QTime();
    QTest::newRow("negative is invalid") << qint64(-1000000) << QTime();
}

void TestTimeInfo::usecsToTime()
{
    QFETCH(qint64, usecs);
    QFETCH(QTime, time);
    const QTime result = TimeInfo::usecsToTime(usecs);
    QCOMPARE(result.isValid(), time.isValid());
    if (time.isValid())
        QCOMPARE(result, time);
}

QTEST_GUILESS_MAIN(TestTimeInfo)
#include "test_TimeInfo.moc"
