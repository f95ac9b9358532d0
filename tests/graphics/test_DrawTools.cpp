#include "../common/ReferenceBlur.h"
#include "DrawTools.h"

#include <QPainter>
#include <QtTest>

using DAvuroD::DrawTools;

namespace {

QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba(x * 37 % 256, y * 53 % 256, (x * y) % 256, 128 + x % 128));
    }
    return image;
}

// An opaque, fully saturated colour whose hue reads back as exactly `hue`.
QColor ofHue(int hue, int alpha = 255)
{
    for (int tenth = 0; tenth < 10; ++tenth) {
        QColor colour(QColor::fromHsvF((hue + tenth / 10.0) / 360.0, 1.0, 1.0).rgb());
        if (colour.hsvHue() == hue) {
            colour.setAlpha(alpha);
            return colour;
        }
    }
    return {};
}

QImage onePixel(const QColor& colour)
{
    QImage image(1, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, colour.rgba());
    return image;
}

} // namespace

// Re-tinting, blurring and the text bubble.
class TestDrawTools : public QObject
{
    Q_OBJECT

private slots:
    void colorize_data();
    void colorize();
    void blur_data();
    void blur();
    void drawInfoPaintsABubble();
};

void TestDrawTools::colorize_data()
{
    QTest::addColumn<QColor>("from");
    QTest::addColumn<QColor>("to");
    QTest::addColumn<QColor>("pixel");
    QTest::addColumn<QColor>("expected");
    const QColor blue(0, 0, 255);
    const QColor red(255, 0, 0);
    QTest::newRow("hue 235 becomes 354")
        << blue << red << ofHue(235) << QColor::fromHsv(354, 255, 255);
    QTest::newRow("hue 249 becomes 9") << blue << red << ofHue(249) << QColor::fromHsv(9, 255, 255);
    QTest::newRow("hue 250 is left alone") << blue << red << ofHue(250) << ofHue(250);
    QTest::newRow("alpha is kept")
        << blue << red << ofHue(240, 77) << QColor::fromHsv(0, 255, 255, 77);
    QTest::newRow("same hue: 359 wraps to 0")
        << QColor::fromHsv(355, 255, 255) << QColor::fromHsv(355, 255, 255) << ofHue(359)
        << QColor::fromHsv(0, 255, 255);
    QTest::newRow("half the saturation halves it")
        << QColor::fromHsv(120, 200, 255) << QColor::fromHsv(120, 100, 255)
        << QColor::fromHsv(120, 151, 255) << QColor::fromHsv(120, 75, 255);
    QTest::newRow("value scaled and clamped")
        << QColor::fromHsv(60, 255, 100) << QColor::fromHsv(60, 255, 200)
        << QColor::fromHsv(60, 255, 180) << QColor::fromHsv(60, 255, 255);
    QTest::newRow("gray source takes the target saturation and value")
        << QColor(0, 0, 0) << red << QColor(0, 0, 0) << red;
}

void TestDrawTools::colorize()
{
    QFETCH(QColor, from);
    QFETCH(QColor, to);
    QFETCH(QColor, pixel);
    QFETCH(QColor, expected);
    const QImage source = onePixel(pixel);
    const QImage result = DrawTools::colorizeImage(source, from, to);
    QCOMPARE(result.format(), QImage::Format_ARGB32_Premultiplied);
    const QColor colour = result.pixelColor(0, 0);
    QCOMPARE(colour.name(QColor::HexArgb), expected.name(QColor::HexArgb));
    QCOMPARE(source, onePixel(pixel));
}

void TestDrawTools::blur_data()
{
    QTest::addColumn<int>("radius");
    QTest::addColumn<bool>("alphaOnly");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<bool>("changes");
    const QRect inside(3, 2, 20, 15);
    QTest::newRow("radius 1") << 1 << false << inside << true;
    QTest::newRow("radius 17") << 17 << false << inside << true;
    QTest::newRow("radius 18") << 18 << false << inside << true;
    QTest::newRow("radius 100") << 100 << false << inside << true;
    QTest::newRow("alpha only") << 10 << true << inside << true;
    QTest::newRow("reversed rectangle")
        << 5 << false << QRect(QPoint(22, 16), QPoint(3, 2)) << true;
    QTest::newRow("beyond every edge") << 3 << false << QRect(-5, -5, 50, 40) << true;
    QTest::newRow("radius 0") << 0 << false << inside << false;
    QTest::newRow("negative radius") << -4 << false << inside << false;
    QTest::newRow("left of the image") << 10 << false << QRect(-40, 0, 20, 23) << false;
    QTest::newRow("below the image") << 10 << false << QRect(0, 23, 31, 5) << false;
}

// Against the four passes written plainly; colour bytes stay with alphaOnly.
void TestDrawTools::blur()
{
    QFETCH(int, radius);
    QFETCH(bool, alphaOnly);
    QFETCH(QRect, rect);
    QFETCH(bool, changes);
    const QImage source = picture(31, 23);
    const QImage before = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage result = DrawTools::blurred(source, rect, radius, alphaOnly);
    QCOMPARE(result, referenceBlur(source, rect, radius, alphaOnly));
    QCOMPARE(result != before, changes);
    const auto* after = reinterpret_cast<const QRgb*>(result.constBits());
    for (int i = 0; alphaOnly && i < 31 * 23; ++i)
        QCOMPARE(
            after[i] & 0xFFFFFF, reinterpret_cast<const QRgb*>(before.constBits())[i] & 0xFFFFFF);
}

void TestDrawTools::drawInfoPaintsABubble()
{
    QImage canvas(200, 60, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    const QFont font;
    DrawTools::drawInfo(
        &painter, QPoint(10, 10), QStringLiteral("Info"), font, Qt::blue, false, 1.0f);
    QCOMPARE(painter.opacity(), 1.0);
    QCOMPARE(painter.pen().style(), Qt::SolidLine);
    painter.end();

    const QFontMetrics metrics(font);
    const int right = 10 + metrics.horizontalAdvance(QStringLiteral("Info")) + 15;
    QVERIFY(qAlpha(canvas.pixel(10 + 20, 10 + metrics.height() / 2)) > 0);
    QCOMPARE(qAlpha(canvas.pixel(5, 5)), 0);
    QCOMPARE(qAlpha(canvas.pixel(right + 2, 12)), 0);
}

QTEST_MAIN(TestDrawTools)
#include "test_DrawTools.moc"
