#include "../common/RunawayBound.h"
#include "../common/TestFolder.h"
#include "../common/ThreadTime.h"
#include "HostilePicture.h"
#include "ImageProcess.h"
#include "PictureCost.h"
#include "PictureLoader.h"
#include "PictureReader.h"

#include <QBuffer>
#include <QImageReader>
#include <QScopeGuard>
#include <QtTest>

#include <atomic>
#include <limits>
#include <thread>
#include <vector>

using DAvuroD::PictureLoader;
using DAvuroD::PictureReader;

namespace {

// ThreadSanitizer's shadow holds several times what a picture takes.
#if defined(__SANITIZE_THREAD__)
constexpr bool peakTellsDecoding = false;
#else
constexpr bool peakTellsDecoding = true;
#endif

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's own allocator and shadow take more beside a large picture.
constexpr qint64 mostSlackKiB = 128 << 10;
#else
// Beside a picture decoded within the bound: the thumbnail, the decoder's rows.
constexpr qint64 mostSlackKiB = 16 << 10;
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

QByteArray saved(const QImage& image, const char* format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
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
        // 4:3, and whole a little beyond the bound.
        QVERIFY(writePhotograph(m_files.path("camera.jpg"), QSize(13440, 10080)));
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
        QTest::newRow("grey one row beyond the bound") << "fitted" << 10362u << "beyond.png";
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
        const ThreadTime clock;
        // WHEN it is read, THEN it is refused with a warning, quickly and in little memory
        QTest::ignoreMessage(QtWarningMsg,
            QRegularExpression(QString("Refused picture .*%1 x %1 pixels").arg(side)));
        const bool read = how == "model"
            ? DAvuroD::ImageProcess(path.toLatin1().constData()).getPixel(0, 0) != 0
            : !readAs(how, path, QSize(80, 80)).isNull();
        QVERIFY(!read);
        QVERIFY2(clock.elapsedMs() < runawayBoundMs(500),
            qPrintable(QString::number(clock.elapsedMs())));
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
    // bound whole, shown at any smaller size in little memory.
    void largePhotographIsDecodedAtTheSizeShown()
    {
        QFETCH(QString, name);
        QFETCH(QString, how);
        QFETCH(QSize, bound);
        // GIVEN a 13440 x 10080 photograph, or a small file claiming 23000 x 23000 pixels
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
        QTest::ignoreMessage(QtWarningMsg,
            QRegularExpression("Refused picture .*camera.jpg: 13440 x 10080 pixels, "
                               "516.8 MiB once decoded, more than 512 MiB"));
        QVERIFY(PictureReader::read(m_files.path("camera.jpg")).isNull());
    }

    // Qt decodes each kind of picture into a format of its own; what it takes
    // is what the README tells: bytes a pixel as decoded, and with the copy
    // in 32 bits that a picture of fewer is scaled or shown from.
    void costCountsWhatQtDecodes_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<double>("decodedBytesPerPixel");
        QTest::addColumn<double>("costBytesPerPixel");
        QImage colour(64, 48, QImage::Format_RGB32);
        colour.fill(QColor(200, 40, 40));
        QImage translucent(colour.size(), QImage::Format_ARGB32);
        translucent.fill(QColor(200, 40, 40, 100));
        const QSize size = colour.size();
        QTest::newRow("PNG of 8-bit colour") << saved(colour, "png") << 4.0 << 4.0;
        QTest::newRow("PNG of 8-bit colour and alpha") << saved(translucent, "png") << 4.0 << 4.0;
        QTest::newRow("PNG of 16-bit colour")
            << saved(colour.convertToFormat(QImage::Format_RGBX64), "png") << 8.0 << 8.0;
        QTest::newRow("PNG of 16-bit colour and alpha")
            << saved(translucent.convertToFormat(QImage::Format_RGBA64), "png") << 8.0 << 8.0;
        QTest::newRow("PNG of grey") << hugePicture(size) << 1.0 << 5.0;
        QTest::newRow("PNG of 16-bit grey") << hugePicture(size, false, 16) << 2.0 << 6.0;
        QTest::newRow("PNG of a palette")
            << saved(colour.convertToFormat(QImage::Format_Indexed8), "png") << 1.0 << 5.0;
        QTest::newRow("PNG of black and white")
            << saved(colour.convertToFormat(QImage::Format_Mono), "png") << 0.125 << 4.125;
        QTest::newRow("JPEG of colour") << saved(colour, "jpeg") << 4.0 << 4.0;
        QTest::newRow("JPEG of grey")
            << saved(colour.convertToFormat(QImage::Format_Grayscale8), "jpeg") << 1.0 << 5.0;
        QTest::newRow("BMP of colour") << saved(colour, "bmp") << 4.0 << 4.0;
        QTest::newRow("BMP of a palette")
            << saved(colour.convertToFormat(QImage::Format_Indexed8), "bmp") << 1.0 << 5.0;
    }

