#include "App.h"
#include "Label.h"

#include <QtTest>

using DORuverud::Label;

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
            const bool saturated = qRed(pixel) > 200 || qBlue(pixel) > 200;
            if (saturated && qGreen(pixel) < 50)
                rect |= QRect(x, y, 1, 1);
        }
    }
    return rect;
}

} // namespace

class TestLabel : public QObject
{
    Q_OBJECT

private slots:
    void drawsAtScreenRatio_data();
    void drawsAtScreenRatio();
    void modeTakesEffectAtNextRepaint();
};

void TestLabel::drawsAtScreenRatio_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QRect>("logical");
    QTest::addColumn<int>("blueWidth");
    QTest::newRow("fit centres") << 0 << QRect(50, 0, 100, 100) << 100;
    QTest::newRow("fill from corner") << 1 << QRect(0, 0, 200, 100) << 200;
}

void TestLabel::drawsAtScreenRatio()
{
    QFETCH(int, mode);
    QFETCH(QRect, logical);
    QFETCH(int, blueWidth);
    QCOMPARE(DORuverud::App::theApp()->devicePixelRatio(), 2.0);
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
}

void TestLabel::modeTakesEffectAtNextRepaint()
{
    Label label;
    label.setFixedSize(200, 100);
    label.setRetinaPixmap(squarePicture());
    label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&label));
    QCoreApplication::processEvents();
    bool painted = false;
    struct PaintWatcher : QObject
    {
        bool* flag;
        explicit PaintWatcher(bool* f)
            : flag(f)
        {
        }
        bool eventFilter(QObject*, QEvent* event) override
        {
            *flag |= event->type() == QEvent::Paint || event->type() == QEvent::UpdateRequest;
            return false;
        }
    } watcher(&painted);
    label.installEventFilter(&watcher);
    label.setMode(Label::Fill);
    QCoreApplication::processEvents();
    QVERIFY(!painted);
    QCOMPARE(paintedRect(label.grab().toImage()), QRect(0, 0, 400, 200));

    // A null picture paints nothing over the label's own content.
    label.setRetinaPixmap(QPixmap());
    QVERIFY(paintedRect(label.grab().toImage()).isEmpty());
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestLabel test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_Label.moc"
