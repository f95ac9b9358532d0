#include "HostilePicture.h"
#include "ImageProcess.h"
#include "PictureLoader.h"
#include "PictureReader.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

using DAvuroD::PictureLoader;
using DAvuroD::PictureReader;

namespace {

QString writePicture(const QTemporaryDir& dir, const QString& name, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    image.save(dir.filePath(name));
    return dir.filePath(name);
}

QString writeBytes(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return file.fileName();
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
        m_huge = writeBytes(m_dir, "huge.png", hugePicture());
        QVERIFY(QFileInfo(m_huge).size() < 600 * 1024);
    }

    void hugePictureIsRefusedFromItsHeader_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("whole from a path") << "path";
        QTest::newRow("whole from data") << "data";
        QTest::newRow("fitted into a thumbnail") << "fitted";
        QTest::newRow("stretched over a widget") << "stretched";
        QTest::newRow("image model from a path") << "model";
    }

    void hugePictureIsRefusedFromItsHeader()
    {
        QFETCH(QString, path);
        // GIVEN a 514 KB picture claiming 23000 x 23000 pixels
        QFile file(m_huge);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        QBuffer data(&bytes);
        const qint64 peakBefore = peakMemoryKiB();
        QElapsedTimer clock;
        clock.start();
        // WHEN it is read, THEN it is refused with a warning, quickly and in little memory
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression("Refused picture .*23000 x 23000 pixels"));
        QSize read;
        if (path == "path")
            read = PictureReader::read(m_huge).size();
        else if (path == "data")
            read = PictureReader::read(&data).size();
        else if (path == "fitted")
            read = PictureReader::readFitted(m_huge, QSize(80, 80)).size();
        else if (path == "stretched")
            read = PictureReader::readStretched(m_huge, QSize(640, 480)).size();
        else
            read = DAvuroD::ImageProcess(m_huge.toLatin1().constData()).getPixel(0, 0) ? QSize(1, 1)
                                                                                       : QSize();
        QVERIFY(!read.isValid() || read.isEmpty());
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
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
        QTest::newRow("wide picture into a square")
            << "wide.png" << QSize(200, 100) << "fitted" << QSize(100, 100) << QSize(100, 50);
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
        const QString path = size.isValid() ? writePicture(m_dir, name, size)
                                            : writeBytes(m_dir, name, "not a picture");
        const QImage image = how == "fitted" ? PictureReader::readFitted(path, bound)
            : how == "stretched"             ? PictureReader::readStretched(path, bound)
                                             : PictureReader::read(path);
        QTEST(image.size(), "expected");
        if (!image.isNull()) {
            const QColor middle = image.pixelColor(image.width() / 2, image.height() / 2);
            QVERIFY2(qAbs(middle.red() - 200) < 8 && qAbs(middle.green() - 40) < 8,
                qPrintable(middle.name()));
        }
    }

    void budgetEndsAtItsStatedSize()
    {
        // 8192 x 8192 is within the budget, one row more is not.
        const QString within = writeBytes(m_dir, "within.png", hugePicture(8192));
        QCOMPARE(PictureReader::readFitted(within, QSize(64, 64)).size(), QSize(64, 64));
        const QString beyond = writeBytes(m_dir, "beyond.png", hugePicture(8193));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture"));
        QVERIFY(PictureReader::readFitted(beyond, QSize(64, 64)).isNull());
        QCOMPARE(PictureReader::maxPixels, qint64(8192) * 8192);
    }

    void loaderHandsOverInListOrder()
    {
        // GIVEN pictures, a file that is no picture and the huge picture
        QStringList paths;
        for (int i = 0; i < 40; ++i)
            paths << writePicture(m_dir, QString("p%1.png").arg(i), QSize(120 + i, 90));
        paths.insert(3, writeBytes(m_dir, "broken.png", "not a picture"));
        paths.insert(7, m_huge);
        PictureLoader loader;
        QSignalSpy loaded(&loader, &PictureLoader::pictureLoaded);
        QSignalSpy finished(&loader, &PictureLoader::finished);
        // WHEN they load
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Refused picture"));
        loader.start(paths, QSize(80, 80));
        // THEN each is handed over once, in list order, fitted; the two others as null pictures
        QVERIFY(finished.wait(10000));
        QCOMPARE(loaded.size(), paths.size());
        for (int i = 0; i < loaded.size(); ++i) {
            QCOMPARE(loaded.at(i).at(0).toInt(), i);
            QCOMPARE(loaded.at(i).at(1).toString(), paths.at(i));
            const QImage picture = loaded.at(i).at(2).value<QImage>();
            QCOMPARE(picture.isNull(), i == 3 || i == 7);
            QVERIFY(picture.isNull() || (picture.width() == 80 && picture.height() <= 60));
        }
    }

    void cancelledLoaderSaysNothingMore()
    {
        QStringList paths;
        for (int i = 0; i < 200; ++i)
            paths << writePicture(m_dir, QString("c%1.jpg").arg(i), QSize(320, 240));
        PictureLoader loader;
        QSignalSpy loaded(&loader, &PictureLoader::pictureLoaded);
        QSignalSpy finished(&loader, &PictureLoader::finished);
        // Cancelled as the first picture is handed over.
        connect(&loader, &PictureLoader::pictureLoaded, &loader, &PictureLoader::cancel);
        loader.start(paths, QSize(80, 80));
        QVERIFY(loaded.wait(10000));
        QTest::qWait(200);
        QCOMPARE(loaded.size(), 1);
        QVERIFY(finished.isEmpty());
        // Deleted while pictures are still being decoded, it leaves them to finish harmlessly.
        auto* gone = new PictureLoader;
        gone->start(paths, QSize(80, 80));
        delete gone;
        QThreadPool::globalInstance()->waitForDone();
    }

private:
    QTemporaryDir m_dir;
    QString m_huge;
};

QTEST_MAIN(TestPictureReader)

#include "test_PictureReader.moc"
