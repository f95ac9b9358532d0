// Pages of many or deeply nested things, lists, tables, pictures and
// floats: the window answers each within the page helper's limits, opened
// or pasted.
#include "PageTestTools.h"

using namespace HostileHtml;
using namespace PageTestTools;

class TestTextEditHostileCounts : public QObject
{
    Q_OBJECT

private slots:
    void hostilePagesAreAnsweredWithinTheLimits_data()
    {
        addHostileColumns();
        QList<HostilePage> pages;
        pages.append({"a list of 9,000 items", "<ul>" + repeated("<li>x", 9000) + "</ul>"});
        pages.append({"a list of 40,000 items", "<ul>" + repeated("<li>x", 40000)});
        pages.append({"5,000 nested tables", nestedTables(5000), deep});
        pages.append({"16 nested tables", nestedTables(16)});
        pages.append(
            {"5,000 pictures in one paragraph", "<p>" + repeated("<img src=\"a.png\">", 5000)});
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

    void hostilePagesAreAnsweredWithinTheLimits()
    {
        answeredWithinTheLimits();
    }
};

QTEST_MAIN(TestTextEditHostileCounts)
#include "test_TextEditHostileCounts.moc"
