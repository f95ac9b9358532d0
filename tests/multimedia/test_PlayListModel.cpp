#include "PlayListModel.h"
#include "VoiceLog.h"

#include <QtTest>

using DIReridArazi::PlayListModel;

class TestPlayListModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rolesOfARow_data();
    void rolesOfARow();
    void durations();
    void headers();
    void rowsBeyondTheListAreInvalid();
    void editingARowKeepsItsDuration();
    void appending();
    void filesOfAFolder();

private:
    QString path(const QString& name) const;

    QTemporaryDir m_dir;
    QDateTime m_shortTime;
};

QString TestPlayListModel::path(const QString& name) const
{
    return m_dir.filePath(name);
}

void TestPlayListModel::initTestCase()
{
    QVERIFY(VoiceLog::writeTone(path(QStringLiteral("short.wav")), 1500));
    QVERIFY(VoiceLog::writeTone(path(QStringLiteral("long.wav")), 2200));
    QFile notes(path(QStringLiteral("notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();
    m_shortTime = QDateTime(QDate(2020, 5, 10), QTime(12, 30, 0));
    QFile shortFile(path(QStringLiteral("short.wav")));
    QVERIFY(shortFile.open(QIODevice::ReadWrite));
    QVERIFY(shortFile.setFileTime(m_shortTime, QFileDevice::FileModificationTime));
}

void TestPlayListModel::rolesOfARow_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("value");
    const QString file = path(QStringLiteral("short.wav"));
    QTest::newRow("display is the file name") << int(Qt::DisplayRole) << QVariant("short.wav");
    QTest::newRow("edit is the file name") << int(Qt::EditRole) << QVariant("short.wav");
    QTest::newRow("257 is the modification time") << 257 << QVariant(m_shortTime);
    QTest::newRow("259 is the path") << 259 << QVariant(file);
    QTest::newRow("260 is the duration") << 260 << QVariant(QTime(0, 0, 1));
    QTest::newRow("256 answers nothing") << 256 << QVariant();
    QTest::newRow("258 answers nothing") << 258 << QVariant();
    QTest::newRow("tool tip answers nothing") << int(Qt::ToolTipRole) << QVariant();
}

void TestPlayListModel::rolesOfARow()
{
    QFETCH(int, role);
    QFETCH(QVariant, value);
    PlayListModel model;
    model.setPlayList(QStringList {path(QStringLiteral("short.wav"))});
    QCOMPARE(model.data(model.index(0), role), value);
}

void TestPlayListModel::durations()
{
    PlayListModel model;
    model.setPlayList({path(QStringLiteral("short.wav")), path(QStringLiteral("long.wav")),
        path(QStringLiteral("missing.wav"))});
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.data(model.index(0), 260).toTime(), QTime(0, 0, 1));
    QCOMPARE(model.data(model.index(1), 260).toTime(), QTime(0, 0, 2));
    QCOMPARE(model.data(model.index(2), 260).toTime(), QTime(0, 0, 0));
    QCOMPARE(model.audioFileDuration(path(QStringLiteral("notes.txt"))), QTime(0, 0, 0));
}

void TestPlayListModel::headers()
{
    PlayListModel model;
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), tr("Number"));
    QCOMPARE(model.headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("0"));
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
    QCOMPARE(model.data(QModelIndex(), Qt::DisplayRole), QVariant());
}

void TestPlayListModel::editingARowKeepsItsDuration()
{
    PlayListModel model;
    model.setPlayList(QStringList {path(QStringLiteral("long.wav"))});
    QSignalSpy changed(&model, &PlayListModel::dataChanged);
    const QModelIndex row = model.index(0);

    QVERIFY(!model.setData(row, path(QStringLiteral("short.wav")), Qt::DisplayRole));
    QCOMPARE(changed.count(), 0);

    QVERIFY(model.setData(row, path(QStringLiteral("short.wav")), Qt::EditRole));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), row);
    QCOMPARE(changed.at(0).at(1).toModelIndex(), row);
    QCOMPARE(model.data(row, Qt::DisplayRole).toString(), QStringLiteral("short.wav"));
    QCOMPARE(model.data(row, 259).toString(), path(QStringLiteral("short.wav")));
    QCOMPARE(model.data(row, 257).toDateTime(), m_shortTime);
    QCOMPARE(model.data(row, 260).toTime(), QTime(0, 0, 2));
}

void TestPlayListModel::appending()
{
    PlayListModel model;
    model.setPlayList(QStringList {path(QStringLiteral("short.wav"))});
    QSignalSpy reset(&model, &PlayListModel::modelReset);

    model.appendToPlayList({});
    QCOMPARE(reset.count(), 0);
    QCOMPARE(model.rowCount(), 1);

    model.appendToPlayList({path(QStringLiteral("long.wav"))});
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.data(model.index(1), Qt::DisplayRole).toString(), QStringLiteral("long.wav"));
    QCOMPARE(model.data(model.index(1), 260).toTime(), QTime(0, 0, 2));
}

void TestPlayListModel::filesOfAFolder()
{
    PlayListModel model;
    model.setPlayList(QDir(m_dir.path()), {QStringLiteral("*.wav")});
    QStringList paths;
    for (int row = 0; row < model.rowCount(); ++row)
        paths.append(model.data(model.index(row), 259).toString());
    paths.sort();
    QCOMPARE(
        paths, QStringList({path(QStringLiteral("long.wav")), path(QStringLiteral("short.wav"))}));

    QTemporaryDir empty;
    model.setPlayList(QDir(empty.path()), {QStringLiteral("*.wav")});
    QCOMPARE(model.rowCount(), 0);
}

QTEST_GUILESS_MAIN(TestPlayListModel)
#include "test_PlayListModel.moc"
