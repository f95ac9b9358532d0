#include "Bits.h"
#include "StreamCapture.h"

#include <QtTest>

#include <iostream>

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

const QByteArray setBitMessage = "Bits::setBit(int,int) Position is out of range\n";
const QByteArray getCodeMessage = "Bits::getCode(int) Out Of Range\n";

} // namespace

// The bit string: moves, length changes, bitwise operations, output and range messages.
class TestBits : public QObject
{
    Q_OBJECT

private slots:
    void bytesHeld()
    {
        for (const auto& [length, inverted] :
            {std::pair {10, 0xFFFF}, {16, 0xFFFF}, {0, 0}, {40, -1}}) {
            Bits bits(length);
            bits.negOp();
            QCOMPARE(int(bits), inverted);
        }
    }

    void rotateAndShift_data()
    {
        QTest::addColumn<char>("op");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("value");
        QTest::addColumn<unsigned>("steps");
        QTest::addColumn<QByteArray>("result");
        QTest::addColumn<int>("out");
        QTest::newRow("ror 1 of 1") << 'r' << 4 << 1 << 1u << QByteArray("1000") << 1;
        QTest::newRow("shr 1 of 6") << '>' << 4 << 6 << 1u << QByteArray("0011") << 0;
        QTest::newRow("shl 1 of 9") << '<' << 4 << 9 << 1u << QByteArray("0010") << 1;
        QTest::newRow("rol 1 of 9") << 'l' << 4 << 9 << 1u << QByteArray("0011") << 1;
        QTest::newRow("ror 5 is ror 1") << 'r' << 4 << 1 << 5u << QByteArray("1000") << 1;
        QTest::newRow("rol 3 of 9") << 'l' << 4 << 9 << 3u << QByteArray("1100") << 0;
        QTest::newRow("shr 3 of 13") << '>' << 5 << 13 << 3u << QByteArray("00001") << 1;
        QTest::newRow("shl by the length") << '<' << 4 << 9 << 4u << QByteArray("0000") << 1;
        QTest::newRow("shr past the length") << '>' << 4 << 15 << 5u << QByteArray("0000") << 0;
        QTest::newRow("no steps") << 'l' << 4 << 9 << 0u << QByteArray("1001") << 0;
        QTest::newRow("empty string") << 'r' << 0 << 0 << 3u << QByteArray() << 0;
    }
    void rotateAndShift()
    {
        QFETCH(char, op);
        QFETCH(int, length);
        QFETCH(int, value);
        QFETCH(unsigned, steps);
        QFETCH(QByteArray, result);
        QFETCH(int, out);
        Bits bits = make(length, quint64(value));
        const int returned = op == 'r' ? bits.ror(steps)
            : op == 'l'                ? bits.rol(steps)
            : op == '>'                ? bits.shr(steps)
                                       : bits.shl(steps);
        QCOMPARE(text(bits), result);
        QCOMPARE(returned, out);
    }

    void lengthChanges()
    {
        Bits bits = make(6, 45);
        QCOMPARE(text(bits.del(2)), QByteArray("1011"));
        QCOMPARE(text(bits.del(9)), QByteArray());
        Bits low = make(2, 1);
        QCOMPARE(text(low.cat(make(2, 2))), QByteArray("1001"));
        QCOMPARE(text(low.cat(low)), QByteArray("10011001"));
    }

    void bitwiseWithOtherLengths_data()
    {
        QTest::addColumn<char>("op");
        QTest::addColumn<int>("otherLength");
        QTest::addColumn<QByteArray>("result");
        // 1101 with 01 or with 101010
        QTest::newRow("and shorter clears the high bits") << '&' << 2 << QByteArray("0001");
        QTest::newRow("or shorter keeps them") << '|' << 2 << QByteArray("1101");
        QTest::newRow("xor shorter keeps them") << '^' << 2 << QByteArray("1100");
        QTest::newRow("and longer") << '&' << 6 << QByteArray("1000");
        QTest::newRow("or longer") << '|' << 6 << QByteArray("1111");
        QTest::newRow("xor longer") << '^' << 6 << QByteArray("0111");
    }
    void bitwiseWithOtherLengths()
    {
        QFETCH(char, op);
        QFETCH(int, otherLength);
        QFETCH(QByteArray, result);
        Bits bits = make(4, 13);
        const Bits other = make(otherLength, otherLength == 2 ? 1 : 42);
        op == '&' ? bits.andOp(other) : op == '|' ? bits.orOp(other) : bits.xorOp(other);
        QCOMPARE(text(bits), result);
    }

    void printFormats()
    {
        const Bits one = make(4, 1);
        QCOMPARE(text(one), QByteArray("0001"));
        StreamCapture out(std::cout);
        one.print();
        QCOMPARE(out.text(), QByteArray("1000\n"));
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
};

QTEST_APPLESS_MAIN(TestBits)
#include "test_Bits.moc"
