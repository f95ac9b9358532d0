#include "ImageProcess.h"
#include "ImageProcessDouble.h"
#include "ImageProcessFloat.h"
#include "ProgressLine.h"

#include <QTemporaryDir>
#include <QtTest>

using DAvuroD::ImageProcess;

namespace {

// Reads what the buffer keeps besides its pixels.
class Probe : public ImageProcess
{
public:
    using ImageProcess::ImageProcess;
    int sample(int plane, int i) const
    {
        return m_pPlanes[plane] ? m_pPlanes[plane][i] : -1;
    }
    unsigned char* palette(int i) const
    {
        return m_pPalettes[i].get();
    }
    bool unchangedCopy() const
    {
        return m_nFlags & UnchangedCopy;
    }
    QSize size() const
    {
        return {m_nWidth, m_nHeight};
    }
};

class ShownProgress : public DAvuroD::ProgressLine
{
public:
    ShownProgress()
        : ProgressLine(0, 0, 100, 4, 0)
    {
    }
    int percent() const
    {
        return m_nPercent;
    }
};

template <class Image> int pixelAt(int depth, int colour, int x, int y)
{
    const Image image(depth, 3, 2, colour);
    return image.getPixel(x, y);
}

QImage filled(QImage::Format format, QRgb colour)
{
    QImage image(3, 2, format);
    if (format != QImage::Format_Indexed8 && format != QImage::Format_Mono) {
        image.fill(QColor(colour));
        return image;
    }
    image.setColorTable({qRgb(0, 0, 0), colour});
    image.fill(1);
    return image;
}

} // namespace

// The planar image buffer, its pixels, filters and progress line.
class TestImageProcess : public QObject
{
    Q_OBJECT

private slots:
    void pixelsAtEachDepth_data();
    void pixelsAtEachDepth();
    void putPixelOnlyInside_data();
    void putPixelOnlyInside();
    void loadsThirtyTwoBitPixels();
    void convertsOtherFormats_data();
    void convertsOtherFormats();
    void loadsFiles();
    void brightness_data();
    void brightness();
    void binarize_data();
    void binarize();
    void grayFromPalette();
    void copiesAreIndependent();
    void progressNeverFalls();
};

void TestImageProcess::pixelsAtEachDepth_data()
{
    QTest::addColumn<QString>("samples");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("colour");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("pixel");
    QTest::newRow("24-bit colour") << "byte" << 24 << 0x123456 << QPoint(2, 1) << 0x123456;
    QTest::newRow("24-bit left of the image") << "byte" << 24 << 0x123456 << QPoint(-1, 0) << 0;
    QTest::newRow("24-bit right of the image") << "byte" << 24 << 0x123456 << QPoint(3, 0) << 0;
    QTest::newRow("24-bit below the image") << "byte" << 24 << 0x123456 << QPoint(0, 2) << 0;
    QTest::newRow("8-bit keeps the low byte") << "byte" << 8 << 0x1A5 << QPoint(0, 0) << 0xA5;
    QTest::newRow("1-bit set") << "byte" << 1 << 1 << QPoint(1, 1) << 1;
    QTest::newRow("1-bit clear") << "byte" << 1 << 0 << QPoint(1, 1) << 0;
    QTest::newRow("other depths are 24-bit")
        << "byte" << 32 << 0xABCDEF << QPoint(0, 0) << 0xABCDEF;
    QTest::newRow("float 24-bit") << "float" << 24 << 0x123456 << QPoint(1, 0) << 0x123456;
    QTest::newRow("float 1-bit") << "float" << 1 << 1 << QPoint(1, 0) << 1;
    QTest::newRow("double 8-bit") << "double" << 8 << 200 << QPoint(1, 0) << 200;
    QTest::newRow("double outside") << "double" << 24 << 0xFFFFFF << QPoint(0, -1) << 0;
}

