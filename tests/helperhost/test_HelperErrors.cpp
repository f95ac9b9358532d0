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
// amount a task.
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
