#include "../common/HostileHtml.h"
#include "../common/RunawayBound.h"
#include "../common/TestFolder.h"
#include "../common/ThreadTime.h"
#include "DialogTestTools.h"
#include "EditorTestTools.h"
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

namespace {

// Words of four letters in one paragraph.
QByteArray words(int count)
{
    return repeated("word ", count);
}

// Lines of 300-pixel letters beyond the height bound, as a file and a paste
// may hold them behind a length that hides their height.
QByteArray tallLines()
{
    return "<p style=\"font-size: 300px\">" + repeated("x<br>", 30000) + "</p>";
}

QByteArray picture(const QByteArray& height)
{
    return "<p><img src=\"a.png\" width=\"16\" height=\"" + height + "\">x</p>";
}

// A cell of that width beside one of an "x", holding words of 100-pixel
// letters: one letter a line when the layout gives the column only what its
// content needs at least, and 30,000 words are past the height bound.
QByteArray cell(const QByteArray& width, int count = 30000)
{
    return "<table><tr><td width=\"" + width + "\" style=\"font-size: 100px\">" + words(count)
        + "</td><td>x</td></tr></table>";
}

// 30,000 words of 300-pixel letters in a paragraph of that style.
QByteArray paragraph(const QByteArray& style)
{
    return "<p style=\"font-size: 300px; " + style + "\">" + words(30000) + "</p>";
}

// One letter of that size before the words, in one paragraph.
QByteArray afterALetter(int pixels, int count)
{
    return "<p><span style=\"font-size: " + QByteArray::number(pixels) + "px\">X</span> "
        + words(count) + "</p>";
}

// Lengths of -1e308 on pictures and tables: widths, paddings, spacings and
// borders, after an indent as far to the left.
QByteArray lengthsBelowAll()
{
    const QByteArray low = "-1e308";
    return "<p style=\"text-indent:" + low + "px\">x<img width=" + low + " height=" + low
        + " style=\"padding:" + low + "px;border:" + low + "px solid\">y</p><table width=" + low
        + " cellpadding=" + low + " cellspacing=" + low + " border=" + low + " style=\"padding:"
        + low + "px;margin:" + low + "px\"><tr><td width=" + low + " style=\"padding:" + low
        + "px;border-width:" + low + "px\">x<img width=" + low + "></td><td>y</td></tr></table>"
        + "<p style=\"text-indent:" + low + "px;margin-left:" + low + "px\">" + words(20) + "</p>";
}

QTextEdit* textArea(QWidget* window)
{
    return window->findChild<QTextEdit*>();
}

// The CPU time of the calling thread: the window's own work, which a busy
// machine does not stretch.
qint64 threadCpuMs()
{
    timespec used {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
    return qint64(used.tv_sec) * 1000 + used.tv_nsec / 1000000;
}

// What the window answered to a page opened or pasted, and what it cost.
struct Answer
{
    QString message;
    // The window's own CPU time, and the wall clock, until it was laid out.
    qint64 windowMs = 0;
    qint64 wallMs = 0;
};

// Opens the page as the file of the folder, or pastes it as HTML, and lays
// the window out.
Answer answered(TextEdit* window, const QByteArray& page, bool pasted, const TestFolder& folder)
{
    if (pasted) {
        auto* offer = new QMimeData;
        offer->setHtml(QString::fromUtf8(page));
        QApplication::clipboard()->setMimeData(offer);
    }
    Answer answer;
    QElapsedTimer clock;
    clock.start();
    const qint64 cpuBefore = threadCpuMs();
    const auto act = [window, pasted] {
        if (pasted)
            window->slotPaste();
        settled(window);
        textArea(window)->document()->size();
    };
    answer.message = pasted ? messageRejectedDuring(act)
                            : messageAfterFileDialog(folder.path("page.html"), [window, act] {
                                  window->slotFileOpen();
                                  act();
                              });
    answer.windowMs = threadCpuMs() - cpuBefore;
    answer.wallMs = clock.elapsed();
    return answer;
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

// Any page may run past the page helper's time or memory first, on a slow
// machine or build; a refusal for its height or its depth is right only
// for a page that is that tall or that deep.
const QString costly = "to lay out, more than this editor gives a page.";
const QString tall = "It is taller than this editor can lay out.";
const QString deep = "It is nested too deeply to lay out in this editor.";
// A document the helper no longer holds travels with the paste, up to a size.
const QString tooLargeToTravel = "more than this editor sends its page helper.";

struct HostilePage
{
    QByteArray name;
    QByteArray page;
    // The refusal right for it besides its cost, if any.
    QString alsoRight {};
};

void addRows(const QList<HostilePage>& pages)
{
    for (const HostilePage& page : pages) {
        QTest::newRow(page.name + ", opened") << page.page << false << page.alsoRight;
        QTest::newRow(page.name + ", pasted") << page.page << true << page.alsoRight;
    }
}

} // namespace

class TestTextEditPages : public QObject
{
    Q_OBJECT

private slots:
    void hostilePagesAreAnsweredWithinTheLimits_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("alsoRight");
        QList<HostilePage> pages;
        // Bare Qt freezes on each of these, or lays it out past what it can draw.
        pages.append({"a stray > before a picture 80,000,000 pixels high",
            QByteArray("><img height=80000000"), tall});
        pages.append(
            {"lengths of -1e308 on pictures and tables, with an indent", lengthsBelowAll(), tall});
        pages.append({"a list of 9,000 items", "<ul>" + repeated("<li>x", 9000) + "</ul>"});
        pages.append({"a list of 40,000 items", "<ul>" + repeated("<li>x", 40000)});
        pages.append({"5,000 nested tables", nestedTables(5000), deep});
        pages.append({"16 nested tables", nestedTables(16)});
        pages.append({"60 tables of margin-top -1e6",
            repeated("<table style=\"margin-top:-1e6px\"><tr><td>x</table>", 60), tall});
        pages.append(
            {"5,000 pictures in one paragraph", "<p>" + repeated("<img src=\"a.png\">", 5000)});
        pages.append({"30,000 lines of 300-pixel letters", tallLines(), tall});
        pages.append({"a picture 9,000,000 pixels high", picture("9000000"), tall});
        // Lengths that are no number, infinite, huge or below zero, and floats.
        pages.append({"picture of height nan above lines past the bound",
            QByteArray(picture("nan") + tallLines()), tall});
        pages.append({"picture of height -inf above lines past the bound",
            QByteArray(picture("-inf") + tallLines()), tall});
        pages.append({"picture of height inf", QByteArray(picture("inf")), tall});
        pages.append({"picture of height -1e9 above lines past the bound",
            QByteArray(picture("-1e9") + tallLines()), tall});
        pages.append({"picture of height -1e9 above a cell of width -1",
            QByteArray("<p><img height=\"-1e9\"></p><table><tr><td width=\"-1\">" + words(20)
                + "</td></tr></table>"),
            tall});
        pages.append(
            {"picture of height -1000 before words", QByteArray(picture("-1000") + words(1000))});
        pages.append(
            {"picture of width nan", QByteArray(QByteArray("<img width=\"nan\" height=\"16\">"))});
        pages.append({"cell of width -1", QByteArray(cell("-1")), tall});
        pages.append({"cell of width -10%", QByteArray(cell("-10%")), tall});
        pages.append({"cell of width inf", QByteArray(cell("inf")), tall});
        pages.append({"cell of width 1e30", QByteArray(cell("1e30")), tall});
        pages.append({"cell of width nan", QByteArray(cell("nan")), tall});
        pages.append({"cell of width 50%", QByteArray(cell("50%", 3000))});
        pages.append({"margin-left -1e8", QByteArray(paragraph("margin-left: -1e8px")), tall});
        pages.append({"margin-right -1e8", QByteArray(paragraph("margin-right: -1e8px")), tall});
        pages.append({"-qt-block-indent -3,000,000",
            QByteArray(paragraph("-qt-block-indent: -3000000")), tall});
        pages.append({"-qt-block-indent -1,000,000 right to left",
            QByteArray(paragraph("-qt-block-indent: -1000000").replace("<p ", "<p dir=\"rtl\" ")),
            tall});
        pages.append({"indent -1,000,000 right to left before a picture of width -50",
            QByteArray(QByteArray("<p dir=\"rtl\" style=\"-qt-block-indent: -1000000\">word "
                                  "<img width=\"-50\"></p>"))});
        pages.append({"margin-left 1e8 before a word",
            QByteArray(QByteArray("<p style=\"margin-left: 1e8px\">word</p>"))});
        pages.append({"margins of -100 in the page and in a cell",
            QByteArray("<p style=\"margin-left: -100px; margin-right: -100px\">" + words(1000)
                + "</p><table><tr><td><p style=\"margin-left: -100px\">" + words(100)
                + "</p></td></tr></table>")});
        pages.append({"table spacing -100,000 over 400 rows",
            QByteArray(
                "<table cellspacing=\"-1e5\">" + repeated("<tr><td>x</td></tr>", 400) + "</table>"),
            tall});
        pages.append({"table border -1e6 over 20 rows",
            QByteArray(
                "<table border=\"-1e6\">" + repeated("<tr><td>x</td></tr>", 20) + "</table>"),
            tall});
        pages.append({"40 tables of margin-top -1e6",
            QByteArray(
                repeated("<table style=\"margin-top: -1e6px\"><tr><td>x</td></tr></table>", 40)),
            tall});
        pages.append({"40 frames of height -1e6",
            QByteArray(repeated(
                "<table style=\"-qt-table-type: frame\" height=\"-1e6\"><tr><td>x</td></tr>"
                "</table>",
                40)),
            tall});
        pages.append({"frame 1,000,000 pixels up in a cell 800,000 pixels down",
            QByteArray(repeated("<table cellpadding=\"400000\"><tr><td>", 2)
                + "<table style=\"-qt-table-type: frame\" height=\"-1e6\"><tr><td>x</td></tr>"
                  "</table>")});
        pages.append({"100 tables 1,000 pixels up",
            QByteArray(repeated(
                "<table style=\"margin-top: -1000px\"><tr><td>x</td></tr></table>", 100))});
        pages.append({"picture 600 pixels wide beside 20,000 words",
            QByteArray("<table><tr><td><img src=\"a.png\" width=\"600\" height=\"16\"></td>"
                       "<td style=\"font-size: 100px\">"
                + words(20000) + "</td></tr></table>"),
            tall});
        pages.append({"400 lines -1,000,000 percent high",
            QByteArray("<p style=\"line-height: -1000000%\">" + repeated("x<br>", 400) + "</p>"),
            tall});
        pages.append({"1,000 small floating pictures side by side",
            QByteArray(floatingPictures(1000, 16, 16))});
        pages.append({"1,000 small pictures floating at the right",
            QByteArray(floatingPictures(1000, 16, 16, "right"))});
        pages.append({"1,000 floating pictures a paragraph each",
            QByteArray(repeated("<p><img src=\"a.png\" width=\"700\" height=\"40\" align=\"left\">"
                                "word word</p>",
                1000))});
        pages.append({"1,000 floating pictures 400 pixels tall a paragraph each",
            QByteArray(repeated("<p><img src=\"a.png\" width=\"700\" height=\"400\" align=\"left\">"
                                "word word</p>",
                1000))});
        pages.append({"1,000 paragraphs of a floating picture alone",
            QByteArray(repeated(
                "<p><img src=\"a.png\" width=\"700\" height=\"40\" align=\"left\"></p>", 1000))});
        pages.append({"1,000 small floating pictures of 24 heights in turn",
            QByteArray(picturesOfHeightsInTurn(1000, 24))});
        pages.append({"1,000 small floating pictures in a table cell",
            QByteArray("<table><tr><td>" + floatingPictures(1000, 16, 16) + "</td></tr></table>")});
        pages.append({"1,000 floating tables",
            QByteArray(
                repeated("<table style=\"float: left\"><tr><td>x</td></tr></table>", 1000))});
        addRows(pages);
    }

    // GIVEN a page that costs Qt's layout more than a moment, or lays out
    // taller than it can draw
    // WHEN it is opened, or pasted
    // THEN the window answers within the page helper's limits: it refuses
    // the page with a reason right for it and keeps its document, or shows
    // it within the height Qt can draw, its own work a moment
    void hostilePagesAreAnsweredWithinTheLimits()
    {
        QFETCH(QByteArray, page);
        QFETCH(bool, pasted);
        QFETCH(QString, alsoRight);
        TestFolder folder;
        folder.write("page.html", page);
        TextEdit window;
        window.show();
        textArea(&window)->setPlainText("kept");
        const Answer answer = answered(&window, page, pasted, folder);
        QVERIFY2(answer.wallMs < waitBoundMs(4000), qPrintable(QString::number(answer.wallMs)));
        QVERIFY2(
            answer.windowMs < runawayBoundMs(1000), qPrintable(QString::number(answer.windowMs)));
        const qreal height = textArea(&window)->document()->size().height();
        if (answer.message.isEmpty()) {
            QVERIFY2(
                qAbs(height) <= TextEditReader::maxHeight, qPrintable(QString::number(height)));
            return;
        }
        // Whichever limit comes first, the reason is one right for the page.
        QVERIFY2(answer.message.contains(costly)
                || (!alsoRight.isEmpty() && answer.message.contains(alsoRight)),
            qPrintable(answer.message));
        QCOMPARE(textArea(&window)->toPlainText(), QString("kept"));
    }

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
        pages.append({"1,200 uses of one 16-pixel picture",
            "<p>" + repeated("<img src=\"dot.png\"> ", 1200) + "</p>"});
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
