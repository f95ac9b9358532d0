#include "App.h"
#include "CenterFilter.h"
#include "UpdateIndicationDialog.h"
#include "WaitLabel.h"

#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QTimer>
#include <QtTest>

using namespace DORuverud;

class TestBusyIndicators : public QObject
{
    Q_OBJECT

private slots:
    void waitLabelAnimatesOverItsText();
    void waitLabelFreesItsAnimation();
    void popupClosesAfterLastShow();
    void centerFilterCentresChild();
    void centerFilterPassesOtherEvents();
};

void TestBusyIndicators::waitLabelAnimatesOverItsText()
{
    // GIVEN a wait label with a heading
    WaitLabel label("<h1>Please wait</h1>");
    // THEN it is a translucent frameless window, 300 pixels high
    QVERIFY(label.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(label.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(qAbs(label.windowOpacity() - 0.5) < 0.01);
    QCOMPARE(label.height(), 300);
    QCOMPARE(label.text(), QString("<h1>Please wait</h1>"));
    // AND its animation runs in a label 5 pixels larger than a frame
    auto* movie = label.findChild<QMovie*>();
    QVERIFY(movie);
    QVERIFY(movie->isValid());
    QCOMPARE(movie->state(), QMovie::Running);
    QVERIFY(movie->frameCount() > 1);
    QLabel* animation = nullptr;
    for (QLabel* child : label.findChildren<QLabel*>())
        animation = child->movie() == movie ? child : animation;
    QVERIFY(animation);
    QCOMPARE(animation->size(), movie->currentPixmap().size() + QSize(5, 5));
}

void TestBusyIndicators::waitLabelFreesItsAnimation()
{
    QPointer<QMovie> movie;
    {
        WaitLabel label("Wait");
        movie = label.findChild<QMovie*>();
        QVERIFY(movie);
    }
    QVERIFY(movie.isNull());
}

void TestBusyIndicators::popupClosesAfterLastShow()
{
    // GIVEN a popup with its ten-second timer
    UpdateIndicationDialog popup;
    popup.setText("Checking");
    auto* timer = popup.findChild<QTimer*>();
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 10000);
    QCOMPARE(popup.windowOpacity(), 0.8);
    QCOMPARE(popup.minimumHeight(), 70);
    auto* movie = popup.findChild<QMovie*>();
    QVERIFY(movie);
    QCOMPARE(movie->speed(), 300);

    // WHEN it is shown, THEN the timer and the animation run
    popup.show();
    QVERIFY(timer->isActive());
    QCOMPARE(movie->state(), QMovie::Running);
    // WHEN it is hidden, THEN both stop
    popup.hide();
    QVERIFY(!timer->isActive());
    QCOMPARE(movie->state(), QMovie::NotRunning);

    // WHEN it is shown again (with a short interval for the test)
    timer->setInterval(50);
    QTimer::singleShot(0, &popup, [&popup]() { popup.show(); });
    // THEN the timer accepts it: exec() returns 1 and the popup is hidden
    QCOMPARE(popup.exec(), 1);
    QVERIFY(!popup.isVisible());
    QVERIFY(!timer->isActive());
}

void TestBusyIndicators::centerFilterCentresChild()
{
    // GIVEN a 100 x 50 child of a 300 x 200 parent, with the filter
    QWidget parent;
    parent.resize(300, 200);
    auto* child = new QWidget(&parent);
    child->setGeometry(0, 0, 100, 50);
    child->hide();
    CenterFilter filter;
    child->installEventFilter(&filter);
    // WHEN the child is shown
    parent.show();
    child->show();
    // THEN it stands centred
    QCOMPARE(child->pos(), QPoint(100, 75));
    QVERIFY(child->isVisible());

    // WHEN the centred child is shown again, THEN it is not moved
    child->hide();
    QCoreApplication::processEvents();
    int moves = 0;
    struct MoveCounter : QObject
    {
        int* count;
        explicit MoveCounter(int* c)
            : count(c)
        {
        }
        bool eventFilter(QObject*, QEvent* event) override
        {
            *count += event->type() == QEvent::Move;
            return false;
        }
    } counter(&moves);
    child->installEventFilter(&counter);
    child->show();
    QCoreApplication::processEvents();
    QCOMPARE(moves, 0);
    QCOMPARE(child->pos(), QPoint(100, 75));
}

void TestBusyIndicators::centerFilterPassesOtherEvents()
{
    QWidget parent;
    parent.resize(300, 200);
    QWidget child(&parent);
    child.setGeometry(0, 0, 100, 50);
    CenterFilter filter;
    QEvent resize(QEvent::Resize);
    QVERIFY(!filter.eventFilter(&child, &resize));
    QCOMPARE(child.pos(), QPoint(0, 0));
    QObject plain;
    QEvent show(QEvent::Show);
    QVERIFY(!filter.eventFilter(&plain, &show));
    QVERIFY(!filter.eventFilter(&child, &show));
    QCOMPARE(child.pos(), QPoint(100, 75));
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestBusyIndicators test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_BusyIndicators.moc"
