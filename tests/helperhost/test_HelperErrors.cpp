#include "../common/StandardErrorInto.h"
#include "../common/TestFolder.h"
#include "HelperErrors.h"

#include <QtTest>

#include <cerrno>
#include <unistd.h>

namespace {

void helperWrites(const HelperErrors& errors, const QByteArray& text)
{
    QCOMPARE(
        ::write(errors.helperEnd(), text.constData(), size_t(text.size())), ssize_t(text.size()));
}

} // namespace

// A helper's standard error reaches the program's as the helper's, a bounded
// amount a task, its control bytes written out.
class TestHelperErrors : public QObject
{
    Q_OBJECT

private slots:
    void linesAreTheHelpers()
    {
        TestFolder folder;
        const StandardErrorInto log(folder.path("log"));
        HelperErrors errors("drawer");
        QVERIFY(errors.open());
        // WHEN the helper writes two lines, the second in two parts
        helperWrites(errors, "first line\nsecond ");
        errors.drain();
        helperWrites(errors, "line\n");
        errors.drain();
        // THEN each line is marked once as the helper's
        QCOMPARE(log.written(), QByteArray("drawer: first line\ndrawer: second line\n"));
    }

    void eachTaskSaysABoundedAmount()
    {
        TestFolder folder;
        const StandardErrorInto log(folder.path("log"));
        HelperErrors errors("drawer");
        QVERIFY(errors.open());
        // WHEN the helper writes twice as much as a task may, in two tasks
        for (int task = 0; task < 2; ++task) {
            errors.newTask();
            for (int written = 0; written < 2 * HelperErrors::mostBytes; written += 1024) {
                helperWrites(errors, QByteArray(1023, 'x') + '\n');
                errors.drain();
            }
        }
        // THEN each task passed its bytes and said the rest was left out
        const QByteArray written = log.written();
        QCOMPARE(written.count("drawer: what it wrote beyond this is left out\n"), 2);
        QVERIFY2(written.count('x') == 2 * HelperErrors::mostBytes - 2 * 64,
            qPrintable(QString::number(written.count('x'))));
    }

    void controlBytesAreWrittenOut_data()
    {
        QTest::addColumn<QByteArrayList>("parts");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("a window title")
            << QByteArrayList {"\x1b]0;title\x07\n"} << QByteArray("drawer: \\x1b]0;title\\x07\n");
        QTest::newRow("the clipboard written") << QByteArrayList {"\x1b]52;c;aGk=\x1b\\\n"}
                                               << QByteArray("drawer: \\x1b]52;c;aGk=\\x1b\\\n");
        QTest::newRow("the cursor asked for, by ESC and by C1") << QByteArrayList {
            "\x1b[6n\xc2\x9b"
            "6n\n"} << QByteArray("drawer: \\x1b[6n\\xc2\\x9b6n\n");
        QTest::newRow("a carriage return, a tab and DEL") << QByteArrayList {
            "over\rwritten\tand\x7f\n"} << QByteArray("drawer: over\\x0dwritten\\x09and\\x7f\n");
        QTest::newRow("bytes of no character")
            << QByteArrayList {"\xff\xc0\xaf \xed\xa0\x80 \xf4\x90\x80\x80\n"}
            << QByteArray("drawer: \\xff\\xc0\\xaf \\xed\\xa0\\x80 "
                          "\\xf4\\x90\\x80\\x80\n");
        QTest::newRow("characters, one split between reads")
            << QByteArrayList {"caf\xc3", "\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb8\n"}
            << QByteArray("drawer: caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb8\n");
        QTest::newRow("a character cut short at the end")
            << QByteArrayList {"cut \xe2\x82"} << QByteArray("drawer: cut \\xe2\\x82");
    }

    void controlBytesAreWrittenOut()
    {
        QFETCH(QByteArrayList, parts);
        QFETCH(QByteArray, shown);
        TestFolder folder;
        const StandardErrorInto log(folder.path("log"));
        HelperErrors errors("drawer");
        QVERIFY(errors.open());
        // WHEN the helper writes control bytes, read by parts, and ends
        for (const QByteArray& part : parts) {
            helperWrites(errors, part);
            errors.drain();
        }
        errors.closeHelperEnd();
        errors.drain();
        // THEN each reaches this program's standard error written out
        QCOMPARE(log.written(), shown);
    }

    void drainingEndsOnceTheHelperIsGone()
    {
        TestFolder folder;
        const StandardErrorInto log(folder.path("log"));
        HelperErrors errors("drawer");
        QVERIFY(errors.open());
        helperWrites(errors, "last words\n");
        // WHEN the helper's end closes and is drained, and drained again
        // with an interrupted call's errno standing
        errors.closeHelperEnd();
        errors.drain();
        errno = EINTR;
        errors.drain();
        // THEN both return, the words passed on
        QCOMPARE(errors.programEnd(), -1);
        QCOMPARE(log.written(), QByteArray("drawer: last words\n"));
    }
};

QTEST_GUILESS_MAIN(TestHelperErrors)
#include "test_HelperErrors.moc"
