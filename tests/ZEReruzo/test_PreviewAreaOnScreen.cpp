#include "../common/TestFolder.h"
#include "PreviewArea.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

using ZEReruzo::PreviewArea;

// Runs on a virtual X display: the picture must reach the screen itself.
class TestPreviewAreaOnScreen : public QObject
{
    Q_OBJECT

private slots:
    void pictureReachesTheScreen()
    {
        TestFolder files;
        const QColor colour(200, 40, 160);
        PreviewArea area;
        area.setWindowFlags(Qt::FramelessWindowHint);
        area.setGeometry(100, 120, 160, 100);
        area.displayItem(files.writePicture("p.png", colour, 160, 100));
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QScreen* screen = QGuiApplication::primaryScreen();
        // Inside the 2-pixel frame the picture covers the area.
        QTRY_COMPARE(screen->grabWindow(0).toImage().pixelColor(180, 170), colour);
        const QImage shot = screen->grabWindow(0).toImage();
        QCOMPARE(shot.pixelColor(103, 123), colour);
        QVERIFY(shot.pixelColor(100, 120) != colour);
    }
};

QTEST_MAIN(TestPreviewAreaOnScreen)

#include "test_PreviewAreaOnScreen.moc"
