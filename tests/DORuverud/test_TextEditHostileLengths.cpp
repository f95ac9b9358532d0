// Pages of pictures and table cells whose lengths are no number, infinite,
// huge or below zero: the window answers each within the page helper's
// limits, opened or pasted.
#include "PageTestTools.h"

using namespace HostileHtml;
using namespace PageTestTools;

class TestTextEditHostileLengths : public QObject
{
    Q_OBJECT

private slots:
    void hostilePagesAreAnsweredWithinTheLimits_data()
    {
        addHostileColumns();
        QList<HostilePage> pages;
        pages.append(
            {"lengths of -1e308 on pictures and tables, with an indent", lengthsBelowAll(), tall});
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
        addRows(pages);
    }

    void hostilePagesAreAnsweredWithinTheLimits()
    {
        answeredWithinTheLimits();
    }
};

QTEST_MAIN(TestTextEditHostileLengths)
#include "test_TextEditHostileLengths.moc"
