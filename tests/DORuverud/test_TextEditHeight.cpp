#include "../common/HostileHtml.h"
#include "../common/RunawayBound.h"
#include "../common/RunawayWatch.h"
#include "../common/TestFolder.h"
#include "DialogTestTools.h"
#include "TextEdit.h"
#include "TextEditArea.h"
#include "TextEditDocument.h"
#include "TextEditHeight.h"
#include "TextEditReader.h"

#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <QTextEdit>

using namespace DialogTestTools;
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

// Pastes the HTML into the window; the message shown, or an empty text, and
// the time the paste and the layout after it took.
QString pasted(TextEdit* window, const QByteArray& html, qint64* milliseconds)
{
    auto* offer = new QMimeData;
    offer->setHtml(QString::fromUtf8(html));
    QApplication::clipboard()->setMimeData(offer);
    const ThreadTime time;
    const QString message = messageRejectedDuring([window] {
        window->slotPaste();
        window->findChild<QTextEdit*>()->document()->size();
    });
    *milliseconds = time.elapsedMs();
    return message;
}

} // namespace

class TestTextEditHeight : public QObject
{
    Q_OBJECT

private slots:
    void hostileLengthsAreRefusedOrLaidOut_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("refused");
        QTest::newRow("picture of height nan above lines past the bound")
            << picture("nan") + tallLines() << true;
        QTest::newRow("picture of height -inf above lines past the bound")
            << picture("-inf") + tallLines() << true;
        QTest::newRow("picture of height inf") << picture("inf") << true;
        QTest::newRow("picture of height -1e9 above lines past the bound")
            << picture("-1e9") + tallLines() << true;
        QTest::newRow("picture of height -1e9 above a cell of width -1")
            << "<p><img height=\"-1e9\"></p><table><tr><td width=\"-1\">" + words(20)
                + "</td></tr></table>"
            << true;
        QTest::newRow("picture of height -1000 before words")
            << picture("-1000") + words(1000) << false;
        QTest::newRow("picture of width nan")
            << QByteArray("<img width=\"nan\" height=\"16\">") << true;
        QTest::newRow("cell of width -1") << cell("-1") << true;
        QTest::newRow("cell of width -10%") << cell("-10%") << true;
        QTest::newRow("cell of width inf") << cell("inf") << true;
        QTest::newRow("cell of width 1e30") << cell("1e30") << true;
        QTest::newRow("cell of width nan") << cell("nan") << true;
        QTest::newRow("cell of width 50%") << cell("50%", 3000) << false;
        QTest::newRow("margin-left -1e8") << paragraph("margin-left: -1e8px") << true;
        QTest::newRow("margin-right -1e8") << paragraph("margin-right: -1e8px") << true;
        QTest::newRow("-qt-block-indent -3,000,000")
            << paragraph("-qt-block-indent: -3000000") << true;
        QTest::newRow("-qt-block-indent -1,000,000 right to left")
            << paragraph("-qt-block-indent: -1000000").replace("<p ", "<p dir=\"rtl\" ") << true;
        QTest::newRow("indent -1,000,000 right to left before a picture of width -50")
            << QByteArray("<p dir=\"rtl\" style=\"-qt-block-indent: -1000000\">word "
                          "<img width=\"-50\"></p>")
            << true;
        QTest::newRow("margin-left 1e8 before a word")
            << QByteArray("<p style=\"margin-left: 1e8px\">word</p>") << true;
        QTest::newRow("margins of -100 in the page and in a cell")
            << "<p style=\"margin-left: -100px; margin-right: -100px\">" + words(1000)
                + "</p><table><tr><td><p style=\"margin-left: -100px\">" + words(100)
                + "</p></td></tr></table>"
            << false;
        QTest::newRow("table spacing -100,000 over 400 rows")
            << "<table cellspacing=\"-1e5\">" + repeated("<tr><td>x</td></tr>", 400) + "</table>"
            << true;
        QTest::newRow("table border -1e6 over 20 rows")
            << "<table border=\"-1e6\">" + repeated("<tr><td>x</td></tr>", 20) + "</table>" << true;
        QTest::newRow("40 tables of margin-top -1e6")
            << repeated("<table style=\"margin-top: -1e6px\"><tr><td>x</td></tr></table>", 40)
            << true;
        QTest::newRow("40 frames of height -1e6") << repeated(
            "<table style=\"-qt-table-type: frame\" height=\"-1e6\"><tr><td>x</td></tr>"
            "</table>",
            40) << true;
        QTest::newRow("frame 1,000,000 pixels up in a cell 800,000 pixels down")
            << repeated("<table cellpadding=\"400000\"><tr><td>", 2)
                + "<table style=\"-qt-table-type: frame\" height=\"-1e6\"><tr><td>x</td></tr>"
                  "</table>"
            << true;
        QTest::newRow("100 tables 1,000 pixels up")
            << repeated("<table style=\"margin-top: -1000px\"><tr><td>x</td></tr></table>", 100)
            << false;
        QTest::newRow("picture 600 pixels wide beside 20,000 words")
            << "<table><tr><td><img src=\"a.png\" width=\"600\" height=\"16\"></td>"
               "<td style=\"font-size: 100px\">"
                + words(20000) + "</td></tr></table>"
            << true;
        QTest::newRow("400 lines -1,000,000 percent high")
            << "<p style=\"line-height: -1000000%\">" + repeated("x<br>", 400) + "</p>" << true;
    }

    // GIVEN a page whose lengths Qt's layout reads otherwise than they say
    // WHEN it is opened, or pasted
    // THEN it is refused, or laid out to its end, in a moment
    void hostileLengthsAreRefusedOrLaidOut()
    {
        QFETCH(QByteArray, page);
        QFETCH(bool, refused);
        {
            RunawayWatch watch("opening the page", runawayBoundMs(750));
            TextEditReader reader(page, "hostile.html");
            QCOMPARE(reader.refusal().isEmpty(), !refused);
            if (!refused) {
                TextEditArea area(nullptr);
                area.resize(800, 600);
                area.show();
                TextEditDocument* document = reader.takeDocument().release();
                document->setParent(&area);
                area.setDocument(document);
                QVERIFY(qAbs(document->size().height()) <= TextEditReader::maxHeight);
            }
            QVERIFY2(watch.withinBound(), qPrintable(QString::number(watch.elapsedMs())));
        }
        TextEdit window;
        qint64 milliseconds = 0;
        const QString message = pasted(&window, page, &milliseconds);
        QCOMPARE(message.startsWith("The text was not inserted.\n"), refused);
        QVERIFY2(milliseconds < runawayBoundMs(750), qPrintable(QString::number(milliseconds)));
    }

    void longParagraphAfterALargeLetterOpens_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<int>("count");
        QTest::newRow("150,000 words after one 300-pixel letter")
            << afterALetter(300, 150000) << 150000;
        QTest::newRow("one 5,000-pixel letter before 20,000 words")
            << afterALetter(5000, 20000) << 20000;
    }

    // Only the lines of a large letter are as tall as it.
    void longParagraphAfterALargeLetterOpens()
    {
        QFETCH(QByteArray, page);
        TestFolder folder;
        TextEdit window;
        window.show();
        const QString path = folder.write("letter.html", page);
        QCOMPARE(messageAfterFileDialog(path, [&window] { window.slotFileOpen(); }), QString());
        QCOMPARE(window.windowTitle(), QString("letter.html[*] - Rich Text"));
        QTEST(int(window.findChild<QTextEdit*>()->toPlainText().count("word")), "count");
    }

    void heightIsToldWithinTheLayouts_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("15,000 words after one 300-pixel letter") << afterALetter(300, 15000);
        QTest::newRow("one 5,000-pixel letter before 2,000 words") << afterALetter(5000, 2000);
        QTest::newRow("words in fonts of two sizes by turns")
            << repeated("<span style=\"font-size: 40px\">word </span>word ", 2000);
        QTest::newRow("line breaks after a large letter")
            << "<p><span style=\"font-size: 300px\">X</span>" + repeated("x<br>", 2000) + "</p>";
        QTest::newRow("picture of height -1000 before words") << picture("-1000") + words(2000);
        QTest::newRow("margins of -100 in the page")
            << "<p style=\"margin-left: -100px; margin-right: -100px\">" + words(2000) + "</p>";
        QTest::newRow("cell of width -1") << cell("-1", 300);
        QTest::newRow("picture 600 pixels wide beside words")
            << "<table><tr><td><img width=\"600\" height=\"1\"></td><td>" + words(2000)
                + "</td></tr></table>";
        QTest::newRow("column 500 pixels wide in a table beside words")
            << "<table><tr><td><table><tr><td width=\"500\">a</td></tr></table></td><td>"
                + words(2000) + "</td></tr></table>";
        QTest::newRow("preformatted line beside words") << "<table><tr><td><pre>"
                + repeated("abc ", 200) + "</pre></td><td>" + words(2000) + "</td></tr></table>";
        QTest::newRow("lines -200 percent high")
            << "<p style=\"line-height: -200%\">" + repeated("x<br>", 400) + "</p>";
    }

    // GIVEN a document
    // WHEN its height is told and it is laid out, at the width checked
    // THEN the layout is no taller than told, and not many times lower
    void heightIsToldWithinTheLayouts()
    {
        QFETCH(QByteArray, page);
        QTextDocument document;
        document.setHtml(QString::fromUtf8(page));
        const qreal told
            = TextEditHeight(document, TextEditReader::checkedWidth, TextEditReader::maxHeight)
                  .height();
        document.setTextWidth(TextEditReader::checkedWidth);
        const qreal laidOut = qAbs(document.size().height());
        QVERIFY2(laidOut <= told && told <= 4 * laidOut,
            qPrintable(QString("told %1, laid out %2").arg(told).arg(laidOut)));
    }

    void floatingPicturesAreCounted_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QByteArray>("offered");
        QTest::addColumn<bool>("refused");
        QTest::newRow("1,000 floating pictures") << QByteArray() << floatingPictures(1000) << true;
        QTest::newRow("200 floating pictures") << QByteArray() << floatingPictures(200) << false;
        QTest::newRow("600 floating pictures beside 600")
            << floatingPictures(600) << floatingPictures(600) << true;
        QTest::newRow("2,000 floating tables")
            << QByteArray()
            << repeated("<table style=\"float: left\"><tr><td>x</td></tr></table>", 2000) << true;
        QTest::newRow("600 floating pictures beside 200,000 lines")
            << repeated("<p>x</p>", 200000) << floatingPictures(600) << true;
        QTest::newRow("1,000 small floating pictures side by side")
            << QByteArray() << floatingPictures(1000, 16, 16) << false;
        QTest::newRow("500 small floating pictures beside 500")
            << floatingPictures(500, 16, 16) << floatingPictures(500, 16, 16, "right") << false;
        QTest::newRow("1,000 small floating pictures of 24 heights in turn")
            << QByteArray() << picturesOfHeightsInTurn(1000, 24) << true;
    }

    // Each float placed costs the layout a look at every other one for each
    // place it tries, and each line a look at every float.
    void floatingPicturesAreCounted()
    {
        QFETCH(QByteArray, document);
        QFETCH(QByteArray, offered);
        QFETCH(bool, refused);
        TextEdit window;
        window.findChild<QTextEdit*>()->setHtml(QString::fromUtf8(document));
        qint64 milliseconds = 0;
        const QString message = pasted(&window, offered, &milliseconds);
        if (refused)
            QVERIFY2(message.contains("floating pictures and tables"), qPrintable(message));
        else
            QCOMPARE(message, QString());
        QVERIFY2(milliseconds < runawayBoundMs(750), qPrintable(QString::number(milliseconds)));
    }

    void floatsOpenOrAreRefused_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<int>("pictures");
        QTest::addColumn<bool>("refused");
        QTest::newRow("1,000 small floating pictures side by side")
            << floatingPictures(1000, 16, 16) << 1000 << false;
        QTest::newRow("1,000 small pictures floating at the right")
            << floatingPictures(1000, 16, 16, "right") << 1000 << false;
        QTest::newRow("1,000 floating pictures a paragraph each") << repeated(
            "<p><img src=\"a.png\" width=\"700\" height=\"40\" align=\"left\">"
            "word word</p>",
            1000) << 1000 << false;
        QTest::newRow("1,000 floating pictures 400 pixels tall a paragraph each") << repeated(
            "<p><img src=\"a.png\" width=\"700\" height=\"400\" align=\"left\">"
            "word word</p>",
            1000) << 0 << true;
        QTest::newRow("1,000 paragraphs of a floating picture alone") << repeated(
            "<p><img src=\"a.png\" width=\"700\" height=\"40\" align=\"left\"></p>", 1000)
                                                                      << 0 << true;
        QTest::newRow("1,000 small floating pictures of 24 heights in turn")
            << picturesOfHeightsInTurn(1000, 24) << 0 << true;
        QTest::newRow("1,000 small floating pictures in a table cell")
            << "<table><tr><td>" + floatingPictures(1000, 16, 16) + "</td></tr></table>" << 0
            << true;
        QTest::newRow("1,000 floating tables")
            << repeated("<table style=\"float: left\"><tr><td>x</td></tr></table>", 1000) << 0
            << true;
    }

    // GIVEN a page of floating pictures or tables
    // WHEN it is opened
    // THEN it shows whole in a moment, or is refused where the layout would
    // take seconds to place them
    void floatsOpenOrAreRefused()
    {
        QFETCH(QByteArray, page);
        QFETCH(bool, refused);
        TestFolder folder;
        TextEdit window;
        window.show();
        const QString path = folder.write("floats.html", page);
        RunawayWatch watch("opening the page", runawayBoundMs(750));
        const QString message = messageAfterFileDialog(path, [&window] { window.slotFileOpen(); });
        auto* area = window.findChild<QTextEdit*>();
        area->document()->size();
        QVERIFY2(watch.withinBound(), qPrintable(QString::number(watch.elapsedMs())));
        if (refused) {
            QVERIFY2(message.contains("floating pictures and tables"), qPrintable(message));
            return;
        }
        QCOMPARE(message, QString());
        QCOMPARE(window.windowTitle(), QString("floats.html[*] - Rich Text"));
        QTEST(int(area->toHtml().count("<img")), "pictures");
    }
};

QTEST_MAIN(TestTextEditHeight)
#include "test_TextEditHeight.moc"
