#include "../common/HostileHtml.h"
#include "../common/RunawayBound.h"
#include "../common/TestFolder.h"
#include "HostilePicture.h"
#include "HostileSvg.h"
#include "ImageProcess.h"
#include "PictureCost.h"
#include "PictureLoader.h"
#include "PictureReader.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageReader>
#include <QScopeGuard>
#include <QtTest>

using DAvuroD::PictureLoader;
using DAvuroD::PictureReader;

namespace {

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer keeps freed memory in quarantine and shadows what is held: 1 GiB.
constexpr qint64 mostSvgGrowth = 1 << 20;
#else
// 300 MB of peak memory growth, in KiB.
constexpr qint64 mostSvgGrowth = 300000000 / 1024;
#endif

// A picture of one colour, or a file that is none where size is invalid.
QString writePicture(TestFolder& folder, const QString& name, const QSize& size)
{
    if (!size.isValid())
        return folder.write(name, "not a picture");
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    image.save(folder.path(name));
    return folder.path(name);
}

QImage readAs(const QString& how, const QString& path, const QSize& bound)
{
    if (how == "fitted")
        return PictureReader::readFitted(path, bound);
    if (how == "stretched")
        return PictureReader::readStretched(path, bound);
    QFile file(path);
    QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QBuffer data(&bytes);
    if (how == "data")
        return PictureReader::read(&data);
    return PictureReader::read(path);
}

// Bytes that can be read only once, in order.
class SequentialBuffer : public QBuffer
{
public:
    explicit SequentialBuffer(const QByteArray& bytes)
    {
        setData(bytes);
        open(QIODevice::ReadOnly);
    }

    bool isSequential() const override
    {
        return true;
    }
};

// A path zigzagging count times across a side x side square.
QByteArray zigzag(int side, int count)
{
    QByteArray path = "<path fill=\"red\" d=\"M 0 0";
    for (int i = 0; i < count; ++i)
        path += (i % 2 ? " L " + QByteArray::number(side) : QByteArray(" L 0")) + ' '
            + QByteArray::number(i % side);
    return HostileSvg::drawing(side, path + "\"/>");
}

} // namespace

