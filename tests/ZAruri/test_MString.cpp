#include "MString.h"
#include "MStringWrap.h"
#include "StreamCapture.h"

#include <QtTest>

#include <iostream>
#include <sstream>

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

} // namespace

// The byte string and its number constructors.
class TestMString : public QObject
{
    Q_OBJECT

private slots:
    void numberText_data();
    void numberText();
    void ordering_data();
    void ordering();
    void find_data();
    void find();
    void getString_data();
    void getString();
    void editing();
    void textOutput();
    void identityAndLiveCounter();
    void fileExportAndImport();
    void fileErrorsThrowTheirText();
};

void TestMString::numberText_data()
{
    QTest::addColumn<QByteArray>("actual");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("int") << bytes(MStringWrap(42)) << QByteArray("42");
    QTest::newRow("negative int") << bytes(MStringWrap(-7)) << QByteArray("-7");
    QTest::newRow("unsigned") << bytes(MStringWrap(4000000000u)) << QByteArray("4000000000");
    QTest::newRow("long narrowed to 32 bits") << bytes(MStringWrap(4294967296L)) << QByteArray("0");
    QTest::newRow("float") << bytes(MStringWrap(1.5f)) << QByteArray("1.500000");
    QTest::newRow("double") << bytes(MStringWrap(-0.25)) << QByteArray("-0.250000");
    QTest::newRow("long double narrowed to float")
        << bytes(MStringWrap(0.1L)) << QByteArray("0.100000");
    QTest::newRow("double of 309 digits")
        << bytes(MStringWrap(1e308)) << QByteArray::number(1e308, 'f', 6);
    QTest::newRow("char") << bytes(MStringWrap('x')) << QByteArray("x");
    QTest::newRow("bytes with a zero") << bytes(MStringWrap("a\0b", 3)) << QByteArray("a\0b", 3);
}

void TestMString::numberText()
{
    QFETCH(QByteArray, actual);
    QFETCH(QByteArray, expected);
    QCOMPARE(actual, expected);
}

void TestMString::ordering_data()
{
    QTest::addColumn<QByteArray>("left");
    QTest::addColumn<QByteArray>("right");
    QTest::addColumn<int>("order");
    QTest::newRow("last byte decides") << QByteArray("abc") << QByteArray("abd") << -1;
    QTest::newRow("shorter prefix is smaller") << QByteArray("ab") << QByteArray("abc") << -1;
    QTest::newRow("0x80 sorts before A") << QByteArray("\x80") << QByteArray("A") << -1;
    QTest::newRow("equal") << QByteArray("abc") << QByteArray("abc") << 0;
    QTest::newRow("empty before anything") << QByteArray() << QByteArray("\x80") << -1;
}

void TestMString::ordering()
{
    QFETCH(QByteArray, left);
    QFETCH(QByteArray, right);
    QFETCH(int, order);
    const MString a = fromBytes(left), b = fromBytes(right);
    QCOMPARE(a < b, order < 0);
    QCOMPARE(b > a, order < 0);
    QCOMPARE(b < a, false);
    QCOMPARE(a <= b, true);
    QCOMPARE(b >= a, true);
    QCOMPARE(a == b, order == 0);
    QCOMPARE(a != b, order != 0);
}

void TestMString::find_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<int>("from");
    QTest::addColumn<long>("index");
    QTest::newRow("second position") << QByteArray("aab") << QByteArray("ab") << 0 << 1L;
    QTest::newRow("start past the match") << QByteArray("xab") << QByteArray("ab") << 2 << -1L;
    QTest::newRow("start past the end") << QByteArray("abc") << QByteArray("a") << 5 << -1L;
    QTest::newRow("negative start counts as 0") << QByteArray("abc") << QByteArray("a") << -3 << 0L;
    QTest::newRow("empty pattern at the start") << QByteArray("abc") << QByteArray() << 2 << 2L;
    QTest::newRow("empty pattern past the end") << QByteArray("abc") << QByteArray() << 3 << -1L;
    QTest::newRow("pattern longer than rest") << QByteArray("abc") << QByteArray("cd") << 0 << -1L;
}

void TestMString::find()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, pattern);
    QFETCH(int, from);
    QFETCH(long, index);
    QCOMPARE(fromBytes(text).find(fromBytes(pattern), from), index);
}

void TestMString::getString_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QByteArray>("part");
    QTest::newRow("middle") << 1 << 3 << QByteArray("bc");
    QTest::newRow("empty range") << 2 << 2 << QByteArray();
    QTest::newRow("reversed") << 3 << 1 << QByteArray();
    QTest::newRow("end past the string") << 2 << 99 << QByteArray("cd");
    QTest::newRow("negative start") << -5 << 2 << QByteArray("ab");
    QTest::newRow("wholly outside") << 7 << 9 << QByteArray();
}

void TestMString::getString()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QByteArray, part);
    QCOMPARE(bytes(MString("abcd").getString(from, to)), part);
}

void TestMString::editing()
{
    MString text("ab");
    text.cat(text);
    QCOMPARE(bytes(text), QByteArray("abab"));
    text += MString("C");
    QCOMPARE(bytes(text + MString("d")), QByteArray("ababCd"));
    text.reverse();
    QCOMPARE(bytes(text), QByteArray("Cbaba"));
    text.copy(text);
    QCOMPARE(bytes(text), QByteArray("Cbaba"));

    MString mixed = fromBytes("aZ9\xc3\xa4!");
    mixed.toUpper();
    QCOMPARE(bytes(mixed), QByteArray("AZ9\xc3\xa4!"));
    mixed.toLower();
    QCOMPARE(bytes(mixed), QByteArray("az9\xc3\xa4!"));
    QCOMPARE(QByteArray(mixed.c_str()), QByteArray("az9\xc3\xa4!"));
    QCOMPARE(mixed.length(), 6UL);
}

void TestMString::textOutput()
{
    MString text("a\0b", 3);
    std::ostringstream printed, exported;
    text.printOn(printed);
    text.exportToStream(exported);
    QCOMPARE(printed.str(), std::string("a b"));
    QCOMPARE(exported.str(), std::string("a"));

    StreamCapture out(std::cout);
    MStringWrap("hi").test();
    QCOMPARE(out.text(), QByteArray("hi\n"));
}

void TestMString::identityAndLiveCounter()
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

void TestMString::fileExportAndImport()
{
    QTemporaryDir dir;
    MString name((dir.path() + "/bytes.bin").toUtf8().constData());
    MString("a\0bcd", 5).exportToFile(name);

    MString whole;
    whole.importFromFile(name);
    QCOMPARE(bytes(whole), QByteArray("a\0bcd", 5));

    MString part("old");
    part.importFromFile(name.c_str(), 3, 6);
    QCOMPARE(bytes(part), QByteArray("cd\0\0\0\0", 6));
    part.importFromFile(name.c_str(), 99, 2);
    QCOMPARE(bytes(part), QByteArray(2, '\0'));
}

void TestMString::fileErrorsThrowTheirText()
{
    MString text("kept");
    QByteArray thrown;
    try {
        text.importFromFile("/nonexistent/file");
    } catch (const char* message) {
        thrown = message;
    }
    QCOMPARE(thrown, QByteArray("can not open the file"));
    QCOMPARE(bytes(text), QByteArray("kept"));
    try {
        text.exportToFile("/nonexistent/file");
    } catch (const char* message) {
        thrown = message;
    }
    QCOMPARE(thrown, QByteArray("can not create the file"));
}

QTEST_APPLESS_MAIN(TestMString)
#include "test_MString.moc"
