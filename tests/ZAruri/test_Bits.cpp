#include "Bits.h"
#include "StreamCapture.h"

#include <QtTest>

#include <iostream>
#include <limits>

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
    StreamCapture out(std::cout);
    bits.printOn(std::cout);
    return out.text();
}

// The string after the move, and the bit the move returned.
QByteArray moved(char op, int length, int value, unsigned steps)
{
    Bits bits = make(length, quint64(value));
    const int out = op == 'r' ? bits.ror(steps)
        : op == 'l'           ? bits.rol(steps)
        : op == '>'           ? bits.shr(steps)
                              : bits.shl(steps);
    return text(bits) + " out " + QByteArray::number(out);
}

// 1101 combined with 01 or 101010.
QByteArray combined(char op, int otherLength)
{
    Bits bits = make(4, 13);
    const Bits other = make(otherLength, otherLength == 2 ? 1 : 42);
    op == '&' ? bits.andOp(other) : op == '|' ? bits.orOp(other) : bits.xorOp(other);
    return text(bits);
}

QByteArray inverted(int length)
{
    Bits bits(length);
    bits.negOp();
    return QByteArray::number(int(bits), 16);
}

qint64 availableKiB()
{
    QFile meminfo("/proc/meminfo");
    meminfo.open(QIODevice::ReadOnly);
    for (const QByteArray& line : meminfo.readAll().split('\n')) {
        if (line.startsWith("MemAvailable:"))
            return line.simplified().split(' ').value(1).toLongLong();
    }
    return 0;
}

const QByteArray setBitMessage = "Bits::setBit(int,int) Position is out of range\n";
const QByteArray getCodeMessage = "Bits::getCode(int) Out Of Range\n";

} // namespace

// The bit string: moves, length changes, bitwise operations, output and range messages.
class TestBits : public QObject
{
    Q_OBJECT

private slots:
    void results_data()
    {
        QTest::addColumn<QByteArray>("actual");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("ror 1 of 1") << moved('r', 4, 1, 1) << QByteArray("1000 out 1");
        QTest::newRow("shr 1 of 6") << moved('>', 4, 6, 1) << QByteArray("0011 out 0");
        QTest::newRow("shl 1 of 9") << moved('<', 4, 9, 1) << QByteArray("0010 out 1");
        QTest::newRow("rol 1 of 9") << moved('l', 4, 9, 1) << QByteArray("0011 out 1");
        QTest::newRow("ror 5 is ror 1") << moved('r', 4, 1, 5) << QByteArray("1000 out 1");
        QTest::newRow("shr 3 of 13") << moved('>', 5, 13, 3) << QByteArray("00001 out 1");
        QTest::newRow("shl by the length") << moved('<', 4, 9, 4) << QByteArray("0000 out 1");
        QTest::newRow("shr past the length") << moved('>', 4, 15, 5) << QByteArray("0000 out 0");
        QTest::newRow("no steps") << moved('l', 4, 9, 0) << QByteArray("1001 out 0");
        QTest::newRow("empty string") << moved('r', 0, 0, 3) << QByteArray(" out 0");
        QTest::newRow("and shorter clears the high bits") << combined('&', 2) << QByteArray("0001");
        QTest::newRow("or shorter keeps them") << combined('|', 2) << QByteArray("1101");
        QTest::newRow("xor shorter keeps them") << combined('^', 2) << QByteArray("1100");
        QTest::newRow("and longer") << combined('&', 6) << QByteArray("1000");
        QTest::newRow("or longer") << combined('|', 6) << QByteArray("1111");
        QTest::newRow("xor longer") << combined('^', 6) << QByteArray("0111");
        QTest::newRow("inverted 10 bits fill two bytes") << inverted(10) << QByteArray("ffff");
        QTest::newRow("inverted 0 bits") << inverted(0) << QByteArray("0");
        QTest::newRow("inverted 40 bits") << inverted(40) << QByteArray("ffffffff");
        Bits bits = make(6, 45);
        QTest::newRow("del 2") << text(bits.del(2)) << QByteArray("1011");
        QTest::newRow("del more than there are") << text(bits.del(9)) << QByteArray();
        Bits low = make(2, 1);
        QTest::newRow("cat") << text(low.cat(make(2, 2))) << QByteArray("1001");
        QTest::newRow("cat itself") << text(low.cat(low)) << QByteArray("10011001");
        StreamCapture out(std::cout);
        make(4, 1).print();
        QTest::newRow("print: low bit first, a line") << out.text() << QByteArray("1000\n");
    }
    void results()
    {
        QFETCH(QByteArray, actual);
        QFETCH(QByteArray, expected);
        QCOMPARE(actual, expected);
    }

    void rangeMessages()
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
        QCOMPARE(make(40, (quint64(1) << 35) | 6).getCode(39), 6u);
        Bits narrow(30);
        narrow.setCode(0xFFFFFFFFu);
        QCOMPARE(narrow.getCode(30), 0x3FFFFFFFu);
        QCOMPARE(errors.text().count(setBitMessage), 3);
    }

    // A joined count past INT_MAX would wrap negative and write past the buffer.
    void catBeyondIntMax()
    {
        if (availableKiB() < (1 << 20))
            QSKIP("needs 1 GiB of free memory for a string of INT_MAX bits");
        Bits longest(std::numeric_limits<int>::max());
        longest.setBit(0, 1);
        StreamCapture errors(std::cerr);
        longest.cat(make(2, 3));
        QCOMPARE(errors.text(), QByteArray("Bits::cat(Bits) Out Of Range\n"));
        QCOMPARE(longest.getBit(unsigned(std::numeric_limits<int>::max()) - 1), 0);
        QCOMPARE(longest.getBit(unsigned(std::numeric_limits<int>::max())), int(0xFFFFFFFF));
        QCOMPARE(longest.getCode(1), 1u);
    }
};

QTEST_APPLESS_MAIN(TestBits)
#include "test_Bits.moc"
