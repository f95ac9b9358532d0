#include "../common/PeakMemory.h"
#include "../graphics/HostilePicture.h"
#include "ID3Info.h"
#include "MediaCommon.h"
#include "PlayListModel.h"
#include "TestSound.h"

#include <QtTest>

using DIReridArazi::MediaCommon;
using DIReridArazi::PlayListModel;

// The play-list model, the cover finder and the media types.
class TestPlayListModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rolesOfARow_data();
    void rolesOfARow();
    void headers();
    void rowsBeyondTheListAreInvalid();
    void editingAndAppending();
    void coverSkipsUnreadablePictures();
    void coverSkipsPicturesBeyondThePixelBudget_data();
    void coverSkipsPicturesBeyondThePixelBudget();
    void mediaType_data();
    void mediaType();

private:
    QString path(const QString& name) const
    {
        return m_dir.filePath(name);
    }

    QTemporaryDir m_dir;
    const QDateTime m_shortTime {QDate(2020, 5, 10), QTime(12, 30, 0)};
};

void TestPlayListModel::initTestCase()
{
    QVERIFY(TestSound::writeTone(path(QStringLiteral("short.wav")), 1500));
    QVERIFY(TestSound::writeTone(path(QStringLiteral("long.wav")), 2200));
    QFile shortFile(path(QStringLiteral("short.wav")));
    QVERIFY(shortFile.open(QIODevice::ReadWrite));
    QVERIFY(shortFile.setFileTime(m_shortTime, QFileDevice::FileModificationTime));
}

void TestPlayListModel::rolesOfARow_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("value");
    const QString file = QStringLiteral("short.wav");
    QTest::newRow("display is the file name") << file << int(Qt::DisplayRole) << QVariant(file);
    QTest::newRow("edit is the file name") << file << int(Qt::EditRole) << QVariant(file);
    QTest::newRow("257 is the modification time") << file << 257 << QVariant(m_shortTime);
    QTest::newRow("259 is the path") << file << 259 << QVariant(path(file));
    QTest::newRow("260 is the duration, 1.5 s truncated")
        << file << 260 << QVariant(QTime(0, 0, 1));
    QTest::newRow("2.2 s lasts 2 s") << "long.wav" << 260 << QVariant(QTime(0, 0, 2));
    QTest::newRow("a missing file lasts 0 s") << "missing.wav" << 260 << QVariant(QTime(0, 0));
    QTest::newRow("256 answers nothing") << file << 256 << QVariant();
    QTest::newRow("258 answers nothing") << file << 258 << QVariant();
    QTest::newRow("tool tip answers nothing") << file << int(Qt::ToolTipRole) << QVariant();
}

void TestPlayListModel::rolesOfARow()
{
    QFETCH(QString, file);
    QFETCH(int, role);
    QFETCH(QVariant, value);
    PlayListModel model;
    model.setPlayList(QStringList {path(file)});
    QCOMPARE(model.data(model.index(0), role), value);
}

void TestPlayListModel::headers()
{
    PlayListModel model;
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), tr("Number"));
    QCOMPARE(model.headerData(7, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("7"));
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::ToolTipRole), QVariant());
}

void TestPlayListModel::rowsBeyondTheListAreInvalid()
{
    // GIVEN an index of the second row of a two-row list
    PlayListModel model;
    model.setPlayList({path(QStringLiteral("short.wav")), path(QStringLiteral("long.wav"))});
    const QModelIndex second = model.index(1);
    QVERIFY(model.flags(second) & Qt::ItemIsEditable);

    // WHEN the list becomes shorter
    model.setPlayList(QStringList {path(QStringLiteral("long.wav"))});

    // THEN that row answers nothing and cannot be edited
    QCOMPARE(model.data(second, Qt::DisplayRole), QVariant());
    QCOMPARE(model.data(second, 260), QVariant());
    QVERIFY(!(model.flags(second) & Qt::ItemIsEditable));
    QVERIFY(!model.setData(second, path(QStringLiteral("short.wav")), Qt::EditRole));
}

