#include "App.h"
#include "DialogTestTools.h"
#include "LicenseDialog.h"
#include "TitleLabel.h"
#include "TopWidget.h"

#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace DORuverud;
using namespace DialogTestTools;

namespace {

QWidget* decorationWindow()
{
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->windowType() == Qt::ToolTip && qobject_cast<QLabel*>(window))
            return window;
    }
    return nullptr;
}

QPixmap squarePixmap(int size, QColor colour)
{
    QPixmap pixmap(size, size);
    pixmap.fill(colour);
    return pixmap;
}

} // namespace

class TestTopWidget : public QObject
{
    Q_OBJECT

private slots:
    void titleBarButtonsFollowTheBuild();
    void execEndsOnEscapeCloseAndAccept();
    void rejectHidesAShownWindow();
    void titleDragMovesTheWindow();
    void iconIsSqueezed();
    void decorationFollowsAndIsReplaced();
    void sameDecorationTwiceIsKept();
    void licenseAgreeAndDisagree();
};

void TestTopWidget::titleBarButtonsFollowTheBuild()
{
#ifdef EXPECT_STORE
    QVERIFY(App::isAppStore());
#else
    QVERIFY(!App::isAppStore());
#endif
    // GIVEN a frame
    TopWidget frame;
    frame.resize(400, 200);
    frame.setTitleLabel("Frame");
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    auto* close = frame.findChild<QPushButton*>("TopWidgetClose");
    auto* maximize = frame.findChild<QPushButton*>("TopWidgetMaximize");
    auto* minimize = frame.findChild<QPushButton*>("TopWidgetMinimize");
    QVERIFY(close && maximize && minimize);
    QCOMPARE(close->toolTip(), QString("Close"));
    QCOMPARE(close->size(), QSize(24, 24));
    QCOMPARE(frame.windowTitle(), QString("Frame"));
    QVERIFY(frame.windowFlags() & Qt::FramelessWindowHint);
    // THEN a store build has close, maximise, minimise at the left, the other
    // build minimise, maximise, close at the right
    if (App::isAppStore()) {
        QVERIFY(close->x() < maximize->x() && maximize->x() < minimize->x());
        QVERIFY(minimize->x() < frame.width() / 2);
    } else {
        QVERIFY(minimize->x() < maximize->x() && maximize->x() < close->x());
        QVERIFY(minimize->x() > frame.width() / 2);
    }
    // AND the setters hide and show them
    frame.hideClose();
    frame.hideMaximize();
    frame.hideMinimize();
    QVERIFY(!close->isVisible() && !maximize->isVisible() && !minimize->isVisible());
    frame.showClose();
    frame.showMaximize();
    frame.showMinimize();
    QVERIFY(close->isVisible() && maximize->isVisible() && minimize->isVisible());
    frame.setTitleHeight(40);
    QCOMPARE(frame.findChild<TitleLabel*>()->height(), 40);
}

void TestTopWidget::execEndsOnEscapeCloseAndAccept()
{
    TopWidget frame(true);
    QVERIFY(frame.findChild<QWidget*>("TopOverWidget"));

    whenModal([](QWidget* modal) { pressEscape(modal); });
    QCOMPARE(frame.exec(), 0);
    QVERIFY(!frame.isVisible());

    whenModal([](QWidget* modal) {
        QTest::mouseClick(modal->findChild<QPushButton*>("TopWidgetClose"), Qt::LeftButton);
    });
    QCOMPARE(frame.exec(), 0);

    whenModal([&frame](QWidget*) { frame.accept(); });
    QCOMPARE(frame.exec(), 1);
    QVERIFY(!frame.isVisible());

    // The Escape action is made once and reused.
    whenModal([](QWidget* modal) { pressEscape(modal); });
    QCOMPARE(frame.exec(), 0);
    QCOMPARE(frame.actions().size(), 1);
}

void TestTopWidget::rejectHidesAShownWindow()
{
    TopWidget frame;
    frame.show();
    frame.accept();
    QVERIFY(frame.isVisible());
    frame.reject();
    QVERIFY(!frame.isVisible());
}

