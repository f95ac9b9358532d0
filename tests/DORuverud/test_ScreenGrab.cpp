#include "App.h"
#include "Common.h"
#include "Os.h"

#include <QScreen>
#include <QtTest>

using DORuverud::Common;

// Runs on a virtual X display of 1280 x 1024, at scale factor 1 and 2.
class TestScreenGrab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // GIVEN a plain window of one colour at a known place
        m_window.setWindowFlags(Qt::FramelessWindowHint);
        m_window.setAutoFillBackground(true);
        m_window.setPalette(QPalette(m_colour));
        m_window.setGeometry(m_place);
        m_window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
    }

    void realGrabHoldsTheScreenInPhysicalPixels()
    {
        // THEN the grab covers the whole screen, one pixel per physical pixel
        const double scale = Os::scaleFactor();
        QTRY_COMPARE(pixelAt(Common::grabScreen(), m_place.center() * scale), m_colour);
        const QPixmap grab = Common::grabScreen();
        QCOMPARE(grab.size(), QSize(1280, 1024));
        QCOMPARE(grab.devicePixelRatio(), 1.0);
        // AND the window's corners lie at its place times the scale factor
        const QRect physical(m_place.topLeft() * scale, m_place.size() * scale);
        QCOMPARE(pixelAt(grab, physical.topLeft()), m_colour);
        QCOMPARE(pixelAt(grab, physical.bottomRight()), m_colour);
        QVERIFY(pixelAt(grab, physical.topLeft() - QPoint(1, 1)) != m_colour);
        QVERIFY(pixelAt(grab, physical.bottomRight() + QPoint(1, 1)) != m_colour);
    }

    void grabberStandsInUntilReset()
    {
        QPixmap known(3, 2);
        known.fill(Qt::red);
        Common::setScreenGrabber([known]() { return known; });
        QCOMPARE(Common::grabScreen().toImage(), known.toImage());
        Common::setScreenGrabber({});
        QCOMPARE(Common::grabScreen().size(), QSize(1280, 1024));
    }

private:
    static QColor pixelAt(const QPixmap& pixmap, const QPoint& point)
    {
        return pixmap.toImage().pixelColor(point);
    }

    const QColor m_colour {30, 144, 90};
    const QRect m_place {100, 120, 200, 100};
    QWidget m_window;
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestScreenGrab test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ScreenGrab.moc"
