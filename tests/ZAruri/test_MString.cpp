#include "MString.h"
#include "MStringWrap.h"
#include "StreamCapture.h"

#include <QtTest>

#include <iostream>

#include <sys/stat.h>
#include <unistd.h>

using ZAruri::MStringWrap;

namespace {

QByteArray bytes(const MString& text)
{
    return QByteArray(const_cast<MString&>(text).data(), int(text.length()));
}

MString fromBytes(const QByteArray& text)
{
    return MString(text.constData(), text.size());
}

QByteArray found(const QByteArray& pattern, int from)
{
    return QByteArray::number(qlonglong(MString("aab").find(fromBytes(pattern), from)));
}

QByteArray part(int from, int to)
{
    return bytes(MString("abcd").getString(from, to));
}

template <typename Call> QByteArray thrownBy(Call call)
{
    try {
        call();
    } catch (const char* message) {
        return message;
    }
    return QByteArray();
}

} // namespace

// The byte string and its number constructors.
class TestMString : public QObject
{
    Q_OBJECT

private slots:
    void results_data()
    {
        QTest::addColumn<QByteArray>("actual");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("int") << bytes(MStringWrap(42)) << QByteArray("42");
        QTest::newRow("long narrowed to 32 bits")
            << bytes(MStringWrap(4294967296L)) << QByteArray("0");
        QTest::newRow("float") << bytes(MStringWrap(1.5f)) << QByteArray("1.500000");
        QTest::newRow("long double as float") << bytes(MStringWrap(0.1L)) << QByteArray("0.100000");
        QTest::newRow("double of 309 digits")
            << bytes(MStringWrap(1e308)) << QByteArray::number(1e308, 'f', 6);
        QTest::newRow("bytes with a zero")
            << bytes(MStringWrap("a\0b", 3)) << QByteArray("a\0b", 3);
        QTest::newRow("find: second position") << found("ab", 0) << QByteArray("1");
        QTest::newRow("find: start past the match") << found("ab", 2) << QByteArray("-1");
        QTest::newRow("find: negative start counts as 0") << found("a", -3) << QByteArray("0");
        QTest::newRow("find: empty pattern at the start") << found("", 2) << QByteArray("2");
        QTest::newRow("find: empty pattern past the end") << found("", 3) << QByteArray("-1");
        QTest::newRow("find: pattern longer than the rest") << found("abx", 1) << QByteArray("-1");
        QTest::newRow("getString: middle") << part(1, 3) << QByteArray("bc");
        QTest::newRow("getString: reversed") << part(3, 1) << QByteArray();
        QTest::newRow("getString: end past the string") << part(2, 99) << QByteArray("cd");
        QTest::newRow("getString: negative start") << part(-5, 2) << QByteArray("ab");
        QTest::newRow("getString: wholly outside") << part(7, 9) << QByteArray();
    }
    void results()
    {
        QFETCH(QByteArray, actual);
        QFETCH(QByteArray, expected);
        QCOMPARE(actual, expected);
    }

    void ordering_data()
    {
        QTest::addColumn<QByteArray>("smaller");
        QTest::addColumn<QByteArray>("larger");
        QTest::newRow("last byte decides") << QByteArray("abc") << QByteArray("abd");
        QTest::newRow("shorter prefix") << QByteArray("ab") << QByteArray("abc");
        QTest::newRow("0x80 before A") << QByteArray("\x80") << QByteArray("A");
        QTest::newRow("empty before anything") << QByteArray() << QByteArray("\x80");
    }
    void ordering()
    {
        QFETCH(QByteArray, smaller);
        QFETCH(QByteArray, larger);
        const MString a = fromBytes(smaller), b = fromBytes(larger);
        QVERIFY(a < b && b > a && a <= b && b >= a && a != b);
        QVERIFY(!(b < a) && !(a > b) && a == fromBytes(smaller) && a <= a);
    }

    void editingAndOutput()
    {
        MString text("ab");
        text.cat(text);
        text += MString("C");
        QCOMPARE(bytes(text + MString("d")), QByteArray("ababCd"));
        text.reverse();
        QCOMPARE(bytes(text.copy(text)), QByteArray("Cbaba"));
        MString mixed = fromBytes("aZ9\xc3\xa4!");
        mixed.toUpper();
        QCOMPARE(bytes(mixed), QByteArray("AZ9\xc3\xa4!"));
        mixed.toLower();
        QCOMPARE(QByteArray(mixed.c_str()), QByteArray("az9\xc3\xa4!"));
        StreamCapture out(std::cout);
        MString("a\0b", 3).printOn(std::cout);
        MString("a\0b", 3).exportToStream(std::cout);
        MStringWrap("!").test();
        QCOMPARE(out.text(), QByteArray("a ba!\n"));
    }

