#include "MediaCommon.h"

#include <QtTest>

using DIReridArazi::MediaCommon;

class TestMediaCommon : public QObject
{
    Q_OBJECT

private slots:
    void mediaType_data();
    void mediaType();
};

void TestMediaCommon::mediaType_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::newRow("upper-case MP3 is audio") << "Song.MP3" << 0;
    QTest::newRow("wav") << "/music/take.wav" << 0;
    QTest::newRow("aiff") << "take.aiff" << 0;
    QTest::newRow("3ga is audio") << "memo.3ga" << 0;
    QTest::newRow("3gp is video") << "clip.3gp" << 1;
    QTest::newRow("upper-case MP4 is video") << "CLIP.MP4" << 1;
    QTest::newRow("vob") << "dvd.vob" << 1;
    QTest::newRow("upper-case TIFF is image") << "scan.TIFF" << 2;
    QTest::newRow("jpeg") << "photo.jpeg" << 2;
    QTest::newRow("gif") << "cover.gif" << 2;
    QTest::newRow("text is none") << "notes.txt" << 4;
    QTest::newRow("empty is none") << "" << 4;
    QTest::newRow("suffix without dot is none") << "mp3" << 4;
    QTest::newRow("suffix in the middle is none") << "song.mp3.part" << 4;
    QTest::newRow("aif without the last f is none") << "take.aif" << 4;
}

void TestMediaCommon::mediaType()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    QCOMPARE(MediaCommon::mediaType(name), type);
    QCOMPARE(MediaCommon::isAudio(name), type == 0);
    QCOMPARE(MediaCommon::isVideo(name), type == 1);
    QCOMPARE(MediaCommon::isImage(name), type == 2);
}

QTEST_GUILESS_MAIN(TestMediaCommon)
#include "test_MediaCommon.moc"