    void costCountsWhatQtDecodes()
    {
        QFETCH(QByteArray, picture);
        QFETCH(double, decodedBytesPerPixel);
        QFETCH(double, costBytesPerPixel);
        QBuffer device(&picture);
        device.open(QIODevice::ReadOnly);
        QImageReader reader(&device);
        const DAvuroD::PictureCost cost(reader);
        const QImage image = reader.read();
        const double pixels = double(image.width()) * image.height();
        QCOMPARE(image.size(), QSize(64, 48));
        QCOMPARE(image.sizeInBytes() / pixels, decodedBytesPerPixel);
        QCOMPARE(cost.bytes(image.size()) / pixels, costBytesPerPixel);
    }

    // The bound is 512 MiB once decoded, whatever the picture's depth: a
    // picture within it is read, one beyond it refused with the reason.
    void picturesNearTheBoundAreShownOrRefused_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("colour");
        QTest::addColumn<int>("depth");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("8-bit colour, 11585 x 11585: 4 bytes a pixel")
            << QSize(11585, 11585) << true << 8 << QString();
        QTest::newRow("8-bit colour, 11586 x 11586")
            << QSize(11586, 11586) << true << 8 << "512.1 MiB once decoded, more than 512 MiB";
        QTest::newRow("16-bit colour, 8192 x 8192: 8 bytes a pixel")
            << QSize(8192, 8192) << true << 16 << QString();
        QTest::newRow("16-bit colour, 8192 x 8193")
            << QSize(8192, 8193) << true << 16 << "512.1 MiB once decoded, more than 512 MiB";
        QTest::newRow("16-bit colour, 7000 x 5000") << QSize(7000, 5000) << true << 16 << QString();
        QTest::newRow("grey, 10361 x 10361: 1 byte a pixel and 4 of its copy in colour")
            << QSize(10361, 10361) << false << 8 << QString();
        QTest::newRow("grey, 10362 x 10362")
            << QSize(10362, 10362) << false << 8 << "512.1 MiB once decoded, more than 512 MiB";
        QTest::newRow("grey, 8000 x 8000") << QSize(8000, 8000) << false << 8 << QString();
    }

    void picturesNearTheBoundAreShownOrRefused()
    {
        QFETCH(QSize, size);
        QFETCH(bool, colour);
        QFETCH(int, depth);
        QFETCH(QString, refusal);
        // GIVEN a PNG of that size and depth
        const QString path = m_files.write("near.png", hugePicture(size, colour, depth));
        if (!refusal.isEmpty())
            QTest::ignoreMessage(QtWarningMsg,
                QRegularExpression(QString("Refused picture .*near.png: %1 x %2 pixels, %3")
                                       .arg(size.width())
                                       .arg(size.height())
                                       .arg(QRegularExpression::escape(refusal))));
        if (!resetPeakMemory())
            QSKIP("The peak memory cannot be reset here.");
        const qint64 peakBefore = peakMemoryKiB();
        // WHEN it is fitted into a thumbnail
        QString why;
        const QImage thumbnail = PictureReader::readFitted(path, QSize(64, 64), &why);
        // THEN it is shown, in no more memory than the bound, or refused with the reason
        QCOMPARE(thumbnail.isNull(), !refusal.isEmpty());
        QVERIFY2(why.endsWith(refusal), qPrintable(why));
        const qint64 growth = peakMemoryKiB() - peakBefore;
        QVERIFY2(!peakTellsDecoding || growth < (PictureReader::maxBytes >> 10) + mostSlackKiB,
            qPrintable(QString("%1 KiB").arg(growth)));
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
            // The huge picture is refused, the file that is no picture only does not load.
            QCOMPARE(loaded.at(i).at(3).toString().contains("more than 512 MiB"), i == 7);
            QVERIFY(picture.isNull() || (picture.width() == 80 && picture.height() <= 60));
        }
    }

    // Pictures that decode whole before they shrink are decoded within the
    // bound at once, however many threads load them.
    void loaderDecodesWholePicturesWithinTheBudget()
    {
        // GIVEN four pictures at the bound's edge, one of them read before, and eight threads
        const QByteArray edge = hugePicture(8192, true, 16);
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
        QVERIFY2(
            growth < PictureReader::maxBytes / 1024, qPrintable(QString("%1 KiB").arg(growth)));
    }

    // The GUI thread has a share of the bound of its own: what it shows never
    // waits behind the thumbnails that other threads decode.
    void guiThreadReadsBesideBackgroundDecodes()
    {
        // GIVEN a 35-megapixel PNG, read once on the GUI thread alone
        const QString large = m_files.write("large.png", hugePicture(QSize(7000, 5000), true));
        const QString background = m_files.write("background.png", hugePicture(4096, true));
        ThreadTime clock;
        QCOMPARE(PictureReader::readFitted(large, QSize(64, 64)).size(), QSize(64, 45));
        const qint64 aloneMs = clock.elapsedMs();
        // AND eight threads that keep reading 16-megapixel PNGs, which together fill
        // the bound of the threads but the GUI thread
        std::atomic<qint64> until {std::numeric_limits<qint64>::max()};
        std::atomic<int> reads {0};
        std::vector<std::thread> threads;
        const auto join = qScopeGuard([&] {
            until = 0;
            for (std::thread& thread : threads)
                thread.join();
        });
        for (int i = 0; i < 8; ++i)
            threads.emplace_back([&] {
                while (QDeadlineTimer::current().deadline() < until) {
                    PictureReader::readFitted(background, QSize(64, 64));
                    ++reads;
                }
            });
        QVERIFY(QTest::qWaitFor([&] { return reads >= 16; }, waitBoundMs(5000)));
        // WHEN the GUI thread reads the large one again, the others going on
        // long enough to tell a wait behind them
        until = QDeadlineTimer(waitBoundMs(1000)).deadline();
        clock.restart();
        QCOMPARE(PictureReader::readFitted(large, QSize(64, 64)).size(), QSize(64, 45));
        const qint64 besideMs = clock.elapsedMs();
        // THEN it takes about its time alone
        QVERIFY2(besideMs < runawayBoundMs(int(aloneMs)),
            qPrintable(QString("%1 ms beside, %2 ms alone").arg(besideMs).arg(aloneMs)));
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
        QTest::newRow("GIF keeping a second 8200 x 8200 screen")
            << "whole" << restoringGif(QSize(8200, 8200)) << "8200 x 8200 pixels";
        QTest::newRow("GIF of a 36464 x 6000 screen said to be 112 high")
            << "fitted" << restoringGif(QSize(36464, 6000), QSize(6000, 112))
            << "36464 x 112 pixels";
        QTest::newRow("progressive 9000 x 9000 JPEG keeping its coefficients")
            << "whole" << hugeJpeg(9000, true) << "9000 x 9000 pixels";
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

    // A GIF may hold a comment of any length before its first frame, in
    // blocks of any length.
    void gifWithLongCommentIsShown_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("block");
        QTest::newRow("70 KB in blocks of 255 bytes") << 70000 << 255;
        QTest::newRow("1 MiB in blocks of one byte") << (1 << 20) << 1;
    }

    void gifWithLongCommentIsShown()
    {
        QFETCH(int, bytes);
        QFETCH(int, block);
        const QString path
            = m_files.write("commented.gif", commentedGif(QSize(200, 150), 3, bytes, block));
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
