#include "DateInfo.h"
#include "Delay.h"
#include "TimeInfo.h"

#include <QtTest>

using ZAruri::DateInfo;
using ZAruri::TimeInfo;

// The date and time helpers and the event-processing delay.
class TestDateAndTime : public QObject
{
    Q_OBJECT

private slots:
    void weekAndMonthNames_data();
    void weekAndMonthNames();
    void ageInYears_data();
    void ageInYears();
    void zodiac_data();
    void zodiac();
    void moonDayAndPhase_data();
    void moonDayAndPhase();
    void timeOfDay_data();
    void timeOfDay();
    void delayProcessesPendingEvents();
};

void TestDateAndTime::weekAndMonthNames_data()
{
    QTest::addColumn<bool>("month");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::newRow("first day is Monday") << false << 0 << QObject::tr("Monday");
    QTest::newRow("last day is Sunday") << false << 6 << QObject::tr("Sunday");
    QTest::newRow("one past the week") << false << 7 << QStringLiteral("Unknown");
    QTest::newRow("January") << true << 1 << QObject::tr("January");
    QTest::newRow("December") << true << 12 << QObject::tr("December");
    QTest::newRow("month zero") << true << 0 << QStringLiteral("Unknown");
    QTest::newRow("month thirteen") << true << 13 << QStringLiteral("Unknown");
}

void TestDateAndTime::weekAndMonthNames()
{
    QFETCH(bool, month);
    QFETCH(int, number);
    QFETCH(QString, name);
    QCOMPARE(month ? DateInfo::monthName(number) : DateInfo::weekName(number), name);
}

void TestDateAndTime::ageInYears_data()
{
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<int>("age");
    const QDate tenYearsAgo = QDate::currentDate().addYears(-10);
    QTest::newRow("birthday today") << tenYearsAgo << 10;
    QTest::newRow("birthday tomorrow") << tenYearsAgo.addDays(1) << 9;
    QTest::newRow("born today") << QDate::currentDate() << 0;
}

void TestDateAndTime::ageInYears()
{
    QFETCH(QDate, birth);
    QFETCH(int, age);
    QCOMPARE(DateInfo::ageInYears(birth), age);
}

void TestDateAndTime::zodiac_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("translated");
    const QString goat = QObject::tr("The Sea-Goat");
    QTest::newRow("22 December opens Capricom") << QDate(1990, 12, 22) << "Capricom" << goat;
    QTest::newRow("1 January") << QDate(1991, 1, 1) << "Capricom" << goat;
    QTest::newRow("23 January closes Capricom") << QDate(1991, 1, 23) << "Capricom" << goat;
    QTest::newRow("24 January opens Aquarius")
        << QDate(1991, 1, 24) << "Aquarius" << QObject::tr("The Water-Bearer");
    QTest::newRow("20 March closes Pisces")
        << QDate(1991, 3, 20) << "Pisces" << QObject::tr("The Fishes");
    QTest::newRow("21 March opens Aries")
        << QDate(1991, 3, 21) << "Aries" << QObject::tr("The Ram");
    QTest::newRow("21 December closes Sagittarius")
        << QDate(1991, 12, 21) << "Sagittarius" << QObject::tr("The Archer");
    QTest::newRow("29 February has its sign")
        << QDate(2000, 2, 29) << "Pisces" << QObject::tr("The Fishes");
    QTest::newRow("invalid date") << QDate() << QString() << QString();
}

void TestDateAndTime::zodiac()
{
    QFETCH(QDate, date);
    QFETCH(QString, sign);
    QFETCH(QString, translated);
    QCOMPARE(DateInfo::zodiacName(date), sign);
    QCOMPARE(DateInfo::translatedZodiacName(sign), translated);
    QVERIFY(DateInfo::translatedZodiacName(sign.toLower()).isNull());
    QVERIFY(DateInfo::translatedZodiacName(QStringLiteral("Capricorn")).isNull());
}

void TestDateAndTime::moonDayAndPhase_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("phase");
    QTest::newRow("new moon 1 January 2014") << QDate(2014, 1, 1) << 0 << 0;
    QTest::newRow("full moon 16 January 2014") << QDate(2014, 1, 16) << 15 << 5;
    QTest::newRow("end of cycle 30 January 2014") << QDate(2014, 1, 30) << 29 << 0;
    QTest::newRow("new moon 6 January 2000") << QDate(2000, 1, 6) << 0 << 0;
    QTest::newRow("new moon 11 January 2024") << QDate(2024, 1, 11) << 0 << 0;
    QTest::newRow("rounded quotient 29 June 2098") << QDate(2098, 6, 29) << -1 << 0;
    QTest::newRow("day 7 is phase 2") << QDate(2014, 1, 8) << 7 << 2;
    QTest::newRow("day 14 is phase 4") << QDate(2014, 1, 15) << 14 << 4;
    QTest::newRow("day 21 is phase 7") << QDate(2014, 1, 22) << 21 << 7;
    QTest::newRow("day 22 is phase 6") << QDate(2014, 1, 23) << 22 << 6;
}

void TestDateAndTime::moonDayAndPhase()
{
    QFETCH(QDate, date);
    QFETCH(int, day);
    QFETCH(int, phase);
    QCOMPARE(DateInfo::moonDay(date), day);
    QCOMPARE(DateInfo::moonPhase(date), phase);
}

void TestDateAndTime::timeOfDay_data()
{
    QTest::addColumn<qint64>("msecs");
    QTest::addColumn<QTime>("time");
    QTest::newRow("zero") << qint64(0) << QTime(0, 0, 0);
    QTest::newRow("one of each, sub-second dropped") << qint64(3661001) << QTime(1, 1, 1);
    QTest::newRow("last moment of the day") << qint64(86399999) << QTime(23, 59, 59);
    QTest::newRow("24 hours is invalid") << qint64(86400000) << QTime();
    QTest::newRow("negative is invalid") << qint64(-1000) << QTime();
}

// The same moments in milliseconds and in microseconds.
void TestDateAndTime::timeOfDay()
{
    QFETCH(qint64, msecs);
    QFETCH(QTime, time);
    const QTime fromMsecs = TimeInfo::msecsToTime(msecs);
    const QTime fromUsecs = TimeInfo::usecsToTime(msecs * 1000 + (msecs > 0 ? 999 : 0));
    QCOMPARE(fromMsecs.isValid(), time.isValid());
    QCOMPARE(fromUsecs.isValid(), time.isValid());
    if (time.isValid()) {
        QCOMPARE(fromMsecs, time);
        QCOMPARE(fromUsecs, time);
    }
}

void TestDateAndTime::delayProcessesPendingEvents()
{
    // delay(0) runs what is queued
    bool ran = false;
    QMetaObject::invokeMethod(
        this, [&ran] { ran = true; }, Qt::QueuedConnection);
    ZAruri::delay(0);
    QVERIFY(ran);

    // a longer delay runs timers while it waits
    int ticks = 0;
    QTimer::singleShot(0, this, [&ticks] { ++ticks; });
    QTimer::singleShot(5, this, [&ticks] { ++ticks; });
    ZAruri::delay(200);
    QCOMPARE(ticks, 2);

    // and so does Delay::wait, which answers 0 and can wait again
    ZAruri::Delay delay(nullptr);
    ran = false;
    QMetaObject::invokeMethod(
        this, [&ran] { ran = true; }, Qt::QueuedConnection);
    QCOMPARE(delay.wait(0), 0);
    QVERIFY(ran);
    QCOMPARE(delay.wait(1), 0);
}

QTEST_GUILESS_MAIN(TestDateAndTime)
#include "test_DateAndTime.moc"