void TestImageProcess::pixelsAtEachDepth()
{
    QFETCH(QString, samples);
    QFETCH(int, depth);
    QFETCH(int, colour);
    QFETCH(QPoint, at);
    QFETCH(int, pixel);
    if (samples == "float")
        QCOMPARE(pixelAt<DAvuroD::ImageProcessFloat>(depth, colour, at.x(), at.y()), pixel);
    else if (samples == "double")
        QCOMPARE(pixelAt<DAvuroD::ImageProcessDouble>(depth, colour, at.x(), at.y()), pixel);
    else
        QCOMPARE(pixelAt<ImageProcess>(depth, colour, at.x(), at.y()), pixel);
}

void TestImageProcess::putPixelOnlyInside_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("changed");
    QTest::newRow("inside") << QPoint(1, 1) << true;
    QTest::newRow("left") << QPoint(-1, 1) << false;
    QTest::newRow("right") << QPoint(3, 1) << false;
    QTest::newRow("above") << QPoint(1, -1) << false;
    QTest::newRow("below") << QPoint(1, 2) << false;
}

void TestImageProcess::putPixelOnlyInside()
{
    QFETCH(QPoint, at);
    QFETCH(bool, changed);
    const Probe source(24, 3, 2, 0);
    Probe copy(source);
    QVERIFY(copy.unchangedCopy());
    copy.putPixel(at.x(), at.y(), 0x010203);
    QCOMPARE(copy.unchangedCopy(), !changed);
    QCOMPARE(copy.getPixel(at.x(), at.y()), changed ? 0x010203 : 0);
}

void TestImageProcess::loadsThirtyTwoBitPixels()
{
    const uchar bytes[] = {10, 20, 30, 40, 1, 2, 3, 4};
    const QImage image(bytes, 2, 1, QImage::Format_ARGB32);
    const Probe buffer(image);
    QCOMPARE(buffer.getPixel(0, 0), 0x1E140A);
    QCOMPARE(buffer.getPixel(1, 0), 0x030201);
    const QVector<int> planes
        = {buffer.sample(0, 0), buffer.sample(0, 1), buffer.sample(1, 0), buffer.sample(1, 1),
            buffer.sample(2, 0), buffer.sample(2, 1), buffer.sample(3, 0), buffer.sample(3, 1)};
    QCOMPARE(planes, QVector<int>({30, 3, 20, 2, 10, 1, 40, 4}));
}

void TestImageProcess::convertsOtherFormats_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<int>("pixel");
    QTest::newRow("24-bit") << filled(QImage::Format_RGB888, 0x336699) << 0x336699;
    QTest::newRow("16-bit") << filled(QImage::Format_RGB16, 0xFF0000) << 0xFF0000;
    QTest::newRow("8-bit palette") << filled(QImage::Format_Indexed8, 0x102030) << 0x102030;
    QTest::newRow("8-bit gray") << filled(QImage::Format_Grayscale8, 0x808080) << 0x808080;
    QTest::newRow("1-bit") << filled(QImage::Format_Mono, 0xFFFFFF) << 0xFFFFFF;
}

// Every pixel read back, so that a read past a shorter source shows under ASan.
void TestImageProcess::convertsOtherFormats()
{
    QFETCH(QImage, image);
    QFETCH(int, pixel);
    const ImageProcess buffer(image);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(buffer.getPixel(i % 3, i / 3), pixel);
}

void TestImageProcess::loadsFiles()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("picture.png");
    QVERIFY(filled(QImage::Format_RGB32, 0x0A0B0C).save(path));
    const Probe loaded(path.toLatin1().constData());
    QCOMPARE(loaded.size(), QSize(3, 2));
    QCOMPARE(loaded.getPixel(2, 1), 0x0A0B0C);
    const Probe missing(dir.filePath("missing.png").toLatin1().constData());
    QCOMPARE(missing.size(), QSize(0, 0));
    QCOMPARE(missing.getPixel(0, 0), 0);
}

