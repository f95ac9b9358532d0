#include "DateInfo.h"
#include "DateWidget.h"

#include <QComboBox>
#include <QDate>
#include <QtTest>

using DORuverud::DateWidget;

namespace {

QComboBox* list(DateWidget& widget, int which)
{
    return widget.findChildren<QComboBox*>().at(which);
}

} // namespace

class TestDateWidget : public QObject
{
    Q_OBJECT

private slots:
    void freshSelectorIsBlank()
    {
        DateWidget widget(0);
        QCOMPARE(widget.day(), 1);
        QCOMPARE(widget.month(), 1);
        QCOMPARE(widget.year(), -1);
        QCOMPARE(list(widget, 0)->count(), 31);
        QCOMPARE(list(widget, 1)->itemText(11), ZAruri::DateInfo::monthName(12));
        QCOMPARE(widget.minimumWidth(), 300);
    }

    void yearListRunsBack130Years_data()
    {
        QTest::addColumn<int>("offset");
        QTest::newRow("from the current year") << 0;
        QTest::newRow("from five years ahead") << 5;
    }

    void yearListRunsBack130Years()
    {
        QFETCH(int, offset);
        const int newest = QDate::currentDate().year() + offset;
        DateWidget widget(offset);
        QComboBox* years = list(widget, 2);
        QCOMPARE(years->count(), 1 + 131);
        QCOMPARE(years->itemText(0), QString());
        QCOMPARE(years->itemText(1), QString::number(newest));
        QCOMPARE(years->itemText(131), QString::number(newest - 130));
    }

    void settersSelectAndSignalOnce_data()
    {
        QTest::addColumn<QString>("setter");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("signals");
        const int now = QDate::currentDate().year();
        QTest::newRow("current year") << "year" << now << 1 << 1 << now << 1;
        QTest::newRow("year 0 keeps the blank") << "year" << 0 << 1 << 1 << -1 << 0;
        QTest::newRow("negative year keeps the blank") << "year" << -4 << 1 << 1 << -1 << 0;
        QTest::newRow("year not in the list selects none") << "year" << 1700 << 1 << 1 << -1 << 1;
        QTest::newRow("day 0 selects day 1") << "day" << 0 << 1 << 1 << -1 << 0;
        QTest::newRow("day -5 selects day 1") << "day" << -5 << 1 << 1 << -1 << 0;
        QTest::newRow("day 17") << "day" << 17 << 17 << 1 << -1 << 1;
        QTest::newRow("day 40 selects none") << "day" << 40 << 0 << 1 << -1 << 1;
        QTest::newRow("month 0 selects January") << "month" << 0 << 1 << 1 << -1 << 0;
        QTest::newRow("month 7") << "month" << 7 << 1 << 7 << -1 << 1;
    }

    void settersSelectAndSignalOnce()
    {
        QFETCH(QString, setter);
        QFETCH(int, value);
        DateWidget widget(0);
        QSignalSpy changed(&widget, &DateWidget::dataChanged);
        if (setter == "year")
            widget.setYear(value);
        else if (setter == "day")
            widget.setDay(value);
        else
            widget.setMonth(value);
        QTEST(widget.day(), "day");
        QTEST(widget.month(), "month");
        QTEST(widget.year(), "year");
        QTEST(int(changed.size()), "signals");
    }

    void clearIsSilent()
    {
        DateWidget widget(0);
        widget.setDay(30);
        widget.setMonth(4);
        widget.setYear(2000);
        QSignalSpy changed(&widget, &DateWidget::dataChanged);
        widget.clear();
        QCOMPARE(changed.size(), 0);
        QCOMPARE(widget.day(), 1);
        QCOMPARE(widget.month(), 1);
        QCOMPARE(widget.year(), -1);
        QCOMPARE(list(widget, 0)->count(), 31);
    }

    void dayListFollowsTheMonthOf2008_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("days");
        QTest::newRow("January") << 2009 << 1 << 31;
        QTest::newRow("February of a leap year") << 2008 << 2 << 29;
        QTest::newRow("February of 2009 keeps the 29th") << 2009 << 2 << 29;
        QTest::newRow("April") << 2009 << 4 << 30;
        QTest::newRow("December") << 2008 << 12 << 31;
    }

    void dayListFollowsTheMonthOf2008()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, days);
        DateWidget widget(-10);
        widget.setYear(year);
        widget.setDay(31);
        widget.setMonth(month);
        QCOMPARE(list(widget, 0)->count(), days);
        // A day beyond the month becomes its last day.
        QCOMPARE(widget.day(), days);
    }

    void dayModeShowsTheDayOnly()
    {
        DateWidget widget(0);
        widget.show();
        widget.setDayMode(true);
        QVERIFY(list(widget, 0)->isVisible());
        QVERIFY(!list(widget, 1)->isVisible() && !list(widget, 2)->isVisible());
        widget.setDayMode(false);
        QVERIFY(list(widget, 1)->isVisible() && list(widget, 2)->isVisible());
    }
};

QTEST_MAIN(TestDateWidget)

#include "test_DateWidget.moc"