    void identityAndLiveCounter()
    {
        const MString probe;
        const int live = probe.getCounter();
        {
            const MString first("x");
            const MStringWrap second(7);
            const MString copied(second);
            QCOMPARE(probe.getCounter(), live + 3);
            QCOMPARE(bytes(copied.getObjectID()),
                "41c69b52-961b-4eee-b5aa-36a830fc3d81" + QByteArray::number(live + 2));
            QCOMPARE(bytes(first.getClassName()), QByteArray("MString"));
        }
        QCOMPARE(probe.getCounter(), live);
    }

    void files()
    {
        QTemporaryDir dir;
        MString name((dir.path() + "/bytes.bin").toUtf8().constData());
        MString("a\0bcd", 5).exportToFile(name);
        MString read("old");
        read.importFromFile(name);
        QCOMPARE(bytes(read), QByteArray("a\0bcd", 5));
        // What lies beyond the file's end reads as zero bytes.
        read.importFromFile(name.c_str(), 3, 6);
        QCOMPARE(bytes(read), QByteArray("cd\0\0\0\0", 6));
        read.importFromFile(name.c_str(), 99, 2);
        QCOMPARE(bytes(read), QByteArray(2, '\0'));
        QCOMPARE(thrownBy([&] { read.importFromFile("/nonexistent/file"); }),
            QByteArray("can not open the file"));
        QCOMPARE(thrownBy([&] { read.exportToFile("/nonexistent/file"); }),
            QByteArray("can not create the file"));
        QCOMPARE(bytes(read), QByteArray(2, '\0'));
    }

    void hostileImports_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<long>("offset");
        QTest::addColumn<long>("count");
        QTest::addColumn<QByteArray>("thrown");
        QTest::newRow("a directory, whole")
            << "." << -1L << 0L << QByteArray("can not open the file");
        QTest::newRow("a directory, counted")
            << "." << 0L << 5L << QByteArray("can not open the file");
        QTest::newRow("10^11 bytes of a 5-byte file")
            << "bytes.bin" << 0L << 100000000000L << QByteArray("can not read the file");
        QTest::newRow("1 MiB past the end") << "bytes.bin" << 0L << 5L + (1L << 20) << QByteArray();
        QTest::newRow("one byte more")
            << "bytes.bin" << 0L << 6L + (1L << 20) << QByteArray("can not read the file");
        QTest::newRow("a named pipe without writer")
            << "pipe" << -1L << 0L << QByteArray("can not open the file");
        QTest::newRow("a named pipe, counted")
            << "pipe" << 0L << 5L << QByteArray("can not open the file");
        QTest::newRow("a sparse file of 10^11 bytes")
            << "sparse-1e11" << -1L << 0L << QByteArray("can not read the file");
        QTest::newRow("a sparse file of 3/4 of the memory")
            << "sparse-memory" << -1L << 0L << QByteArray("can not read the file");
    }

    // Nothing sized by an untrusted count or a directory's size, nothing waits for a pipe's
    // writer, nothing allocated beyond what the machine holds; the string keeps its bytes.
    void hostileImports()
    {
        QFETCH(QString, file);
        QFETCH(long, offset);
        QFETCH(long, count);
        QFETCH(QByteArray, thrown);
        QTemporaryDir dir;
        MString("a\0bcd", 5).exportToFile((dir.path() + "/bytes.bin").toUtf8().data());
        QVERIFY(mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600) == 0);
        const qint64 memory = qint64(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGESIZE);
        for (const auto& [name, size] : {std::pair("sparse-1e11", 100000000000LL),
                 std::pair("sparse-memory", memory / 4 * 3)}) {
            QFile sparse(dir.filePath(name));
            QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(size));
        }
        const QByteArray path = QDir(dir.path()).filePath(file).toUtf8();
        MString read("old");
        const QByteArray got = thrownBy([&] {
            if (offset < 0)
                read.importFromFile(path.constData());
            else
                read.importFromFile(path.constData(), offset, count);
        });
        QCOMPARE(got, thrown);
        if (thrown.isEmpty())
            QCOMPARE(long(read.length()), count);
        else
            QCOMPARE(bytes(read), QByteArray("old"));
    }
};

QTEST_APPLESS_MAIN(TestMString)
#include "test_MString.moc"
