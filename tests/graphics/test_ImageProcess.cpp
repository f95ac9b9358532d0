#include "../common/ReferenceBlur.h"
#include "DrawTools.h"
#include "ImageProcess.h"
#include "ImageProcessDouble.h"
#include "ImageProcessFloat.h"
#include "ProgressLine.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using DAvuroD::DrawTools;
using DAvuroD::ImageProcess;

namespace {

// Reads what the buffer keeps besides its pixels.
struct Probe : ImageProcess
{
    using ImageProcess::ImageProcess;
    int sample(int plane, int i) const
    {
        return m_pPlanes[plane][i];
    }
    unsigned char* palette(int i) const
    {
        return m_pPalettes[i].get();
    }
    QSize size() const
    {
        return {m_nWidth, m_nHeight};
    }
};

struct Progress : DAvuroD::ProgressLine
{
    Progress()
        : ProgressLine(0, 0, 100, 4, 0)
    {
    }
    int percent() const
    {
        return m_nPercent;
    }
};

template <class Image = ImageProcess> int pixel(int depth, int colour, QPoint at = {1, 0})
{
    return Image(depth, 3, 2, colour).getPixel(at.x(), at.y());
}

int brightened(int depth, int colour, int amount)
{
    return ImageProcess(depth, 2, 1, colour).brightness(amount).getPixel(1, 0);
}

int binarized(int depth, int colour, int threshold)
{
    return ImageProcess(depth, 2, 1, colour).binarize(threshold).getPixel(1, 0);
}

QImage filled(QImage::Format format, QRgb colour)
{
    QImage image(3, 2, format);
    if (format == QImage::Format_Indexed8 || format == QImage::Format_Mono) {
        image.setColorTable({qRgb(0, 0, 0), colour});
        image.fill(1);
    } else {
        image.fill(QColor(colour));
    }
    return image;
}

QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int i = 0; i < width * height; ++i) {
        const int x = i % width, y = i / width;
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

// The pixel re-tinted, as "#aarrggbb" when the result is premultiplied.
QString colorized(const QColor& from, const QColor& to, const QColor& pixel)
{
    QImage image(1, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, pixel.rgba());
    const QImage result = DrawTools::colorizeImage(image, from, to);
    return result.format() == QImage::Format_ARGB32_Premultiplied
        ? result.pixelColor(0, 0).name(QColor::HexArgb)
        : QStringLiteral("not premultiplied");
}

} // namespace

// The planar image buffer, its pixels and filters, the progress line, and the
// drawing tools: re-tinting, blurring and the text bubble.
class TestImageProcess : public QObject
{
    Q_OBJECT

private slots:
    void pixels_data()
    {
        QTest::addColumn<int>("actual");
        QTest::addColumn<int>("expected");
        QTest::newRow("24-bit") << pixel(24, 0x123456, {2, 1}) << 0x123456;
        QTest::newRow("left of the image") << pixel(24, 0x123456, {-1, 0}) << 0;
        QTest::newRow("right of the image") << pixel(24, 0x123456, {3, 0}) << 0;
        QTest::newRow("8-bit keeps the low byte") << pixel(8, 0x1A5) << 0xA5;
        QTest::newRow("1-bit set") << pixel(1, 1, {1, 1}) << 1;
        QTest::newRow("other depths are 24-bit") << pixel(32, 0xABCDEF) << 0xABCDEF;
        QTest::newRow("float 24-bit")
            << pixel<DAvuroD::ImageProcessFloat>(24, 0x123456) << 0x123456;
        QTest::newRow("double 1-bit clear") << pixel<DAvuroD::ImageProcessDouble>(1, 0) << 0;
        QTest::newRow("brighter clamps at 255") << brightened(24, 0xF01020, 30) << 0xFF2E3E;
        QTest::newRow("darker clamps at 0") << brightened(24, 0x14FF05, -30) << 0x00E100;
        QTest::newRow("1-bit darkened to 0") << brightened(1, 1, -200) << 0;
        QTest::newRow("1-bit lightened to 1") << brightened(1, 0, 200) << 1;
        QTest::newRow("8-bit keeps its index") << brightened(8, 7, 30) << 7;
        Probe palette(8, 2, 1, 7);
        palette.brightness(30);
        QTest::newRow("8-bit brightens its palette") << int(palette.palette(2)[7]) << 37;
        QTest::newRow("binarize: colour averaging 100 is dark")
            << binarized(24, 0x0AC85A, 127) << 0;
        QTest::newRow("binarize: colour averaging 128 is light")
            << binarized(24, 0x80C040, 127) << 0xFFFFFF;
        QTest::newRow("binarize: 8-bit index above") << binarized(8, 100, 99) << 255;
        QTest::newRow("binarize: 8-bit index at") << binarized(8, 100, 100) << 0;
    }
    void pixels()
    {
        QFETCH(int, actual);
        QFETCH(int, expected);
        QCOMPARE(actual, expected);
    }