void TestPlayListModel::editingAndAppending()
{
    PlayListModel model;
    model.setPlayList(QStringList {path(QStringLiteral("long.wav"))});
    QSignalSpy changed(&model, &PlayListModel::dataChanged);
    QSignalSpy reset(&model, &PlayListModel::modelReset);
    const QModelIndex row = model.index(0);

    // Only the edit role edits, and the row keeps its duration.
    QVERIFY(!model.setData(row, path(QStringLiteral("short.wav")), Qt::DisplayRole));
    QVERIFY(model.setData(row, path(QStringLiteral("short.wav")), Qt::EditRole));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), row);
    QCOMPARE(model.data(row, 259).toString(), path(QStringLiteral("short.wav")));
    QCOMPARE(model.data(row, 257).toDateTime(), m_shortTime);
    QCOMPARE(model.data(row, 260).toTime(), QTime(0, 0, 2));

    // Appending nothing resets nothing; appending a file adds its row.
    model.appendToPlayList({});
    QCOMPARE(reset.count(), 0);
    model.appendToPlayList({path(QStringLiteral("long.wav"))});
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.data(model.index(1), Qt::DisplayRole).toString(), QStringLiteral("long.wav"));
    QCOMPARE(model.data(model.index(1), 260).toTime(), QTime(0, 0, 2));
}

void TestPlayListModel::coverSkipsUnreadablePictures()
{
    // GIVEN a folder with broken pictures and one good picture beside the song
    QTemporaryDir dir;
    for (const char* name : {"a-broken.png", "broken.gif", "c-broken.jpg", "picture.txt"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("GIF89a not a picture") > 0);
    }
    const QString song = dir.filePath(QStringLiteral("song.mp3"));
    QVERIFY(DIReridArazi::ID3Info(song).cover().isNull());
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(dir.filePath(QStringLiteral("b-good.jpg"))));

    // THEN the good picture is the cover
    const QPixmap cover = DIReridArazi::ID3Info(song).cover();
    QCOMPARE(cover.size(), QSize(40, 30));
    const QColor centre = cover.toImage().pixelColor(20, 15);
    QVERIFY(centre.red() > 200 && centre.green() < 60 && centre.blue() < 60);
}

void TestPlayListModel::coverSkipsPicturesBeyondThePixelBudget_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("PNG claiming 23000 x 23000 pixels") << hugePicture();
    QTest::newRow("16 x 16 icon holding a 20000 x 20000 PNG") << iconHolding(hugePicture(20000));
}

void TestPlayListModel::coverSkipsPicturesBeyondThePixelBudget()
{
    QFETCH(QByteArray, content);
    // GIVEN a small picture file decoding to hundreds of megapixels beside the song
    QTemporaryDir dir;
    QFile huge(dir.filePath(QStringLiteral("huge.png")));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.write(content) > 0);
    huge.close();
    const QString song = dir.filePath(QStringLiteral("song.mp3"));
    resetPeakMemory();
    const qint64 before = peakMemoryKiB();

    // THEN it is no cover, and it is refused without decoding it
    QVERIFY(DIReridArazi::ID3Info(song).cover().isNull());
    QVERIFY2(peakMemoryKiB() - before < 64 * 1024,
        qPrintable(QString::number(peakMemoryKiB() - before)));

    // AND a small picture beside it is the cover
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(dir.filePath(QStringLiteral("small.png"))));
    QCOMPARE(DIReridArazi::ID3Info(song).cover().size(), QSize(40, 30));
}

void TestPlayListModel::mediaType_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::newRow("upper-case MP3 is audio") << "Song.MP3" << 0;
    QTest::newRow("aiff") << "take.aiff" << 0;
    QTest::newRow("3ga is audio") << "memo.3ga" << 0;
    QTest::newRow("3gp is video") << "clip.3gp" << 1;
    QTest::newRow("upper-case MP4 is video") << "CLIP.MP4" << 1;
    QTest::newRow("upper-case TIFF is image") << "scan.TIFF" << 2;
    QTest::newRow("text is none") << "notes.txt" << 4;
    QTest::newRow("empty is none") << "" << 4;
    QTest::newRow("suffix without dot is none") << "mp3" << 4;
    QTest::newRow("suffix in the middle is none") << "song.mp3.part" << 4;
    QTest::newRow("aif without the last f is none") << "take.aif" << 4;
}

void TestPlayListModel::mediaType()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    QCOMPARE(MediaCommon::mediaType(name), type);
    QCOMPARE(MediaCommon::isAudio(name), type == 0);
    QCOMPARE(MediaCommon::isVideo(name), type == 1);
    QCOMPARE(MediaCommon::isImage(name), type == 2);
}

QTEST_MAIN(TestPlayListModel)
#include "test_PlayListModel.moc"
