#include "MobileSimulator.h"
#include "ScreenLocker.h"
#include "VisibleChildren.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace DORuverud;

// The locker grabs keyboard and mouse: this test runs offscreen only.
class TestScreenLocker : public QObject
{
    Q_OBJECT

private slots:
    void lockerCoversAndGrabsFromTheFirstTick()
    {
        ScreenLocker locker;
        auto* unlock = locker.findChild<QPushButton*>();
        QCOMPARE(unlock->text(), QString("Unlock"));
        QCOMPARE(locker.findChild<QTimer*>()->interval(), 10);
        QVERIFY(!locker.isVisible());
        QTRY_VERIFY(locker.isVisible());
        QVERIFY(locker.isFullScreen());
        QCOMPARE(
            locker.windowFlags(), Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        QCOMPARE(QWidget::keyboardGrabber(), unlock);
        QCOMPARE(QWidget::mouseGrabber(), unlock);
        QVERIFY(unlock->isHidden());
        // Hidden or released from outside, it locks again on the next tick.
        locker.hide();
        unlock->releaseKeyboard();
        QTRY_VERIFY(locker.isVisible());
        QCOMPARE(QWidget::keyboardGrabber(), unlock);
    }

    void unlockReleasesAndSignals()
    {
        auto* locker = new ScreenLocker;
        locker->showUnlockButton();
        QSignalSpy unlocked(locker, &ScreenLocker::unlocked);
        QTRY_VERIFY(locker->isVisible());
        auto* unlock = locker->findChild<QPushButton*>();
        QVERIFY(unlock->isVisible());
        QMetaObject::invokeMethod(unlock, "click");
        QCOMPARE(unlocked.size(), 1);
        QVERIFY(!QWidget::keyboardGrabber() && !QWidget::mouseGrabber());
        // The lock ends only with the locker.
        QTRY_COMPARE(QWidget::keyboardGrabber(), unlock);
        QMetaObject::invokeMethod(unlock, "click");
        QCOMPARE(unlocked.size(), 2);
        delete locker;
        QVERIFY(!QWidget::keyboardGrabber() && !QWidget::mouseGrabber());
    }

    void simulatorPlacesWidgetsInARow()
    {
        MobileSimulator frame;
        QCOMPARE(frame.objectName(), QString("MobileSimulator"));
        auto* first = new QWidget;
        auto* second = new QWidget;
        frame.setMainWidget(first);
        frame.setMainWidget(second);
        frame.resize(200, 100);
        frame.show();
        QCOMPARE(first->geometry().topLeft(), QPoint(5, 5));
        QCOMPARE(second->geometry().left(), first->geometry().right() + 1 + 3);
    }

    void childrenShownOrHiddenDepthFirst()
    {
        // GIVEN a window: a (a1, a2), b (b1)
        QWidget window;
        const QStringList tree = {"a", "a1", "a2", "b", "b1"};
        QWidget* a = new QWidget(&window);
        QWidget* b = new QWidget(&window);
        for (const QString& name : tree) {
            QWidget* widget = name.size() == 1 ? (name == "a" ? a : b)
                                               : new QWidget(name.startsWith('a') ? a : b);
            widget->setObjectName(name);
            widget->installEventFilter(this);
        }
        window.show();
        // WHEN every child is hidden
        setVisibleChildren(&window, false);
        // THEN each went before its own children, and the window stays
        QCOMPARE(m_hidden, tree);
        QVERIFY(window.isVisible());
        QVERIFY(window.findChild<QWidget*>("b1")->isHidden());
        setVisibleChildren(&window, true);
        QVERIFY(window.findChild<QWidget*>("a2")->isVisible());
        // An object without widgets is left alone.
        QObject plain;
        new QTimer(&plain);
        setVisibleChildren(&plain, false);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::HideToParent)
            m_hidden << watched->objectName();
        return false;
    }

private:
    QStringList m_hidden;
};

int main(int argc, char** argv)
{
    // Never on a real display: the grabs would hold it.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestScreenLocker test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ScreenLocker.moc"