    void loadsImagesAndFiles_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<int>("pixel");
        QTest::newRow("24-bit") << filled(QImage::Format_RGB888, 0x336699) << 0x336699;
        QTest::newRow("16-bit") << filled(QImage::Format_RGB16, 0xFF0000) << 0xFF0000;
        QTest::newRow("8-bit palette") << filled(QImage::Format_Indexed8, 0x102030) << 0x102030;
        QTest::newRow("8-bit gray") << filled(QImage::Format_Grayscale8, 0x808080) << 0x808080;
        QTest::newRow("1-bit") << filled(QImage::Format_Mono, 0xFFFFFF) << 0xFFFFFF;
        QTest::newRow("32-bit") << filled(QImage::Format_ARGB32, 0x0A0B0C) << 0x0A0B0C;
    }
    // Every pixel is read back, so that a read past a shorter source shows under ASan.
    void loadsImagesAndFiles()
    {
        QFETCH(QImage, image);
        QFETCH(int, pixel);
        QTemporaryDir dir;
        QVERIFY(image.save(dir.filePath("a.png")));
        const Probe fromImage(image), fromFile(dir.filePath("a.png").toLatin1().constData());
        QCOMPARE(fromFile.size(), QSize(3, 2));
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(fromImage.getPixel(i % 3, i / 3), pixel);
            QCOMPARE(fromFile.getPixel(i % 3, i / 3), pixel);
        }
        QCOMPARE(Probe(dir.filePath("missing.png").toLatin1().constData()).size(), QSize(0, 0));
        const uchar bytes[] = {10, 20, 30, 40, 1, 2, 3, 4};
        const Probe planes(QImage(bytes, 2, 1, QImage::Format_ARGB32));
        QCOMPARE(planes.getPixel(0, 0), 0x1E140A);
        QCOMPARE(QVector<int>({planes.sample(0, 1), planes.sample(1, 1), planes.sample(2, 1),
                     planes.sample(3, 0), planes.sample(3, 1)}),
            QVector<int>({3, 2, 1, 40, 4}));
    }

    void grayFromPaletteOnceAndCopies()
    {
        Probe buffer(8, 2, 1, 5);
        buffer.palette(0)[5] = 30;
        buffer.palette(1)[5] = 60;
        buffer.palette(2)[5] = 91;
        buffer.colorToGray();
        QCOMPARE(buffer.getPixel(0, 0), 60);
        QCOMPARE(int(buffer.palette(2)[5]), 5);
        buffer.palette(0)[60] = 0;
        buffer.colorToGray();
        QCOMPARE(buffer.getPixel(0, 0), 60);
        QCOMPARE(int(buffer.palette(0)[60]), 0);

        ImageProcess source(24, 2, 2, 0x405060);
        source.colorToGray();
        ImageProcess copy(source);
        copy.putPixel(0, 0, 0xFFFFFF);
        QCOMPARE(source.getPixel(0, 0), 0x505050);
        // The gray bit came along: brightness works on the planes directly.
        QCOMPARE(copy.brightness(10).getPixel(1, 1), 0x5A5A5A);
    }

    void progressNeverFalls()
    {
        Progress line;
        line.progress(40);
        line.progress(20);
        line.progressRel(-30);
        QCOMPARE(line.percent(), 40);
        line.progressRel(50);
        QCOMPARE(line.percent(), 90);
        line.progressRel(50);
        line.progress(500);
        QCOMPARE(line.percent(), 100);
    }

    void colorize_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QColor>("expected");
        const QColor blue(0, 0, 255), red(255, 0, 0), hue355 = QColor::fromHsv(355, 255, 255);
        QTest::newRow("hue 235 becomes 354")
            << colorized(blue, red, ofHue(235)) << QColor::fromHsv(354, 255, 255);
        QTest::newRow("hue 249 becomes 9")
            << colorized(blue, red, ofHue(249)) << QColor::fromHsv(9, 255, 255);
        QTest::newRow("hue 250 is left alone") << colorized(blue, red, ofHue(250)) << ofHue(250);
        QTest::newRow("alpha is kept")
            << colorized(blue, red, ofHue(240, 77)) << QColor::fromHsv(0, 255, 255, 77);
        QTest::newRow("same hue: 359 wraps to 0")
            << colorized(hue355, hue355, ofHue(359)) << QColor::fromHsv(0, 255, 255);
        QTest::newRow("half the saturation halves it") << colorized(QColor::fromHsv(120, 200, 255),
            QColor::fromHsv(120, 100, 255), QColor::fromHsv(120, 151, 255))
                                                       << QColor::fromHsv(120, 75, 255);
        QTest::newRow("value scaled and clamped") << colorized(QColor::fromHsv(60, 255, 100),
            QColor::fromHsv(60, 255, 200), QColor::fromHsv(60, 255, 180))
                                                  << QColor::fromHsv(60, 255, 255);
        QTest::newRow("gray source takes the target saturation and value")
            << colorized(Qt::black, red, Qt::black) << red;
    }
    void colorize()
    {
        QFETCH(QString, actual);
        QFETCH(QColor, expected);
        QCOMPARE(actual, expected.name(QColor::HexArgb));
    }

    void blur_data()
    {
        QTest::addColumn<QImage>("source");
        QTest::addColumn<int>("radius");
        QTest::addColumn<bool>("alphaOnly");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<bool>("changes");
        const QImage small = picture(31, 23);
        QImage premultiplied = small.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        premultiplied.setText("Title", "premultiplied");
        premultiplied.setDotsPerMeterX(1234);
        const QImage large = picture(640, 480).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QRect inside(3, 2, 20, 15);
        QTest::newRow("radius 17") << small << 17 << false << inside << true;
        QTest::newRow("radius 18") << small << 18 << false << inside << true;
        QTest::newRow("alpha only") << small << 10 << true << inside << true;
        QTest::newRow("reversed rectangle")
            << small << 5 << false << QRect(QPoint(22, 16), QPoint(3, 2)) << true;
        QTest::newRow("beyond every edge") << small << 3 << false << QRect(-5, -5, 50, 40) << true;
        QTest::newRow("radius 0") << small << 0 << false << inside << false;
        QTest::newRow("left of the image")
            << small << 10 << false << QRect(-40, 0, 20, 23) << false;
        QTest::newRow("one column") << small << 4 << false << QRect(7, 0, 1, 23) << true;
        QTest::newRow("one row") << small << 4 << false << QRect(0, 7, 31, 1) << true;
        QTest::newRow("premultiplied, 5 x 3")
            << premultiplied << 2 << false << QRect(2, 3, 5, 3) << true;
        QTest::newRow("premultiplied, alpha only") << premultiplied << 1 << true << inside << true;
        QTest::newRow("large") << large << 10 << false << QRect(5, 3, 630, 470) << true;
    }
    // Against the four passes written plainly; colour bytes stay with
    // alphaOnly, and the image keeps its resolution and texts.
    void blur()
    {
        QFETCH(QImage, source);
        QFETCH(int, radius);
        QFETCH(bool, alphaOnly);
        QFETCH(QRect, rect);
        QFETCH(bool, changes);
        const QImage before = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage result = DrawTools::blurred(source, rect, radius, alphaOnly);
        QCOMPARE(result, referenceBlur(source, rect, radius, alphaOnly));
        QCOMPARE(result != before, changes);
        QCOMPARE(result.dotsPerMeterX(), source.dotsPerMeterX());
        QCOMPARE(result.text(), source.text());
        for (int i = 0; alphaOnly && i < source.width() * source.height(); ++i) {
            const QPoint at(i % source.width(), i / source.width());
            QCOMPARE(result.pixel(at) & 0xFFFFFF, before.pixel(at) & 0xFFFFFF);
        }
    }

    void drawInfoPaintsABubble()
    {
        QImage canvas(200, 60, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        DrawTools::drawInfo(&painter, QPoint(10, 10), "Info", QFont(), Qt::blue, false, 1.0f);
        QVERIFY(painter.opacity() == 1.0 && painter.pen().style() == Qt::SolidLine);
        painter.end();
        const QFontMetrics metrics {QFont()};
        QVERIFY(qAlpha(canvas.pixel(10 + 20, 10 + metrics.height() / 2)) > 0);
        QCOMPARE(qAlpha(canvas.pixel(5, 5)), 0);
        QCOMPARE(qAlpha(canvas.pixel(10 + metrics.horizontalAdvance("Info") + 15 + 2, 12)), 0);
    }
};

QTEST_MAIN(TestImageProcess)
#include "test_ImageProcess.moc"
