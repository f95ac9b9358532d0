// Pages tried in the page helper before the window builds them: those bare
// Qt shows at once are shown, pastes add up in their document until the
// helper's limits, and a long trial can be cancelled.
#include "../common/HostileHtml.h"
#include "../common/RunawayBound.h"
#include "../common/TestFolder.h"
#include "../common/ThreadTime.h"
#include "PageTestTools.h"
#include "PageTrial.h"
#include "TextEdit.h"
#include "TextEditReader.h"
#include "TrialWait.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QTextDocument>
#include <QTextEdit>

#include <ctime>

using namespace DialogTestTools;
using namespace EditorTestTools;
using namespace HostileHtml;
using namespace PageTestTools;

namespace {

// One letter of that size before the words, in one paragraph.
QByteArray afterALetter(int pixels, int count)
{
    return "<p><span style=\"font-size: " + QByteArray::number(pixels) + "px\">X</span> "
        + words(count) + "</p>";
}

// A page of 13 tables, each in the one cell of the table around it, around
// 200 words: 1,195 bytes that cost Qt's layout a moment, and ten of them
// one after another several seconds.
QByteArray thirteenTablesAroundWords()
{
    return repeated("<table><tr><td>", 13) + words(200);
}

// Offers the page on the clipboard as HTML.
void offer(const QByteArray& page)
{
    auto* offered = new QMimeData;
    offered->setHtml(QString::fromUtf8(page));
    QApplication::clipboard()->setMimeData(offered);
}

// Paint events that reach a widget.
class PaintCount : public QObject
{
public:
    explicit PaintCount(QWidget* widget)
    {
        widget->installEventFilter(this);
    }

    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// What a window did while a trial ran, up to the progress dialog, which the
// watch cancels: its timer's ticks and its repaints, the cursor, and the
// GUI thread's own time from the cancel on.
class TrialWatch
{
public:
    explicit TrialWatch(QWidget* window)
        : m_paints(textArea(window)->viewport())
    {
        QWidget* area = textArea(window)->viewport();
        m_tick.setInterval(20);
        QObject::connect(&m_tick, &QTimer::timeout, [this, area] {
            ++m_ticks;
            area->update();
        });
        m_tick.start();
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this, window, area] {
            QProgressDialog* progress = progressOf(window);
            if (!progress)
                return;
            m_poll.stop();
            ticks = m_ticks;
            paints = m_paints.paints;
            cursor = area->cursor().shape();
            sinceCancel.restart();
            cancelled = true;
            click(progress, "Cancel");
        });
        m_poll.start();
    }

    int ticks = 0;
    int paints = 0;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    bool cancelled = false;
    ThreadTime sinceCancel;

private:
    QTimer m_tick;
    QTimer m_poll;
    int m_ticks = 0;
    PaintCount m_paints;
};

// The window's own processor time while it lays its document out at that
// width.
qint64 widenedMs(TextEdit* window, int width)
{
    const qint64 before = threadCpuMs();
    window->resize(width, 600);
    QApplication::processEvents();
    textArea(window)->document()->size();
    return threadCpuMs() - before;
}

using Pages = QList<QPair<QByteArray, QByteArray>>;

// The pages of a data function, each opened and pasted.
void addRows(const Pages& pages)
{
    for (const auto& page : pages) {
        QTest::newRow(page.first + ", opened") << page.second << false;
        QTest::newRow(page.first + ", pasted") << page.second << true;
    }
}

// A document the helper no longer holds travels with the paste, up to a size.
const QString tooLargeToTravel = "more than this editor sends its page helper.";

} // namespace

