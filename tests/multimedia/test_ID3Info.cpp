#include "ID3Info.h"

#include <QtTest>

using DIReridArazi::ID3Info;

class TestID3Info : public QObject
{
    Q_OBJECT

private slots:
    void skipsUnreadablePicture();
    void noPictureGivesNullCover();
    void copyKeepsTheCover();

private:
    static void writeFile(const QString& path, const QByteArray& bytes);
};

void TestID3Info::writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestID3Info::skipsUnreadablePicture()
{
    // GIVEN a folder with a broken .png and a good .jpg beside the song
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("a-broken.png")), "not a picture");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(dir.filePath(QStringLiteral("b-good.jpg"))));
    writeFile(dir.filePath(QStringLiteral("song.mp3")), "ID3");

    // WHEN its cover is looked for
    const ID3Info info(dir.filePath(QStringLiteral("song.mp3")));

    // THEN the good picture is the cover
    QVERIFY(!info.cover().isNull());
    QCOMPARE(info.cover().size(), QSize(40, 30));
    const QColor centre = info.cover().toImage().pixelColor(20, 15);
    QVERIFY(centre.red() > 200 && centre.green() < 60 && centre.blue() < 60);
}

void TestID3Info::noPictureGivesNullCover()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("broken.gif")), "GIF89a");
    writeFile(dir.filePath(QStringLiteral("picture.txt")), "not a picture name");
    writeFile(dir.filePath(QStringLiteral("song.mp3")), "ID3");
    QVERIFY(ID3Info(dir.filePath(QStringLiteral("song.mp3"))).cover().isNull());
    QVERIFY(ID3Info(dir.filePath(QStringLiteral("missing.mp3"))).cover().isNull());
}

void TestID3Info::copyKeepsTheCover()
{
    QTemporaryDir dir;
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QVERIFY(picture.save(dir.filePath(QStringLiteral("cover.png"))));
    const ID3Info original(dir.filePath(QStringLiteral("song.wav")));
    const ID3Info copy(original);
    QCOMPARE(copy.cover().toImage(), original.cover().toImage());
    QCOMPARE(copy.cover().size(), QSize(8, 8));
}

QTEST_MAIN(TestID3Info)
#include "test_ID3Info.moc"