void TestTopWidget::titleDragMovesTheWindow()
{
    // GIVEN a shown frame with a decoration 10 pixels right of the title's corner
    TopWidget frame;
    frame.resize(300, 150);
    frame.move(100, 100);
    frame.setDecoration(squarePixmap(16, Qt::red), QPoint(10, 0));
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    auto* title = frame.findChild<TitleLabel*>();
    const QPoint press(40, 10);
    // WHEN the title is pressed and dragged with the button held
    QTest::mousePress(title, Qt::LeftButton, Qt::NoModifier, press);
    const QPoint global(400, 300);
    QMouseEvent move(QEvent::MouseMove, title->mapFromGlobal(global), global, Qt::NoButton,
        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(title, &move);
    // THEN the window's corner follows the mouse, keeping the pressed point under it
    QTRY_COMPARE(frame.pos(), global - press);
    QCOMPARE(decorationWindow()->pos(), title->mapToGlobal(QPoint(10, 0)));

    // A move without a held button does not drag.
    QMouseEvent hover(QEvent::MouseMove, QPointF(5, 5), QPointF(900, 900), Qt::NoButton,
        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(title, &hover);
    QCOMPARE(frame.pos(), global - press);
}

void TestTopWidget::iconIsSqueezed()
{
    TopWidget frame;
    QImage wide(64, 32, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    frame.setIcon(QPixmap::fromImage(wide));
    frame.show();
    QLabel* icon = nullptr;
    for (QLabel* label : frame.findChildren<QLabel*>())
        icon = label->pixmap(Qt::ReturnByValue).isNull() ? icon : label;
    QVERIFY(icon);
    QVERIFY(icon->isVisible());
    QCOMPARE(icon->pixmap(Qt::ReturnByValue).size(), QSize(24, 24));
}

void TestTopWidget::decorationFollowsAndIsReplaced()
{
    // GIVEN a frame with a picture decoration
    TopWidget frame;
    frame.resize(300, 150);
    QPixmap shaped(20, 20);
    shaped.fill(Qt::transparent);
    {
        QPainter painter(&shaped);
        painter.fillRect(0, 0, 10, 20, Qt::green);
    }
    frame.setDecoration(shaped, QPoint(50, -10));
    QPointer<QWidget> first = decorationWindow();
    QVERIFY(first);
    QCOMPARE(first->size(), QSize(20, 20));
    QVERIFY(first->mask().contains(QPoint(2, 2)));
    QVERIFY(!first->mask().contains(QPoint(15, 2)));
    // WHEN the frame is shown and hidden, THEN so is the decoration
    QVERIFY(!first->isVisible());
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(first->isVisible());
    frame.hide();
    QVERIFY(!first->isVisible());
    // WHEN it is replaced by an animation, THEN the old window is gone
    QMovie movie(":/pix/loading.gif");
    frame.setDecoration(&movie, QPoint(0, 0));
    QVERIFY(first.isNull());
    QPointer<QWidget> second = decorationWindow();
    QVERIFY(second);
    QCOMPARE(movie.state(), QMovie::Running);
    QCOMPARE(second->size(), movie.currentPixmap().size());
    // AND the decoration dies with the frame, the movie stays the caller's
}

void TestTopWidget::sameDecorationTwiceIsKept()
{
    QPointer<QLabel> decoration = new QLabel("deco");
    {
        TopWidget frame;
        frame.setDecoration(decoration.data(), QPoint(1, 1));
        frame.setDecoration(decoration.data(), QPoint(2, 2));
        QVERIFY(decoration);
        QCOMPARE(decoration->windowType(), Qt::ToolTip);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QTRY_COMPARE(decoration->pos(), frame.findChild<TitleLabel*>()->mapToGlobal(QPoint(2, 2)));
    }
    QVERIFY(decoration.isNull());
}

void TestTopWidget::licenseAgreeAndDisagree()
{
    LicenseDialog license;
    QCOMPARE(license.windowTitle(), QString("Tessivar License Agreement"));
    QVERIFY(!license.findChild<QPushButton*>("TopWidgetClose")->isVisibleTo(&license));

    whenModal([](QWidget* modal) { click(modal, "&Agree"); });
    QCOMPARE(license.exec(), 1);

    whenModal([](QWidget* modal) { click(modal, "&Disagree"); });
    QCOMPARE(license.exec(), 0);

    whenModal([](QWidget* modal) { pressEscape(modal); });
    QCOMPARE(license.exec(), 0);
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestTopWidget test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_TopWidget.moc"
