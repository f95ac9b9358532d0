#include "../common/RunawayBound.h"
#include "../common/TestFolder.h"
#include "DialogTestTools.h"
#include "EditorTestTools.h"
#include "HelperGate.h"
#include "PageTrial.h"
#include "TextEdit.h"
#include "TextEditReader.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTextEdit>

using namespace DialogTestTools;
using namespace EditorTestTools;
using namespace HelperGate;

namespace {

// What the window says to a page opened, within the limits of a page.
QString opened(TextEdit* window, const QString& path)
{
    QElapsedTimer clock;
    clock.start();
    const QString message = messageAfterFileDialog(path, [window] {
        window->slotFileOpen();
        settled(window);
    });
    const qint64 limits = PageTrial::cpuLimitMs + PageTrial::waitLimitMs;
    return clock.elapsed() < waitBoundMs(limits) ? message
                                                 : QString("took %1 ms").arg(clock.elapsed());
}

// What the window says to a rich paste into the page it shows, which the
// helper serving that page tries.
QString pasted(TextEdit* window)
{
    auto* offer = new QMimeData;
    offer->setHtml(QStringLiteral("<p>pasted</p>"));
    QApplication::clipboard()->setMimeData(offer);
    return messageRejectedDuring([window] {
        window->slotPaste();
        settled(window);
    });
}

} // namespace

// A page helper that lies is a stranger the program reads as such: each page
// it answers for is refused within the limits, and the program lives on.
class TestPageHelpers : public QObject
{
    Q_OBJECT

private slots:
    void lyingHelperGetsThePageRefused_data()
    {
        QTest::addColumn<QString>("how");
        // How many pages it answers truly before it lies; it lies about a
        // paste into the last, which it serves as it serves that page.
        QTest::addColumn<int>("truthful");
        QTest::addColumn<QString>("refusal");
        const QString amiss = "It could not be laid out in this editor: its helper answered amiss.";
        QTest::newRow("2^31 - 1 names announced") << "huge-name-count" << 0 << amiss;
        QTest::newRow("100,000 names") << "many-names" << 0 << amiss;
        QTest::newRow("an answer given again with the next request")
            << "repeated-answer" << 1 << amiss;
        QTest::newRow("an answer under another number") << "wrong-number" << 0 << amiss;
        QTest::newRow("a height that is no number")
            << "no-number-height" << 0 << TextEditReader::heightRefusal();
        QTest::newRow("a page said built twice") << "built-twice" << 0 << amiss;
        QTest::newRow("a page built, then a height that is no number")
            << "built-too-tall" << 0 << TextEditReader::heightRefusal();
    }

    void lyingHelperGetsThePageRefused()
    {
        QFETCH(QString, how);
        QFETCH(int, truthful);
        QFETCH(QString, refusal);
        // GIVEN a page helper that lies that way, and a page with a picture
        TestFolder folder;
        const HelperInPlace helper(folder, how);
        const QString page = folder.write("page.html", "<p>kept <img src=\"a.png\"></p>");
        TextEdit window;
        window.show();
        for (int i = 0; i < truthful; ++i)
            QCOMPARE(opened(&window, page), QString());
        // WHEN the page is opened, or pasted into, THEN it is refused for
        // what the helper said
        const QString message = truthful > 0 ? pasted(&window) : opened(&window, page);
        QVERIFY2(message.contains(refusal), qPrintable(message));
        // AND with the real helper back, it opens
        PageTrial::setHelper(QCoreApplication::applicationDirPath() + '/' + PageTrial::helperName);
        QCOMPARE(opened(&window, page), QString());
        QCOMPARE(window.findChild<QTextEdit*>()->toPlainText().trimmed().left(4), QString("kept"));
    }

    // The window builds a page while the helper lays it out, and shows it
    // once the helper took it; a cancel meanwhile leaves the window as it was.
    void pageBuiltWhileTheHelperLaysOut_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("taken") << false;
        QTest::newRow("cancelled") << true;
    }

    void pageBuiltWhileTheHelperLaysOut()
    {
        QFETCH(bool, cancelled);
        // GIVEN a window that shows notes, and a helper that says it built a
        // page, then lays it out until the test lets it
        TestFolder folder;
        const QString notes = folder.write("notes.html", "<p>notes</p>");
        const QString page = folder.write("page.html", gated("<p>page</p>"));
        TextEdit window;
        window.show();
        QCOMPARE(opened(&window, notes), QString());
        auto* area = window.findChild<QTextEdit*>();
        {
            const HelperInPlace helper(folder, "built-gated");
            // WHEN the page is opened, and the trial cancelled or let end
            QCOMPARE(messageAfterFileDialog(page, [&window] { window.slotFileOpen(); }), QString());
            QVERIFY(trialsOf(&window)->isTrying());
            if (cancelled) {
                pressEscape(&window);
                QVERIFY(!trialsOf(&window)->isTrying());
            } else {
                QVERIFY(releaseGate("built-gated"));
            }
            settled(&window);
        }
        // THEN the window shows the page taken, or the notes still
        QCOMPARE(area->toPlainText(), QString(cancelled ? "notes" : "page"));
        QVERIFY(!area->document()->isModified());
        // AND with the real helper back, the page opens
        QCOMPARE(opened(&window, page), QString());
        QCOMPARE(area->toPlainText(), QString("page"));
    }
};

QTEST_MAIN(TestPageHelpers)
#include "test_PageHelpers.moc"
