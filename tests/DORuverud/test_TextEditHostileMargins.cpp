// Pages of margins, indents, spacings and borders far below zero or huge,
// and tables and frames laid out far up or down: the window answers each
// within the page helper's limits, opened or pasted.
#include "PageTestTools.h"

using namespace HostileHtml;
using namespace PageTestTools;

class TestTextEditHostileMargins : public QObject
{
    Q_OBJECT

private slots:
    void hostilePagesAreAnsweredWithinTheLimits_data()
    {
        addHostileColumns();
        QList<HostilePage> pages;
        pages.append({"60 tables of margin-top -1e6",
            repeated("<table style=\"margin-top:-1e6px\"><tr><td>x</table>", 60), tall});
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
        addRows(pages);
    }

    void hostilePagesAreAnsweredWithinTheLimits()
    {
        answeredWithinTheLimits();
    }
};

QTEST_MAIN(TestTextEditHostileMargins)
#include "test_TextEditHostileMargins.moc"
