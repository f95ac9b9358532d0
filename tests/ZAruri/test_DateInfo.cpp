#include "DateInfo.h"

#include <QtTest>

using ZAruri::DateInfo;

class TestDateInfo : public QObject
{
    Q_OBJECT

private slots:
    void weekName_data();
    void weekName();
    void monthName_data();
    void monthName();
    void ageInYears_data();
    void ageInYears();
    void zodiacName_data();
    void zodiacName();
    void translatedZodiacName_data();
    void translatedZodiacName();
    void moonDayAndPhase_data();
    void moonDayAndPhase();
};

void TestDateInfo::weekName_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("name");
    QTest::newRow("first is Monday") << 0 << QObject::tr("Monday");
    QTest::newRow("middle is Thursday") << 3 << QObject::tr("Thursday");
    QTest::newRow("last is Sunday") << 6 << QObject::tr("Sunday");
    QTest::newRow("one past the week") << 7 << QStringLiteral("Unknown");
    QTest::newRow("negative") << -1 << QStringLiteral("Unknown");
}

void TestDateInfo::weekName()
{
    QFETCH(int, day);
    QFETCH(QString, name);
    QCOMPARE(DateInfo::weekName(day), name);
}

void TestDateInfo::monthName_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("name");
    QTest::newRow("January") << 1 << QObject::tr("January");
    QTest::newRow("May") << 5 << QObject::tr("May");
    QTest::newRow("December") << 12 << QObject::tr("December");
    QTest::newRow("zero") << 0 << QStringLiteral("Unknown");
    QTest::newRow("thirteen") << 13 << QStringLiteral("Unknown");
    QTest::newRow("negative") << -3 << QStringLiteral("Unknown");
}

void TestDateInfo::monthName()
{
    QFETCH(int, month);
    QFETCH(QString, name);
    QCOMPARE(DateInfo::monthName(month), name);
}

void TestDateInfo::ageInYears_data()
{
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<int>("age");
    const QDate today = QDate::currentDate();
    const QDate tenYearsAgo = today.addYears(-10);
    QTest::newRow("birthday today") << tenYearsAgo << 10;
    QTest::newRow("birthday tomorrow") << tenYearsAgo.addDays(1) << 9;
    QTest::newRow("birthday yesterday") << tenYearsAgo.addDays(-1) << 10;
    QTest::newRow("born today") << today << 0;
}

void TestDateInfo::ageInYears()
{
    QFETCH(QDate, birth);
    QFETCH(int, age);
    QCOMPARE(DateInfo::ageInYears(birth), age);
}

void TestDateInfo::zodiacName_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("sign");
    QTest::newRow("22 December opens Capricom") << QDate(1990, 12, 22) << "Capricom";
    QTest::newRow("31 December") << QDate(1990, 12, 31) << "Capricom";
    QTest::newRow("1 January") << QDate(1991, 1, 1) << "Capricom";
    QTest::newRow("23 January closes Capricom") << QDate(1991, 1, 23) << "Capricom";
    QTest::newRow("24 January opens Aquarius") << QDate(1991, 1, 24) << "Aquarius";
    QTest::newRow("19 February closes Aquarius") << QDate(1991, 2, 19) << "Aquarius";
    QTest::newRow("20 March closes Pisces") << QDate(1991, 3, 20) << "Pisces";
    QTest::newRow("21 March opens Aries") << QDate(1991, 3, 21) << "Aries";
    QTest::newRow("21 May closes Taurus") << QDate(1991, 5, 21) << "Taurus";
    QTest::newRow("23 August closes Leo") << QDate(1991, 8, 23) << "Leo";
    QTest::newRow("21 December closes Sagittarius") << QDate(1991, 12, 21) << "Sagittarius";
    QTest::newRow("29 February has its sign") << QDate(2000, 2, 29) << "Pisces";
    QTest::newRow("invalid date") << QDate() << QString();
}

void TestDateInfo::zodiacName()
{
    QFETCH(QDate, date);
    QFETCH(QString, sign);
    QCOMPARE(DateInfo::zodiacName(date), sign);
}

void TestDateInfo::translatedZodiacName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("translated");
    QTest::newRow("Aries") << "Aries" << QObject::tr("The Ram");
    QTest::newRow("Capricom as written") << "Capricom" << QObject::tr("The Sea-Goat");
    QTest::newRow("Pisces") << "Pisces" << QObject::tr("The Fishes");
    QTest::newRow("lower case is no sign") << "aries" << QString();
    QTest::newRow("the usual spelling is no sign") << "Capricorn" << QString();
}

void TestDateInfo::translatedZodiacName()
{
    QFETCH(QString, name);
    QFETCH(QString, translated);
    QCOMPARE(DateInfo::translatedZodiacName(name), translated);
    QCOMPARE(DateInfo::translatedZodiacName(name).isNull(), translated.isNull());
}

void TestDateInfo::moonDayAndPhase_data()
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

void TestDateInfo::moonDayAndPhase()
{
    QFETCH(QDate, date);
    QFETCH(int, day);
    QFETCH(int, phase);
    QCOMPARE(DateInfo::moonDay(date), day);
    QCOMPARE(DateInfo::moonPhase(date), phase);
}

QTEST_GUILESS_MAIN(TestDateInfo)
#include "test_DateInfo.moc"
