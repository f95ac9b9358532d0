#include "App.h"
#include "CenterFilter.h"
#include "Label.h"
#include "UpdateIndicationDialog.h"
#include "WaitLabel.h"

#include <QMovie>
#include <QPointer>
#include <QTimer>
#include <QtTest>

using namespace DORuverud;

namespace {

// A red square picture with a blue top-left quarter.
QPixmap squarePicture()
{
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    }
    return QPixmap::fromImage(image);
}

// The painted rectangle of red or blue, in device pixels.
QRect paintedRect(const QImage& image)
{
    QRect rect;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if ((qRed(pixel) > 200 || qBlue(pixel) > 200) && qGreen(pixel) < 50)
                rect |= QRect(x, y, 1, 1);
        }
    }
    return rect;
}

} // namespace

// Runs at a screen pixel ratio of 2.
class TestBusyIndicators : public QObject
{
    Q_OBJECT

private slots:
    void waitLabelAnimatesAndFreesItsAnimation()
    {
        QPointer<QMovie> movie;
        {
            WaitLabel label("<h1>Please wait</h1>");
            movie = label.findChild<QMovie*>();
            QVERIFY(movie);
            QVERIFY(movie->frameCount() > 1);
            QCOMPARE(movie->state(), QMovie::Running);
        }
        QVERIFY(movie.isNull());
    }

    void popupClosesAfterLastShow()
    {
        // GIVEN a popup: showing runs its timer and animation, hiding stops both
        UpdateIndicationDialog popup;
        popup.setText("Checking");
        auto* timer = popup.findChild<QTimer*>();
        auto* movie = popup.findChild<QMovie*>();
        popup.show();
        QVERIFY(timer->isActive());
        QCOMPARE(movie->state(), QMovie::Running);
        popup.hide();
        QVERIFY(!timer->isActive());
        QCOMPARE(movie->state(), QMovie::NotRunning);

        // WHEN it is shown again (with a short interval for the test)
        timer->setInterval(50);
        QTimer::singleShot(0, &popup, [&popup]() { popup.show(); });
        // THEN the timer accepts it: exec() returns 1 and the popup is hidden
        QCOMPARE(popup.exec(), 1);
        QVERIFY(!popup.isVisible());
    }

    void centerFilterCentresChild()
    {
        // GIVEN a 100 x 50 child of a 300 x 200 parent, with the filter
        QWidget parent;
        parent.resize(300, 200);
        auto* child = new QWidget(&parent);
        child->setGeometry(0, 0, 100, 50);
        child->hide();
        CenterFilter filter;
        child->installEventFilter(&filter);
        // WHEN the child is shown, THEN it stands centred
        parent.show();
        child->show();
        QCOMPARE(child->pos(), QPoint(100, 75));
    }

    void labelDrawsAtScreenRatio_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QRect>("logical");
        QTest::addColumn<int>("blueWidth");
        QTest::newRow("fit centres") << 0 << QRect(50, 0, 100, 100) << 100;
        QTest::newRow("fill from corner") << 1 << QRect(0, 0, 200, 100) << 200;
    }

    void labelDrawsAtScreenRatio()
    {
        QFETCH(int, mode);
        QFETCH(QRect, logical);
        QFETCH(int, blueWidth);
        QCOMPARE(App::theApp()->devicePixelRatio(), 2.0);
        // GIVEN a 200 x 100 label with a 400 x 400 picture
        Label label;
        label.setFixedSize(200, 100);
        label.setMode(Label::Mode(mode));
        label.setRetinaPixmap(squarePicture());
        // WHEN it paints at ratio 2
        const QImage image = label.grab().toImage();
        QCOMPARE(image.size(), QSize(400, 200));
        // THEN the picture covers the expected rectangle, one picture pixel per device pixel
        QCOMPARE(paintedRect(image), QRect(logical.topLeft() * 2, logical.size() * 2));
        const QPoint blue = logical.topLeft() * 2 + QPoint(blueWidth - 2, 10);
        QCOMPARE(QColor(image.pixel(blue)), QColor(Qt::blue));
        QCOMPARE(QColor(image.pixel(blue + QPoint(4, 0))), QColor(Qt::red));
        // AND a null picture paints nothing over the label's own content
        label.setRetinaPixmap(QPixmap());
        QVERIFY(paintedRect(label.grab().toImage()).isEmpty());
    }
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestBusyIndicators test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_BusyIndicators.moc"