// Pictures read within a pixel budget, at the size they are shown, one by
// one and a list of them in the thread pool.
class TestPictureReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_huge = m_files.write("huge.png", hugePicture());
        QVERIFY(QFileInfo(m_huge).size() < 600 * 1024);
        m_files.write("progressive.jpg", hugeJpeg(23000, true));
        m_files.write("header.jpg", hugeJpeg(23000));
        QVERIFY(writePhotograph(m_files.path("camera.jpg")));
        m_iconPng = hugePicture(20000);
    }

    void hugePictureIsRefusedFromItsHeader_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<quint32>("side");
        QTest::addColumn<QString>("name");
        QTest::newRow("whole from a path") << "whole" << 23000u << "huge.png";
        QTest::newRow("whole from data") << "data" << 23000u << "huge.png";
        QTest::newRow("fitted into a thumbnail") << "fitted" << 23000u << "huge.png";
        QTest::newRow("stretched over a widget") << "stretched" << 23000u << "huge.png";
        QTest::newRow("image model from a path") << "model" << 23000u << "huge.png";
        QTest::newRow("one row beyond the budget") << "fitted" << 8193u << "beyond.png";
        QTest::newRow("progressive JPEG into a thumbnail")
            << "fitted" << 23000u << "progressive.jpg";
        QTest::newRow("progressive JPEG from data") << "data" << 23000u << "progressive.jpg";
        QTest::newRow("JPEG in one scan whole") << "whole" << 23000u << "header.jpg";
    }

    void hugePictureIsRefusedFromItsHeader()
    {
        QFETCH(QString, how);
        QFETCH(quint32, side);
        QFETCH(QString, name);
        // GIVEN a small file claiming a huge picture
        const QString path
            = side == 23000 ? m_files.path(name) : m_files.write(name, hugePicture(side));
        const qint64 peakBefore = peakMemoryKiB();
        QElapsedTimer clock;
        clock.start();
        // WHEN it is read, THEN it is refused with a warning, quickly and in little memory
        QTest::ignoreMessage(QtWarningMsg,
            QRegularExpression(QString("Refused picture .*%1 x %1 pixels").arg(side)));
        const bool read = how == "model"
            ? DAvuroD::ImageProcess(path.toLatin1().constData()).getPixel(0, 0) != 0
            : !readAs(how, path, QSize(80, 80)).isNull();
        QVERIFY(!read);
        QVERIFY2(
            clock.elapsed() < runawayBoundMs(500), qPrintable(QString::number(clock.elapsed())));
        const qint64 growth = peakMemoryKiB() - peakBefore;
        QVERIFY2(growth < 32 * 1024, qPrintable(QString("%1 KiB").arg(growth)));
    }

    void picturesAreReadAtTheSizeShown_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QSize>("bound");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("photograph into a thumbnail")
            << "photo.jpg" << QSize(1024, 768) << "fitted" << QSize(80, 80) << QSize(80, 60);
        QTest::newRow("small picture is not enlarged")
            << "small.png" << QSize(40, 30) << "fitted" << QSize(80, 80) << QSize(40, 30);
        QTest::newRow("stretched up")
            << "tiny.png" << QSize(4, 3) << "stretched" << QSize(90, 50) << QSize(90, 50);
        QTest::newRow("stretched down")
            << "big.jpg" << QSize(800, 600) << "stretched" << QSize(90, 50) << QSize(90, 50);
        QTest::newRow("whole") << "whole.bmp" << QSize(33, 17) << "whole" << QSize()
                               << QSize(33, 17);
        QTest::newRow("not a picture")
            << "text.png" << QSize() << "whole" << QSize() << QSize(0, 0);
    }

    void picturesAreReadAtTheSizeShown()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(QString, how);
        QFETCH(QSize, bound);
        const QImage image = readAs(how, writePicture(m_files, name, size), bound);
        QTEST(image.size(), "expected");
        if (!image.isNull()) {
            const QColor middle = image.pixelColor(image.width() / 2, image.height() / 2);
            QVERIFY2(qAbs(middle.red() - 200) < 8 && qAbs(middle.green() - 40) < 8,
                qPrintable(middle.name()));
        }
    }

    void largePhotographIsDecodedAtTheSizeShown_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QSize>("bound");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("photograph into a thumbnail") << "camera.jpg"
                                                     << "fitted" << QSize(80, 80) << QSize(80, 60);
        QTest::newRow("photograph fitted to a screen")
            << "camera.jpg"
            << "fitted" << QSize(1920, 1080) << QSize(1440, 1080);
        QTest::newRow("photograph stretched over a widget")
            << "camera.jpg"
            << "stretched" << QSize(240, 120) << QSize(240, 120);
        QTest::newRow("huge header in one scan into a thumbnail")
            << "header.jpg"
            << "fitted" << QSize(80, 80) << QSize(80, 80);
    }

    // A JPEG in one scan decodes at 1/8 to 1/2 of its size: beyond the
    // budget whole, shown at any smaller size in little memory.
    void largePhotographIsDecodedAtTheSizeShown()
    {
        QFETCH(QString, name);
        QFETCH(QString, how);
        QFETCH(QSize, bound);
        // GIVEN a 12000 x 9000 photograph, or a small file claiming 23000 x 23000 pixels
        const QString path = m_files.path(name);
        if (!resetPeakMemory())
            QSKIP("The peak memory cannot be reset here.");
        const qint64 peakBefore = peakMemoryKiB();
        // WHEN it is read at a size it is shown at
        const QImage image = readAs(how, path, bound);
        // THEN it comes at that size, in less than 150 MB
        QTEST(image.size(), "expected");
        const qint64 growth = peakMemoryKiB() - peakBefore;
        QVERIFY2(growth < 150 * 1024, qPrintable(QString("%1 KiB").arg(growth)));
    }

    void largePhotographIsRefusedWhole()
    {
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("Refused picture .*camera.jpg: 12000 x 9000 pixels"));
        QVERIFY(PictureReader::read(m_files.path("camera.jpg")).isNull());
    }

    void largestPictureWithinTheBudgetIsRead()
    {
        const QString within = m_files.write("within.png", hugePicture(8192, true));
        QCOMPARE(PictureReader::readFitted(within, QSize(64, 64)).size(), QSize(64, 64));
    }

    void loaderHandsOverInListOrderUntilCancelled()
    {
        // GIVEN pictures, a file that is no picture and the huge picture
        QStringList paths;
        for (int i = 0; i < 40; ++i)
            paths << writePicture(m_files, QString("p%1.png").arg(i), QSize(120 + i, 90));
        paths.insert(3, m_files.write("broken.png", "not a picture"));
        paths.insert(7, m_huge);
        PictureLoader loader;
        QSignalSpy loaded(&loader, &PictureLoader::pictureLoaded);
        QSignalSpy finished(&loader, &PictureLoader::finished);
        connect(&loader, &PictureLoader::pictureLoaded, &loader, [&](int index) {
            if (index == 20)
                loader.cancel();
        });
        // WHEN they load and the load is cancelled at the 21st picture
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture"));
        loader.start(paths, QSize(80, 80));
        // THEN each is handed over once, in list order, fitted, the two others as null
        // pictures, and nothing follows the cancel
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 21, 10000);
        QTest::qWait(200);
        QCOMPARE(loaded.size(), 21);
        QVERIFY(finished.isEmpty());
        for (int i = 0; i < loaded.size(); ++i) {
            QCOMPARE(loaded.at(i).at(0).toInt(), i);
            QCOMPARE(loaded.at(i).at(1).toString(), paths.at(i));
            const QImage picture = loaded.at(i).at(2).value<QImage>();
            QCOMPARE(picture.isNull(), i == 3 || i == 7);
            QVERIFY(picture.isNull() || (picture.width() == 80 && picture.height() <= 60));
        }
    }

    // Pictures that decode whole before they shrink are decoded within the
    // budget at once, however many threads load them.
    void loaderDecodesWholePicturesWithinTheBudget()
    {
        // GIVEN four pictures at the budget's edge, one of them read before, and eight threads
        const QByteArray edge = hugePicture(8192, true);
        QStringList paths;
        for (int i = 0; i < 4; ++i)
            paths << m_files.write(QString("edge%1.png").arg(i), edge);
        QCOMPARE(PictureReader::readFitted(paths.first(), QSize(64, 64)).size(), QSize(64, 64));
        QThreadPool* pool = QThreadPool::globalInstance();
        const int threads = pool->maxThreadCount();
        pool->setMaxThreadCount(8);
        const auto restore = qScopeGuard([&] { pool->setMaxThreadCount(threads); });
        const qint64 peakBefore = peakMemoryKiB();
        // WHEN a loader fits them into thumbnails
        PictureLoader loader;
        QSignalSpy loaded(&loader, &PictureLoader::pictureLoaded);
        QSignalSpy finished(&loader, &PictureLoader::finished);
        loader.start(paths, QSize(64, 64));
        // THEN each arrives, and the memory grows by less than one more of them
        QVERIFY(finished.wait(60000));
        QCOMPARE(loaded.size(), 4);
        const qint64 growth = peakMemoryKiB() - peakBefore;
        QVERIFY2(growth < PictureReader::maxPixels * 4 / 1024,
            qPrintable(QString("%1 KiB").arg(growth)));
    }

    // The decoders' own memory counts, and a picture inside a container
    // counts as it decodes, whatever the container says.
    void picturesAreBudgetedAsTheyDecode_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        const QByteArray icon = iconHolding(m_iconPng);
        const QString iconReason = "20000 x 20000 pixels";
        QTest::newRow("16 x 16 icon holding a 20000 x 20000 PNG, whole")
            << "whole" << icon << iconReason;
        QTest::newRow("the icon fitted into a thumbnail") << "fitted" << icon << iconReason;
        QTest::newRow("the icon from data") << "data" << icon << iconReason;
        QTest::newRow("cursor holding the PNG")
            << "fitted" << iconHolding(m_iconPng, true) << iconReason;
        QByteArray claiming = iconHolding(hugePicture(16));
        qToLittleEndian<quint32>(1 << 30, claiming.data() + 14);
        QTest::newRow("icon whose 16 x 16 PNG entry claims 1 GiB, from data")
            << "data" << claiming << "16 x 16 pixels";
        QTest::newRow("SVG embedding the PNG")
            << "fitted"
            << HostileSvg::drawing(64,
                   "<image width=\"64\" height=\"64\" xlink:href=\"data:image/png;base64,"
                       + m_iconPng.toBase64() + "\"/>")
            << "its images hold more than";
        QTest::newRow("GIF keeping a second 6000 x 6000 screen")
            << "whole" << restoringGif(QSize(6000, 6000)) << "6000 x 6000 pixels";
        QTest::newRow("GIF of a 36464 x 6000 screen said to be 112 high")
            << "fitted" << restoringGif(QSize(36464, 6000), QSize(6000, 112))
            << "36464 x 112 pixels";
        QTest::newRow("progressive 7000 x 7000 JPEG keeping its coefficients")
            << "whole" << hugeJpeg(7000, true) << "7000 x 7000 pixels";
        QTest::newRow("6000 x 6000 PNG of 16-bit colour")
            << "whole" << hugePicture(6000, true, 16) << "6000 x 6000 pixels";
        QTest::newRow("8192 x 8192 gray PNG copied into colour to shrink")
            << "fitted" << hugePicture(8192) << "8192 x 8192 pixels";
    }

    void picturesAreBudgetedAsTheyDecode()
    {
        QFETCH(QString, how);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        // GIVEN a small file that decodes beyond the budget
        const QString path = m_files.write("container", content);
        if (!resetPeakMemory())
            QSKIP("The peak memory cannot be reset here.");
        const qint64 peakBefore = peakMemoryKiB();
        // WHEN it is read, THEN it is refused with the reason, in little memory
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture .*" + reason));
        QVERIFY(readAs(how, path, QSize(80, 80)).isNull());
        const qint64 growth = peakMemoryKiB() - peakBefore;
        QVERIFY2(growth < 32 * 1024, qPrintable(QString("%1 KiB").arg(growth)));
    }

    void svgIsDrawnWithinItsBounds_data()
    {
        QTest::addColumn<QByteArray>("svg");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QSize>("expected");
        QTest::addColumn<QString>("reason");
        const QByteArray circles = HostileHtml::svgCircles(8000, 2000);
        const QByteArray square
            = HostileSvg::drawing(64, "<rect width=\"64\" height=\"64\" fill=\"red\"/>");
        QTest::newRow("8000 x 8000 of 2000 large translucent circles, whole")
            << circles << "whole" << QSize(0, 0) << "takes too long";
        QTest::newRow("the circles fitted into a thumbnail")
            << circles << "fitted" << QSize(80, 80) << QString();
        QTest::newRow("a path of 20000 segments")
            << zigzag(4000, 20000) << "whole" << QSize(0, 0) << "takes too long";
        QTest::newRow("uses showing uses eight deep")
            << HostileSvg::multiplyingUses() << "whole" << QSize(0, 0) << "takes too long";
        QTest::newRow("uses showing uses eight deep, no size given") << HostileSvg::multiplyingUses(
            false) << "fitted" << QSize(0, 0) << "reading it takes too long";
        QTest::newRow("a use showing itself")
            << HostileSvg::drawing(64, "<g id=\"loop\"><use xlink:href=\"#loop\"/></g>") << "whole"
            << QSize(0, 0) << "shows itself";
        QTest::newRow("an image naming a file")
            << HostileSvg::drawing(64, "<image width=\"9\" height=\"9\" xlink:href=\"/dev/zero\"/>")
            << "whole" << QSize(0, 0) << "names /dev/zero, which is no file";
        const QByteArray dashedCircle = HostileSvg::wideDashedCircle();
        QTest::newRow("wide dashed circle, whole")
            << dashedCircle << "whole" << QSize(0, 0) << "takes too long";
        QTest::newRow("wide dashed circle, fitted into a thumbnail")
            << dashedCircle << "fitted" << QSize(80, 80) << QString();
        QTest::newRow("elements 1001 deep") << HostileSvg::drawing(
            64, QByteArray("<g>").repeated(1001) + QByteArray("</g>").repeated(1001))
                                            << "whole" << QSize(0, 0) << "deep";
        QTest::newRow("a square, lines without dashes")
            << QByteArray(square).replace("<rect", "<rect style=\"stroke-dasharray:none\"")
            << "whole" << QSize(64, 64) << QString();
        QTest::newRow("a square, gzip-compressed")
            << gzipped(square) << "whole" << QSize(64, 64) << QString();
    }

    void svgIsDrawnWithinItsBounds()
    {
        QFETCH(QByteArray, svg);
        QFETCH(QString, how);
        QFETCH(QString, reason);
        // GIVEN an SVG that draws quickly, or would not
        const QString path = m_files.write("drawing.svg", svg);
        QElapsedTimer clock;
        clock.start();
        // WHEN it is read
        if (!reason.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture .*" + reason));
        const QImage image = readAs(how, path, QSize(80, 80));
        // THEN it comes drawn at its size, or is refused with the reason, within a second
        QTEST(image.size(), "expected");
        QVERIFY2(
            clock.elapsed() < runawayBoundMs(250), qPrintable(QString::number(clock.elapsed())));
        if (!image.isNull())
            QVERIFY(qRed(image.pixel(image.width() / 2, image.height() / 2)) > 0);
    }

    // Drawings a user has are shown, dashes and all, at their own size and
    // fitted into a thumbnail.
    void ordinarySvgIsShown_data()
    {
        QTest::addColumn<QByteArray>("svg");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("16 x 16 icon of a dashed rectangle")
            << HostileSvg::dashedIcon() << "whole" << QSize(16, 16);
        QTest::newRow("400 x 300 diagram of 20 dashed arrows")
            << HostileSvg::dashedDiagram() << "whole" << QSize(400, 300);
        QTest::newRow("the diagram fitted")
            << HostileSvg::dashedDiagram() << "fitted" << QSize(80, 60);
        QTest::newRow("a description that names a dash array")
            << HostileSvg::describedDashes() << "whole" << QSize(64, 64);
        QTest::newRow("application icon of 5000 short segments")
            << HostileSvg::detailedIcon(5000) << "whole" << QSize(256, 256);
        QTest::newRow("a wide dashed circle fitted into a thumbnail")
            << HostileSvg::wideDashedCircle() << "fitted" << QSize(80, 80);
        QTest::newRow("translucent gradients fitted into a thumbnail")
            << HostileSvg::translucentGradients(200) << "fitted" << QSize(80, 80);
    }

    void ordinarySvgIsShown()
    {
        QFETCH(QByteArray, svg);
        QFETCH(QString, how);
        // GIVEN a drawing as users have them, WHEN it is read
        const QImage image = readAs(how, m_files.write("ordinary.svg", svg), QSize(80, 80));
        // THEN it comes drawn, at its size
        QTEST(image.size(), "expected");
        QVERIFY(!image.isNull());
        bool painted = false;
        for (int y = 0; y < image.height() && !painted; ++y) {
            for (int x = 0; x < image.width() && !painted; ++x)
                painted = qAlpha(image.pixel(x, y)) > 0;
        }
        QVERIFY(painted);
    }

    // A drawing that the renderer may read in more than one way, or that is
    // slow to read or draw, is refused in little memory, through every way in.
    void svgReadAsTheRendererReadsItStaysWithinTheBudget_data()
    {
        QTest::addColumn<QByteArray>("svg");
        QTest::addColumn<QString>("reason");
        QTest::newRow("uses whose xlink:href names a heavy group, their href a light one")
            << HostileSvg::usesNamingTwo() << "takes too long";
        QTest::newRow(
            "an image whose xlink:href embeds a 20000 x 20000 picture, its href a small one")
            << HostileSvg::imageNamingTwo(m_iconPng, hugePicture(16))
            << "its images hold more than";
        QTest::newRow("an id given to an empty group and then to a heavy one")
            << HostileSvg::idGivenTwice() << "takes too long";
        QTest::newRow("20000 style rules, each matching 20000 elements")
            << HostileSvg::styleForAll(20000) << "reading it takes too long";
        QTest::newRow("a million empty style rules")
            << HostileSvg::manyStyleRules(1000000) << "style sheets of more than";
        QTest::newRow("a style sheet instruction naming a device")
            << HostileSvg::styleFile("/dev/zero") << "/dev/zero is no file";
        QTest::newRow("2000 lines of text") << HostileSvg::textLines(2000) << "takes too long";
        QTest::newRow("combs of 400 teeth") << HostileSvg::combs(20, 400) << "takes too long";
        QTest::newRow("200 translucent gradients over 4000 x 4000")
            << HostileSvg::translucentGradients(200) << "takes too long";
        QTest::newRow("a wide dashed circle") << HostileSvg::wideDashedCircle() << "takes too long";
        const QByteArray styled = HostileSvg::styleForAll(20000);
        QTest::newRow("style rules compressed in two parts, the rules in the second")
            << gzipped(styled.left(200)) + gzipped(styled.mid(200)) << "reading it takes too long";
        QTest::newRow("style rules stored compressed, longer than an SVG may be") << gzipped(
            styled + "<!--" + QByteArray((8 << 20) - 100 - styled.size(), ' ') + "-->",
            0) << "more than 8388608 bytes of SVG";
        QTest::newRow("style rules compressed twice")
            << gzipped(gzipped(styled)) << "compressed twice";
    }

    void svgReadAsTheRendererReadsItStaysWithinTheBudget()
    {
        QFETCH(QByteArray, svg);
        QFETCH(QString, reason);
        const QString path = m_files.write("hostile.svg", svg);
        for (const QString how : {"whole", "data", "fitted"}) {
            // GIVEN a drawing slow to read or draw
            if (!resetPeakMemory())
                QSKIP("The peak memory cannot be reset here.");
            const qint64 peakBefore = peakMemoryKiB();
            // WHEN it is read, THEN it is refused with the reason, in little memory; fitted
            // into a thumbnail, it may also be drawn
            if (how == "fitted") {
                const QImage thumbnail = readAs(how, path, QSize(80, 80));
                QVERIFY(thumbnail.width() <= 80 && thumbnail.height() <= 80);
            } else {
                QTest::ignoreMessage(
                    QtWarningMsg, QRegularExpression("Refused picture .*" + reason));
                QVERIFY2(readAs(how, path, QSize()).isNull(), qPrintable(how));
            }
            const qint64 growth = peakMemoryKiB() - peakBefore;
            QVERIFY2(
                growth < mostSvgGrowth, qPrintable(QString("%1: %2 KiB").arg(how).arg(growth)));
        }
    }

    // Each use of an id may show any element given it: the budget reads them
    // once for all the uses.
    void usesOfAnIdGivenOftenAreReadAtOnce()
    {
        const QString path = m_files.write("uses.svg", HostileSvg::usesOfAnIdGivenOften(49000));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(PictureReader::read(path).size(), QSize(64, 64));
        QVERIFY2(
            clock.elapsed() < runawayBoundMs(500), qPrintable(QString::number(clock.elapsed())));
    }

    // The renderer reads an SVG from a device a chunk at a time, and so meets
    // what comes before bytes that are no UTF-8; read whole, they would stop
    // it at once. The budget reads it as the renderer does (found by fuzzing).
    void svgIsReadAsTheRendererReadsIt_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("from a file") << "whole";
        QTest::newRow("from data") << "data";
    }

    void svgIsReadAsTheRendererReadsIt()
    {
        QFETCH(QString, how);
        const QString path
            = m_files.write("late.svg", HostileSvg::styleFileBeforeBadBytes("/dev/zero"));
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("Refused picture .*/dev/zero is no file"));
        QVERIFY(readAs(how, path, QSize()).isNull());
    }

    // A GIF may hold a comment of any length before its first frame.
    void gifWithLongCommentIsShown()
    {
        const QString path
            = m_files.write("commented.gif", commentedGif(QSize(200, 150), 3, 70000));
        QCOMPARE(PictureReader::read(path).size(), QSize(200, 150));
        QImageReader frames(path);
        QCOMPARE(frames.imageCount(), 3);
    }

    // An icon read from a device that cannot seek, as a socket gives it, is
    // budgeted by what it holds: a PNG at the PNG's size, anything else as
    // Qt's reader tells it.
    void iconFromSequentialDeviceIsBudgetedByWhatItHolds_data()
    {
        QTest::addColumn<QByteArray>("icon");
        QTest::addColumn<QSize>("size");
        QImage picture(16, 16, QImage::Format_ARGB32);
        picture.fill(QColor(200, 40, 40));
        QBuffer bitmap;
        bitmap.open(QIODevice::WriteOnly);
        picture.save(&bitmap, "ICO");
        QTest::newRow("icon of a bitmap") << bitmap.data() << QSize();
        QTest::newRow("icon of a 20000 x 20000 PNG")
            << iconHolding(m_iconPng) << QSize(20000, 20000);
    }

    void iconFromSequentialDeviceIsBudgetedByWhatItHolds()
    {
        QFETCH(QByteArray, icon);
        QFETCH(QSize, size);
        SequentialBuffer device(icon);
        QImageReader reader(&device, "ico");
        const DAvuroD::PictureCost cost(reader);
        QVERIFY2(cost.refusal().isEmpty(), qPrintable(cost.refusal()));
        if (size.isValid())
            QCOMPARE(cost.size(), size);
    }

private:
    TestFolder m_files;
    QString m_huge;
    QByteArray m_iconPng;
};

QTEST_MAIN(TestPictureReader)

#include "test_PictureReader.moc"
