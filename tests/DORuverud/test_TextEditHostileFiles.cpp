// Hostile files the rich-text editor refuses with the reason, the document
// and the file kept.
#include "RichtextTestTools.h"

using namespace DialogTestTools;
using namespace DORuverud;
using namespace EditorTestTools;
using namespace HostileHtml;
using namespace RichtextTestTools;

class TestTextEditHostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void hostileFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("picture") << picture() << "neither HTML nor plain text";
        QTest::newRow("text, zero byte, control bytes")
            << QByteArray("text\0\x01\x02", 7) << "neither HTML nor plain text";
        QTest::newRow("5,000 nested tables") << repeated("<table><tr><td>", 5000) << pageRefused;
        QTest::newRow("500 nested tables") << nestedTables(500) << pageRefused;
        QTest::newRow("100,000 nested divs")
            << repeated("<div>", 100000) + "x" + repeated("</div>", 100000) << pageRefused;
        QTest::newRow("100,000 nested unclosed options")
            << "<html>" + repeated("<option>x", 100000) << pageRefused;
        QTest::newRow("5,000 x 100 table")
            << "<table>" + repeated("<tr>" + repeated("<td>", 100), 5000) << pageRefused;
        QTest::newRow("400,000 characters without a break") << repeated("x", 400000) << pageRefused;
        QTest::newRow("page declaring an encoding browsers show no text of")
            << QByteArray("<meta charset=\"replacement\"><p>words</p>") << "browsers show none";
        QTest::newRow("5 MiB of text")
            << repeated("A line of some words.\n", 5 << 18) << "larger than 4 MiB";
        QTest::newRow("9,000 lines of 1000-pixel letters")
            << "<p style=\"font-size: 1000px\">" + repeated("x<br>", 9000) << pageRefused;
        QTest::newRow("30,000 words of 1000-pixel letters, each wrapping")
            << "<p style=\"font-size: 1000px\">" + repeated("x ", 30000) << pageRefused;
        QTest::newRow("900 paragraphs 10,000 pixels apart")
            << repeated("<p style=\"margin-top: 10000px\">x</p>", 900) << pageRefused;
        QTest::newRow("900 lines 10,000 pixels high")
            << repeated("<p style=\"line-height: 10000px\">x</p>", 900) << pageRefused;
        QTest::newRow("lines 100,000 percent high")
            << repeated("<p style=\"line-height: 100000%\">x<br>x</p>", 400) << pageRefused;
        QTest::newRow("picture 9,000,000 pixels high")
            << QByteArray("<p><img src=\"a.png\" height=\"9000000\"></p>") << pageRefused;
        QTest::newRow("table 9,000,000 pixels high")
            << QByteArray("<table height=\"9000000\"><tr><td>x</table>") << pageRefused;
        QTest::newRow("table 1,000,000 pixels high upwards above padded tables")
            << "<table height=\"-1e6\"><tr><td>x</table>"
                + nestedTables(2).replace("<table>", "<table cellpadding=\"400000\">")
            << pageRefused;
        QTest::newRow("12 nested tables with 400,000-pixel padding")
            << nestedTables(12).replace("<table>", "<table cellpadding=\"400000\">") << pageRefused;
        QTest::newRow("9,000 table rows with 500-pixel padding")
            << "<table cellpadding=\"500\">" + repeated("<tr><td>x</td></tr>", 9000) << pageRefused;
        QTest::newRow("20,000 fonts") << fontFamilies(20000) << pageRefused;
        QTest::newRow("a cell spanning 20,000 columns above 50 rows")
            << "<table><tr><td colspan=\"20000\">x" + repeated("<tr><td>y", 50) << pageRefused;
        QTest::newRow("such cells outside a table, which make one")
            << "<tabxe><tr><td colspan=\"20000\">x" + repeated("<tr><td>y", 50) << pageRefused;
        QTest::newRow("40,000 items in one list")
            << "<ul>" + repeated("<li>x", 40000) << pageRefused;
        QTest::newRow("10,000 items in one list within a list")
            << "<ol><li>" + repeated("<ul>", 2) + repeated("<li>x", 10000) << pageRefused;
        QTest::newRow("40,000 items in one list, each closing a list of another kind")
            << "<ul>" + repeated("<li>x</ol>", 40000) << pageRefused;
        QTest::newRow("40,000 preformatted lines in one list item")
            << "<ul><li><pre>" + repeated("x\n", 40000) << pageRefused;
        QTest::newRow("40,000 lines in one list item preformatted by a style sheet")
            << "<style>li { white-space: pre }</style><ul><li>" + repeated("x&#10;", 40000)
            << pageRefused;
        QTest::newRow("40,000 items in one list after 999 closed empty lists")
            << "<ul>" + repeated("<ul/>" + repeated("<li>x", 40), 999) << pageRefused;
    }

    void hostileFilesAreRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        TestFolder folder;
        TextEdit window;
        textArea(&window)->setPlainText(sample);
        const QString path = folder.write("hostile.html", content);
        QVERIFY(openAnswered(&window, path).contains(reason));
        QCOMPARE(textArea(&window)->toPlainText(), sample);
        QCOMPARE(window.windowTitle(), untitled);
        QCOMPARE(folder.read("hostile.html"), content);
    }
};

QTEST_MAIN(TestTextEditHostileFiles)
#include "test_TextEditHostileFiles.moc"
