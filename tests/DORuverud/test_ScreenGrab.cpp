#include "../common/MouseDrag.h"
#include "App.h"
#include "Common.h"
#include "Os.h"
#include "ScreenCropper.h"

#include <QScreen>
#include <QtTest>

using DORuverud::Common;
using DORuverud::ScreenCropper;

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
        QTRY_COMPARE(pixelAt(Common::grabScreen(), m_place.center() * Os::scaleFactor()), m_colour);
        const QPixmap grab = Common::grabScreen();
        QCOMPARE(grab.size(), QSize(1280, 1024));
        QCOMPARE(grab.devicePixelRatio(), 1.0);
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

    void cropperCutsTheWindowOut()
    {
        // GIVEN the cropper over a real grab of the screen (placed by hand: there is no
        // window manager to make it full screen)
        ScreenCropper cropper;
        cropper.setShowMode(ScreenCropper::NormalMode);
        cropper.setGeometry(QGuiApplication::primaryScreen()->geometry());
        cropper.grabScreen();
        QVERIFY(QTest::qWaitForWindowExposed(&cropper));
        // WHEN the user drags over the window
        MouseDrag::drag(&cropper, m_place.topLeft(), m_place.bottomRight());
        // THEN the crop is the window, in physical pixels from its first corner to its last
        const int scale = int(Os::scaleFactor());
        QImage window((m_place.size() - QSize(1, 1)) * scale + QSize(1, 1), QImage::Format_RGB32);
        window.fill(m_colour);
        QCOMPARE(cropper.result().toImage().convertToFormat(QImage::Format_RGB32), window);
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
