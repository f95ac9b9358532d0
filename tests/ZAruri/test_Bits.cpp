#include "Bits.h"
#include "StreamCapture.h"

#include <QtTest>

#include <iostream>
#include <sstream>

using ZAruri::Bits;

namespace {

Bits make(int length, quint64 value)
{
    Bits bits(length);
    for (int i = 0; i < length; ++i)
        bits.setBit(unsigned(i), int((value >> i) & 1));
    return bits;
}

QByteArray text(const Bits& bits)
{
    std::ostringstream out;
    bits.printOn(out);
    return QByteArray::fromStdString(out.str());
}

const QByteArray setBitMessage = "Bits::setBit(int,int) Position is out of range\n";
const QByteArray getCodeMessage = "Bits::getCode(int) Out Of Range\n";

} // namespace

// The bit string: moves, length changes, bitwise operations, output and range messages.
class TestBits : public QObject
{
    Q_OBJECT

private slots:
    void bytesHeld_data();
    void bytesHeld();
    void rotateAndShift_data();
    void rotateAndShift();
    void lengthChanges();
    void bitwiseWithOtherLengths_data();
    void bitwiseWithOtherLengths();
    void printFormats();
    void rangeMessages();
};

void TestBits::bytesHeld_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("inverted");
    QTest::newRow("10 bits in 2 bytes") << 10 << 0xFFFF;
    QTest::newRow("16 bits in 2 bytes") << 16 << 0xFFFF;
    QTest::newRow("0 bits in none") << 0 << 0;
    QTest::newRow("40 bits, first four bytes read") << 40 << -1;
}

void TestBits::bytesHeld()
{
    QFETCH(int, length);
    QFETCH(int, inverted);
    Bits bits(length);
    bits.negOp();
    QCOMPARE(int(bits), inverted);
}

void TestBits::rotateAndShift_data()
{
    QTest::addColumn<QByteArray>("op");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("value");
    QTest::addColumn<unsigned>("steps");
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<int>("out");
    QTest::newRow("ror 1 wraps bit 0 to the top")
        << QByteArray("ror") << 4 << 1 << 1u << QByteArray("1000") << 1;
    QTest::newRow("shr 1 of 6") << QByteArray("shr") << 4 << 6 << 1u << QByteArray("0011") << 0;
    QTest::newRow("shl 1 of 9") << QByteArray("shl") << 4 << 9 << 1u << QByteArray("0010") << 1;
    QTest::newRow("rol 1 of 9") << QByteArray("rol") << 4 << 9 << 1u << QByteArray("0011") << 1;
    QTest::newRow("ror 5 is ror 1") << QByteArray("ror") << 4 << 1 << 5u << QByteArray("1000") << 1;
    QTest::newRow("rol 3 of 9") << QByteArray("rol") << 4 << 9 << 3u << QByteArray("1100") << 0;
    QTest::newRow("shr 3 of 13") << QByteArray("shr") << 5 << 13 << 3u << QByteArray("00001") << 1;
    QTest::newRow("shl by the length")
        << QByteArray("shl") << 4 << 9 << 4u << QByteArray("0000") << 1;
    QTest::newRow("shr past the length")
        << QByteArray("shr") << 4 << 15 << 5u << QByteArray("0000") << 0;
    QTest::newRow("no steps") << QByteArray("rol") << 4 << 9 << 0u << QByteArray("1001") << 0;
    QTest::newRow("empty string") << QByteArray("ror") << 0 << 0 << 3u << QByteArray() << 0;
}

void TestBits::rotateAndShift()
{
    QFETCH(QByteArray, op);
    QFETCH(int, length);
    QFETCH(int, value);
    QFETCH(unsigned, steps);
    QFETCH(QByteArray, result);
    QFETCH(int, out);
    Bits bits = make(length, quint64(value));
    const int returned = op == "ror" ? bits.ror(steps)
        : op == "rol"                ? bits.rol(steps)
        : op == "shr"                ? bits.shr(steps)
                                     : bits.shl(steps);
    QCOMPARE(text(bits), result);
    QCOMPARE(returned, out);
}

void TestBits::lengthChanges()
{
    Bits bits = make(6, 45);
    QCOMPARE(text(bits.del(2)), QByteArray("1011"));
    QCOMPARE(text(bits.del(9)), QByteArray());
    QCOMPARE(int(bits), 0);

    Bits low = make(2, 1);
    QCOMPARE(text(low.cat(make(2, 2))), QByteArray("1001"));
    QCOMPARE(text(low.cat(low)), QByteArray("10011001"));
    QCOMPARE(low.getBit(8), -1);
}

void TestBits::bitwiseWithOtherLengths_data()
{
    QTest::addColumn<QByteArray>("op");
    QTest::addColumn<int>("otherLength");
    QTest::addColumn<QByteArray>("result");
    // 1101 with 01 or with 101010
    QTest::newRow("and shorter clears the high bits")
        << QByteArray("and") << 2 << QByteArray("0001");
    QTest::newRow("or shorter keeps them") << QByteArray("or") << 2 << QByteArray("1101");
    QTest::newRow("xor shorter keeps them") << QByteArray("xor") << 2 << QByteArray("1100");
    QTest::newRow("and longer") << QByteArray("and") << 6 << QByteArray("1000");
    QTest::newRow("or longer") << QByteArray("or") << 6 << QByteArray("1111");
    QTest::newRow("xor longer") << QByteArray("xor") << 6 << QByteArray("0111");
}

void TestBits::bitwiseWithOtherLengths()
{
    QFETCH(QByteArray, op);
    QFETCH(int, otherLength);
    QFETCH(QByteArray, result);
    Bits bits = make(4, 13);
    const Bits other = make(otherLength, otherLength == 2 ? 1 : 42);
    if (op == "and")
        bits.andOp(other);
    else if (op == "or")
        bits.orOp(other);
    else
        bits.xorOp(other);
    QCOMPARE(text(bits), result);
}

void TestBits::printFormats()
{
    const Bits one = make(4, 1);
    QCOMPARE(text(one), QByteArray("0001"));
    StreamCapture out(std::cout);
    one.print();
    QCOMPARE(out.text(), QByteArray("1000\n"));
}

void TestBits::rangeMessages()
{
    StreamCapture errors(std::cerr);
    Bits bits(32);
    bits.setCode(5);
    QCOMPARE(bits.getCode(32), 5u);
    QCOMPARE(errors.text(), QByteArray());

    QCOMPARE(bits.getCode(0), 0u);
    QCOMPARE(bits.getCode(33), 0u);
    bits.setBit(32, 1);
    QCOMPARE(bits.getBit(32), int(0xFFFFFFFF));
    QCOMPARE(errors.text(), getCodeMessage + getCodeMessage + setBitMessage);

    // Bits from 32 up have no place in the 32-bit result.
    const Bits wide = make(40, (quint64(1) << 35) | 6);
    QCOMPARE(wide.getCode(39), 6u);
    QCOMPARE(wide.getCode(40), 0u);

    Bits narrow(30);
    narrow.setCode(0xFFFFFFFFu);
    QCOMPARE(narrow.getCode(30), 0x3FFFFFFFu);
    QCOMPARE(errors.text().count(setBitMessage), 3);
}

QTEST_APPLESS_MAIN(TestBits)
#include "test_Bits.moc"
