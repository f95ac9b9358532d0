#include "Base64.h"
#include "QByteArrayExtensions.h"
#include "RegExps.h"
#include "SysInfo.h"
#include "Tristate.h"
#include "phpCompress.h"

#include <QtTest>

#include <zlib.h>

using namespace ZAruri;

// E-mail pattern, UTF-16BE text, Base64, zlib streams, Tristate, stack traces.
class TestEncodings : public QObject
{
    Q_OBJECT

private slots:
    void email_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("plain") << "anna@example.com" << true;
        QTest::newRow("dots, dashes, labels") << "a.b_c-d@mail.sub-x.example.info" << true;
        QTest::newRow("numeric last label") << "root@10.0.0.1" << true;
        QTest::newRow("upper case") << "ANNA@EXAMPLE.DE" << true;
        QTest::newRow("one-letter last label") << "x@y.d" << false;
        QTest::newRow("five-letter last label") << "x@y.abcde" << false;
        QTest::newRow("four-digit last label") << "x@y.1234" << false;
        QTest::newRow("domain without a dot") << "x@localhost" << false;
        QTest::newRow("doubled at") << "x@@y.com" << false;
        QTest::newRow("plus sign") << "x+tag@y.com" << false;
    }
    void email()
    {
        QFETCH(QString, address);
        QFETCH(bool, accepted);
        QCOMPARE(RegExps::email().exactMatch(address), accepted);
    }

    void utf16BigEndian_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QString() << QByteArray();
        QTest::newRow("one letter") << "A" << QByteArray("\x00\x41", 2);
        QTest::newRow("umlaut and check mark")
            << QString::fromUtf8("ü✓") << QByteArray("\x00\xfc\x27\x13", 4);
        QTest::newRow("surrogate pair")
            << QString::fromUtf8("🎸") << QByteArray("\xd8\x3c\xdf\xb8", 4);
    }
    void utf16BigEndian()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(QByteArrayExtensions::convertFromQString(text), bytes);
        QCOMPARE(QByteArrayExtensions::convertToQString(bytes), text);
        // An odd last byte is the high byte of one more character.
        QCOMPARE(QByteArrayExtensions::convertToQString(bytes + 'B'), text + QChar(0x4200));
    }

    void base64()
    {
        QCOMPARE(Base64::codeQString("abc"), QStringLiteral("AGEAYgBj"));
        QCOMPARE(Base64::decodeQString("AGE\nAY gBj!"), QStringLiteral("abc"));
        QCOMPARE(Base64::decodeQString("AEFC"), QStringLiteral("A") + QChar(0x4200));
        QCOMPARE(Base64::codeQByteArray(QByteArray("\xff\x00\x01", 3)), QStringLiteral("/wAB"));
        QCOMPARE(Base64::decodeQByteArray("/wAB"), QByteArray("\xff\x00\x01", 3));
    }

    void phpCompressGivesAZlibStream()
    {
        QVERIFY(phpCompress(QByteArray()).isEmpty());
        for (const QByteArray& data : {QByteArray("Tessivar"), QByteArray(1 << 20, 'x')}) {
            const QByteArray stream = phpCompress(data);
            QCOMPARE(stream.left(2), QByteArray("\x78\xda"));
            QByteArray restored(data.size(), '\0');
            uLongf size = uLongf(restored.size());
            QCOMPARE(uncompress(reinterpret_cast<Bytef*>(restored.data()), &size,
                         reinterpret_cast<const Bytef*>(stream.constData()), uLong(stream.size())),
                Z_OK);
            QCOMPARE(restored, data);
        }
    }

    void tristate()
    {
        QVERIFY(Tristate(true) == Tristate(Tristate::TristateTrue));
        QVERIFY(Tristate(false) != Tristate(Tristate::TristateUndefined));
        bool ok = true;
        QVERIFY(!Tristate(Tristate::TristateUndefined).toBool(&ok) && !ok);
        Tristate state(false);
        state = true;
        QVERIFY(state.toBool(&ok) && !ok);
        ok = true;
        QVERIFY(!Tristate(false).toBool(&ok) && ok);
    }

    // Defined out of the class, so that its symbol is exported and named in the trace.
    void stackTraceNumbering();
};

void TestEncodings::stackTraceNumbering()
{
#ifdef __SANITIZE_ADDRESS__
    const int own = 1; // the sanitizer's backtrace() is a frame of its own
#else
    const int own = 0;
#endif
    const QStringList lines = SysInfo::stackTrace(0, 0).split('\n', Qt::SkipEmptyParts);
    QVERIFY(lines.size() >= 3 && lines.size() <= 99);
    for (int i = 0; i < lines.size(); ++i)
        QVERIFY2(lines[i].startsWith(QString::number(i + 1) + ' '), qPrintable(lines[i]));
    QVERIFY2(lines[own].contains("SysInfo10stackTraceEii"), qPrintable(lines[own]));
    QVERIFY2(lines[own + 1].contains("stackTraceNumbering"), qPrintable(lines[own + 1]));

    const QStringList limited = SysInfo::stackTrace(3, 1).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(limited.size(), 1);
    QVERIFY(limited[0].startsWith("2 "));
    char small[10];
    SysInfo::stackTrace(small, sizeof small, 0, 0);
    QCOMPARE(qstrlen(small), 9U);
}

QTEST_APPLESS_MAIN(TestEncodings)
#include "test_Encodings.moc"
