#include "../common/FullDisk.h"
#include "WholeFile.h"

#include <QtTest>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

QString writeFile(const QTemporaryDir& folder, const QString& name, const QByteArray& content)
{
    QFile file(folder.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return file.fileName();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

using ZAruri::WholeFile;

class TestWholeFile : public QObject
{
    Q_OBJECT

private slots:
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void partsAreWrittenWholeOrNotAtAll();
    void onlyRegularFilesAreReplaced_data();
    void onlyRegularFilesAreReplaced();
};

void TestWholeFile::fullDiskKeepsTheOldFile_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit");
    QTest::newRow("small content, nothing fits") << 1824 << 0;
    QTest::newRow("small content, half fits") << 1824 << 900;
    QTest::newRow("content past the write buffer") << 200000 << 65536;
}

void TestWholeFile::fullDiskKeepsTheOldFile()
{
    QFETCH(int, size);
    QFETCH(int, limit);
    // GIVEN a file that holds a document
    QTemporaryDir folder;
    const QByteArray old("<html><body>kept</body></html>");
    const QString path = writeFile(folder, "notes.html", old);

    // WHEN a longer content is written onto a disk that fills up
    const QString error
        = onFullDisk(rlim_t(limit), [&] { return WholeFile::write(path, QByteArray(size, 'x')); });

    // THEN the write says why it failed and the old file stays as it was
    QCOMPARE(error, QString::fromLocal8Bit(std::strerror(EFBIG)));
    QCOMPARE(readFile(path), old);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList {"notes.html"});
}

void TestWholeFile::partsAreWrittenWholeOrNotAtAll()
{
    QTemporaryDir folder;
    const QString path = writeFile(folder, "file.bin", "old");
    {
        // Left uncommitted: the old file stays.
        WholeFile file(path);
        QVERIFY(file.open() && file.append("new, "));
    }
    QCOMPARE(readFile(path), QByteArray("old"));

    WholeFile file(path);
    QVERIFY(file.open() && file.append("new, ") && file.append("whole") && file.commit());
    QVERIFY(file.errorString().isEmpty());
    QCOMPARE(readFile(path), QByteArray("new, whole"));

    WholeFile nowhere(folder.filePath("missing/file.bin"));
    QVERIFY(!nowhere.open() && !nowhere.append("x") && !nowhere.commit());
    QVERIFY(!nowhere.errorString().isEmpty());
}

void TestWholeFile::onlyRegularFilesAreReplaced_data()
{
    QTest::addColumn<bool>("pipe");
    QTest::newRow("a named pipe") << true;
    QTest::newRow("a folder") << false;
}

void TestWholeFile::onlyRegularFilesAreReplaced()
{
    QFETCH(bool, pipe);
    QTemporaryDir folder;
    const QString path = folder.filePath("name");
    QVERIFY(pipe ? ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 : QDir().mkdir(path));
    const QFileInfo before(path);
    QVERIFY(!WholeFile::write(path, "x").isEmpty());
    const QFileInfo after(path);
    QCOMPARE(after.isFile(), before.isFile());
    QCOMPARE(after.isDir(), before.isDir());
}

QTEST_GUILESS_MAIN(TestWholeFile)
#include "test_WholeFile.moc"