void TestImageProcess::brightness_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("colour");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("pixel");
    QTest::addColumn<int>("paletteEntry");
    QTest::newRow("24-bit clamps at 255") << 24 << 0xF01020 << 30 << 0xFF2E3E << -1;
    QTest::newRow("24-bit clamps at 0") << 24 << 0x14FF05 << -30 << 0x00E100 << -1;
    QTest::newRow("1-bit darkened to 0") << 1 << 1 << -200 << 0 << -1;
    QTest::newRow("1-bit lightened to 1") << 1 << 0 << 200 << 1 << -1;
    QTest::newRow("8-bit brightens the palette") << 8 << 7 << 30 << 7 << 37;
    QTest::newRow("8-bit palette clamps") << 8 << 250 << 30 << 250 << 255;
}

void TestImageProcess::brightness()
{
    QFETCH(int, depth);
    QFETCH(int, colour);
    QFETCH(int, delta);
    QFETCH(int, pixel);
    QFETCH(int, paletteEntry);
    Probe buffer(depth, 2, 2, colour);
    buffer.brightness(delta);
    QCOMPARE(buffer.getPixel(1, 1), pixel);
    if (paletteEntry >= 0) {
        for (int i = 0; i < 3; ++i)
            QCOMPARE(int(buffer.palette(i)[colour]), paletteEntry);
    }
}

void TestImageProcess::binarize_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("colour");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<int>("pixel");
    QTest::newRow("colour averaging 100 is dark") << 24 << 0x0AC85A << 127 << 0x000000;
    QTest::newRow("colour averaging 128 is light") << 24 << 0x80C040 << 127 << 0xFFFFFF;
    QTest::newRow("at the threshold is dark") << 24 << 0x7F7F7F << 127 << 0x000000;
    QTest::newRow("8-bit index above") << 8 << 100 << 99 << 255;
    QTest::newRow("8-bit index at") << 8 << 100 << 100 << 0;
}

void TestImageProcess::binarize()
{
    QFETCH(int, depth);
    QFETCH(int, colour);
    QFETCH(int, threshold);
    QFETCH(int, pixel);
    ImageProcess buffer(depth, 2, 1, colour);
    QCOMPARE(buffer.binarize(threshold).getPixel(0, 0), pixel);
}

void TestImageProcess::grayFromPalette()
{
    Probe buffer(8, 2, 1, 5);
    buffer.palette(0)[5] = 30;
    buffer.palette(1)[5] = 60;
    buffer.palette(2)[5] = 91;
    buffer.colorToGray();
    QCOMPARE(buffer.getPixel(0, 0), 60);
    QCOMPARE(int(buffer.palette(2)[5]), 5);
    QCOMPARE(int(buffer.palette(0)[60]), 60);

    // Gray already: a second conversion changes nothing.
    buffer.palette(0)[60] = 0;
    buffer.colorToGray();
    QCOMPARE(buffer.getPixel(0, 0), 60);
    QCOMPARE(int(buffer.palette(0)[60]), 0);
}

void TestImageProcess::copiesAreIndependent()
{
    ImageProcess source(24, 2, 2, 0x405060);
    source.colorToGray();
    ImageProcess copy(source);
    copy.putPixel(0, 0, 0xFFFFFF);
    QCOMPARE(source.getPixel(0, 0), 0x505050);
    // The gray bit came along: brightness works on the planes, no conversion.
    copy.brightness(10);
    QCOMPARE(copy.getPixel(1, 1), 0x5A5A5A);
    QCOMPARE(copy.getPixel(0, 0), 0xFFFFFF);
}

void TestImageProcess::progressNeverFalls()
{
    ShownProgress line;
    line.progress(40);
    line.progress(20);
    line.progress(-5);
    QCOMPARE(line.percent(), 40);
    line.progressRel(50);
    line.progressRel(-30);
    QCOMPARE(line.percent(), 90);
    line.progressRel(50);
    QCOMPARE(line.percent(), 100);
    line.progress(500);
    QCOMPARE(line.percent(), 100);
}

QTEST_GUILESS_MAIN(TestImageProcess)
#include "test_ImageProcess.moc"
