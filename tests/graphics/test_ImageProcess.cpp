#include "ImageProcess.h"
#include "ImageProcessDouble.h"
#include "ImageProcessFloat.h"
#include "ProgressLine.h"

#include <QTemporaryDir>
#include <QtTest>

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
    bool unchangedCopy() const
    {
        return m_nFlags & UnchangedCopy;
    }
    QSize size() const
    {
        return {m_nWidth, m_nHeight};
    }
};

template <class Image> int pixelAt(int depth, int colour, QPoint at)
{
    return Image(depth, 3, 2, colour).getPixel(at.x(), at.y());
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

} // namespace

// The planar image buffer, its pixels and filters, and the progress line.
class TestImageProcess : public QObject
{
    Q_OBJECT

private slots:
    void pixelsAtEachDepth_data();
    void pixelsAtEachDepth();
    void putPixelOnlyInside();
    void loadsImagesAndFiles_data();
    void loadsImagesAndFiles();
    void filters_data();
    void filters();
    void grayFromPaletteOnce();
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
    QTest::newRow("24-bit") << "byte" << 24 << 0x123456 << QPoint(2, 1) << 0x123456;
    QTest::newRow("left of the image") << "byte" << 24 << 0x123456 << QPoint(-1, 0) << 0;
    QTest::newRow("right of the image") << "byte" << 24 << 0x123456 << QPoint(3, 0) << 0;
    QTest::newRow("8-bit keeps the low byte") << "byte" << 8 << 0x1A5 << QPoint(0, 0) << 0xA5;
    QTest::newRow("1-bit set") << "byte" << 1 << 1 << QPoint(1, 1) << 1;
    QTest::newRow("other depths are 24-bit")
        << "byte" << 32 << 0xABCDEF << QPoint(0, 0) << 0xABCDEF;
    QTest::newRow("float 24-bit") << "float" << 24 << 0x123456 << QPoint(1, 0) << 0x123456;
    QTest::newRow("double 1-bit clear") << "double" << 1 << 0 << QPoint(1, 0) << 0;
}

void TestImageProcess::pixelsAtEachDepth()
{
    QFETCH(QString, samples);
    QFETCH(int, depth);
    QFETCH(int, colour);
    QFETCH(QPoint, at);
    QFETCH(int, pixel);
    const int read = samples == "float" ? pixelAt<DAvuroD::ImageProcessFloat>(depth, colour, at)
        : samples == "double"           ? pixelAt<DAvuroD::ImageProcessDouble>(depth, colour, at)
                                        : pixelAt<ImageProcess>(depth, colour, at);
    QCOMPARE(read, pixel);
}

void TestImageProcess::putPixelOnlyInside()
{
    const Probe source(24, 3, 2, 0);
    for (const QPoint at : {QPoint(-1, 1), QPoint(3, 1), QPoint(1, -1), QPoint(1, 2)}) {
        Probe copy(source);
        copy.putPixel(at.x(), at.y(), 0x010203);
        QVERIFY(copy.unchangedCopy());
    }
    Probe copy(source);
    copy.putPixel(1, 1, 0x010203);
    QVERIFY(!copy.unchangedCopy());
    QCOMPARE(copy.getPixel(1, 1), 0x010203);
}

void TestImageProcess::loadsImagesAndFiles_data()
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
void TestImageProcess::loadsImagesAndFiles()
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
    const Probe missing(dir.filePath("missing.png").toLatin1().constData());
    QCOMPARE(missing.size(), QSize(0, 0));

    const uchar bytes[] = {10, 20, 30, 40, 1, 2, 3, 4};
    const Probe planes(QImage(bytes, 2, 1, QImage::Format_ARGB32));
    QCOMPARE(planes.getPixel(0, 0), 0x1E140A);
    QCOMPARE(QVector<int>({planes.sample(0, 1), planes.sample(1, 1), planes.sample(2, 1),
                 planes.sample(3, 0), planes.sample(3, 1)}),
        QVector<int>({3, 2, 1, 40, 4}));
}

void TestImageProcess::filters_data()
{
    QTest::addColumn<bool>("binarize");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("colour");
    QTest::addColumn<int>("argument");
    QTest::addColumn<int>("pixel");
    QTest::newRow("brighter clamps at 255") << false << 24 << 0xF01020 << 30 << 0xFF2E3E;
    QTest::newRow("darker clamps at 0") << false << 24 << 0x14FF05 << -30 << 0x00E100;
    QTest::newRow("1-bit darkened to 0") << false << 1 << 1 << -200 << 0;
    QTest::newRow("1-bit lightened to 1") << false << 1 << 0 << 200 << 1;
    QTest::newRow("8-bit keeps its index") << false << 8 << 7 << 30 << 7;
    QTest::newRow("colour averaging 100 is dark") << true << 24 << 0x0AC85A << 127 << 0;
    QTest::newRow("colour averaging 128 is light") << true << 24 << 0x80C040 << 127 << 0xFFFFFF;
    QTest::newRow("8-bit index above") << true << 8 << 100 << 99 << 255;
    QTest::newRow("8-bit index at") << true << 8 << 100 << 100 << 0;
}

void TestImageProcess::filters()
{
    QFETCH(bool, binarize);
    QFETCH(int, depth);
    QFETCH(int, colour);
    QFETCH(int, argument);
    QFETCH(int, pixel);
    Probe buffer(depth, 2, 1, colour);
    QCOMPARE(
        (binarize ? buffer.binarize(argument) : buffer.brightness(argument)).getPixel(1, 0), pixel);
    if (depth == 8 && !binarize)
        QCOMPARE(int(buffer.palette(2)[colour]), colour + argument);
}

void TestImageProcess::grayFromPaletteOnce()
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
}

void TestImageProcess::copiesAreIndependent()
{
    ImageProcess source(24, 2, 2, 0x405060);
    source.colorToGray();
    ImageProcess copy(source);
    copy.putPixel(0, 0, 0xFFFFFF);
    QCOMPARE(source.getPixel(0, 0), 0x505050);
    // The gray bit came along: brightness works on the planes directly.
    QCOMPARE(copy.brightness(10).getPixel(1, 1), 0x5A5A5A);
}

void TestImageProcess::progressNeverFalls()
{
    struct Shown : DAvuroD::ProgressLine
    {
        Shown()
            : ProgressLine(0, 0, 100, 4, 0)
        {
        }
        int percent() const
        {
            return m_nPercent;
        }
    } line;
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

QTEST_GUILESS_MAIN(TestImageProcess)
#include "test_ImageProcess.moc"