class TestTextEditPages : public QObject
{
    Q_OBJECT

private slots:
    void pagesBareQtShowsAtOnceAreShown_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("pasted");
        Pages pages;
        pages.append({"a table of one cell spanning 65,535 columns",
            QByteArray("<table border=1><tr><td colspan=65535>x</td></tr></table>")});
        pages.append({"a margin of 1e9 pixels at the left",
            "<p style=\"margin-left:1e9px\">" + words(200) + "</p>"});
        pages.append({"tables of border 1e9",
            repeated("<table border=1e9><tr><td>x</td><td>y</td></tr></table>", 3)});
        pages.append({"indents of 1e9 pixels, forth and back",
            "<p style=\"text-indent:1e9px\">" + words(100) + "</p><p style=\"text-indent:-1e9px\">"
                + words(100) + "</p>"});
        // Few enough for a sanitizer build beside busy processes too.
        pages.append({"600 uses of one 16-pixel picture",
            "<p>" + repeated("<img src=\"dot.png\"> ", 600) + "</p>"});
        pages.append(
            {"1,500 nested divs", repeated("<div>", 1500) + "x" + repeated("</div>", 1500)});
        pages.append({"a grammar nesting 1,200 definitions deep",
            repeated("<dl><dt>rule</dt><dd>", 1200) + "<code>token</code>"
                + repeated("</dd></dl>", 1200)});
        pages.append({"100 tables 1,000 pixels up",
            repeated("<table style=\"margin-top: -1000px\"><tr><td>x</td></tr></table>", 100)});
        pages.append({"words in fonts of two sizes by turns",
            repeated("<span style=\"font-size: 40px\">word </span>word ", 2000)});
        pages.append({"15,000 words after one 300-pixel letter", afterALetter(300, 15000)});
        pages.append({"one 5,000-pixel letter before 2,000 words", afterALetter(5000, 2000)});
        pages.append(
            {"10 lists of 1,000 items", repeated("<ul>" + repeated("<li>x", 1000) + "</ul>", 10)});
        // Past the height a document may take at any narrower width.
        pages.append({"240 pictures 100,000 pixels high, three a line",
            repeated("<img src=\"a.png\" width=\"130\" height=\"100000\">", 240)});
        addRows(pages);
    }

    // GIVEN a page that bare Qt shows at once, however odd its lengths or deep its nesting
    // WHEN it is opened, or pasted
    // THEN it is shown, with its pictures
    void pagesBareQtShowsAtOnceAreShown()
    {
        QFETCH(QByteArray, page);
        QFETCH(bool, pasted);
        TestFolder folder;
        folder.writePicture("dot.png", Qt::red, 16, 16);
        folder.write("page.html", page);
        TextEdit window;
        window.show();
        const Answer answer = answered(&window, page, pasted, folder);
        QCOMPARE(answer.message, QString());
        QTextDocument expected;
        expected.setHtml(QString::fromUtf8(page));
        QCOMPARE(textArea(&window)->toPlainText().size(), expected.toPlainText().size());
        if (!pasted)
            QCOMPARE(window.windowTitle(), QString("page.html[*] - Rich Text"));
    }
    void pastesAddUpInTheirDocument_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("tenPassTheLimits");
        QTest::newRow("13 nested tables around 200 words") << thirteenTablesAroundWords() << true;
        QTest::newRow("2 MB of words in one paragraph") << words(400000) << false;
    }

    // GIVEN a page that costs Qt's layout a moment, offered to paste
    // WHEN it is pasted ten times into one document
    // THEN each paste goes in while the document it makes is laid out within
    // the page helper's limits; once it would not be, that paste and every
    // one after are refused with the reason, the document left as it was;
    // and no paste, nor any widening of the window after, costs the window
    // more than the helper is given
    void pastesAddUpInTheirDocument()
    {
        QFETCH(QByteArray, page);
        QFETCH(bool, tenPassTheLimits);
        TextEdit window;
        window.resize(600, 600);
        window.show();
        offer(page);
        // The window lays out what the helper laid out within its limit;
        // twice that allows for the wider window.
        const int bound = runawayBoundMs(int(PageTrial::cpuLimitMs) / 2);
        int taken = 0;
        QStringList refusals;
        for (int i = 1; i <= 10; ++i) {
            const QString before = textArea(&window)->toPlainText();
            const qint64 cpuBefore = threadCpuMs();
            const QString message = messageRejectedDuring([&window] {
                window.slotPaste();
                settled(&window);
                textArea(&window)->document()->size();
            });
            const qint64 windowMs = threadCpuMs() - cpuBefore;
            QVERIFY2(windowMs < bound, qPrintable(QString("paste %1: %2 ms").arg(i).arg(windowMs)));
            if (message.isEmpty()) {
                QVERIFY2(refusals.isEmpty(), qPrintable(QString("paste %1 went in").arg(i)));
                ++taken;
                continue;
            }
            refusals << message;
            QVERIFY2(message.contains(costly) || message.contains(deep)
                    || message.contains(tooLargeToTravel),
                qPrintable(message));
            QCOMPARE(textArea(&window)->toPlainText(), before);
        }
        // (A slow build or machine may take none.)
        qInfo("%d of 10 pastes taken", taken);
        QVERIFY(!tenPassTheLimits || !refusals.isEmpty());
        for (const int width : {window.minimumWidth(), 1200, window.minimumWidth(), 1600}) {
            const qint64 windowMs = widenedMs(&window, width);
            QVERIFY2(windowMs < bound,
                qPrintable(QString("widened to %1: %2 ms").arg(width).arg(windowMs)));
        }
    }

    void longTrialCanBeCancelled_data()
    {
        QTest::addColumn<bool>("pasted");
        QTest::newRow("opened") << false;
        QTest::newRow("pasted") << true;
    }

    // GIVEN a page that the page helper lays out for seconds
    // WHEN it is opened, or pasted
    // THEN the window's timer keeps ticking and it repaints under a busy
    // cursor; a progress dialog offers Cancel, which ends the Open or the
    // paste at once, and the document stays as it was, nothing more told;
    // a page opened after is tried in a helper of its own
    void longTrialCanBeCancelled()
    {
        QFETCH(bool, pasted);
        // Seconds of the helper's time at least, ten of the pages above one after another.
        const QByteArray page = repeated(nestedTables(13).replace("x", words(200)), 10);
        TestFolder folder;
        folder.write("page.html", page);
        TextEdit window;
        window.show();
        textArea(&window)->setPlainText("kept");
        const QString title = window.windowTitle();
        if (pasted)
            offer(page);
        TrialWatch watch(&window);
        const QString message = pasted
            ? messageRejectedDuring([&window] {
                  window.slotPaste();
                  settled(&window);
              })
            : messageAfterFileDialog(folder.path("page.html"), [&window] {
                  window.slotFileOpen();
                  settled(&window);
              });
        const qint64 afterCancelMs = watch.sinceCancel.elapsedMs();
        QVERIFY(watch.cancelled);
        QVERIFY2(afterCancelMs < runawayBoundMs(250), qPrintable(QString::number(afterCancelMs)));
        QVERIFY2(watch.ticks >= 3, qPrintable(QString::number(watch.ticks)));
        QVERIFY2(watch.paints >= 1, qPrintable(QString::number(watch.paints)));
        QVERIFY(watch.cursor == Qt::BusyCursor || watch.cursor == Qt::WaitCursor);
        QCOMPARE(message, QString());
        QCOMPARE(textArea(&window)->toPlainText(), QString("kept"));
        QCOMPARE(window.windowTitle(), title);
        QCOMPARE(textArea(&window)->viewport()->cursor().shape(), Qt::IBeamCursor);
        // AND the next page opens
        folder.write("small.html", "<p>small</p>");
        QCOMPARE(messageAfterFileDialog(folder.path("small.html"),
                     [&window] {
                         window.slotFileOpen();
                         settled(&window);
                     }),
            QString());
        QCOMPARE(textArea(&window)->toPlainText(), QString("small"));
    }
};

QTEST_MAIN(TestTextEditPages)
#include "test_TextEditPages.moc"
