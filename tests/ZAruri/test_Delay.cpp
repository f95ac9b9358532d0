#include "Delay.h"

#include <QtTest>

class TestDelay : public QObject
{
    Q_OBJECT

private slots:
    void zeroDelayProcessesPendingEvents();
    void delayRunsTimersWhileWaiting();
    void waitEndsWithZeroAndCanWaitAgain();
    void constructorTakesNoParent();
};

void TestDelay::zeroDelayProcessesPendingEvents()
{
    bool ran = false;
    QMetaObject::invokeMethod(
        this, [&ran] { ran = true; }, Qt::QueuedConnection);
    ZAruri::delay(0);
    QVERIFY(ran);
}

void TestDelay::delayRunsTimersWhileWaiting()
{
    int ticks = 0;
    QTimer::singleShot(0, this, [&ticks] { ++ticks; });
    QTimer::singleShot(5, this, [&ticks] { ++ticks; });
    ZAruri::delay(200);
    QCOMPARE(ticks, 2);
}

void TestDelay::waitEndsWithZeroAndCanWaitAgain()
{
    ZAruri::Delay delay(nullptr);
    bool ran = false;
    QMetaObject::invokeMethod(
        this, [&ran] { ran = true; }, Qt::QueuedConnection);
    QCOMPARE(delay.wait(0), 0);
    QVERIFY(ran);
    QCOMPARE(delay.wait(1), 0);
}

void TestDelay::constructorTakesNoParent()
{
    QObject owner;
    ZAruri::Delay delay(&owner);
    QCOMPARE(delay.parent(), nullptr);
    QVERIFY(owner.children().isEmpty());
}

QTEST_GUILESS_MAIN(TestDelay)
#include "test_Delay.moc"
