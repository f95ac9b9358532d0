// Pages laid out taller than Qt can draw: the window answers each within
// the page helper's limits, opened or pasted.
#include "PageTestTools.h"

using namespace HostileHtml;
using namespace PageTestTools;

class TestTextEditHostileHeights : public QObject
{
    Q_OBJECT

private slots:
    void hostilePagesAreAnsweredWithinTheLimits_data()
    {
        addHostileColumns();
        QList<HostilePage> pages;
        pages.append({"a stray > before a picture 80,000,000 pixels high",
            QByteArray("><img height=80000000"), tall});
        pages.append({"30,000 lines of 300-pixel letters", tallLines(), tall});
        pages.append({"a picture 9,000,000 pixels high", picture("9000000"), tall});
        pages.append({"picture 600 pixels wide beside 20,000 words",
            QByteArray("<table><tr><td><img src=\"a.png\" width=\"600\" height=\"16\"></td>"
                       "<td style=\"font-size: 100px\">"
                + words(20000) + "</td></tr></table>"),
            tall});
        pages.append({"400 lines -1,000,000 percent high",
            QByteArray("<p style=\"line-height: -1000000%\">" + repeated("x<br>", 400) + "</p>"),
            tall});
        addRows(pages);
    }

    void hostilePagesAreAnsweredWithinTheLimits()
    {
        answeredWithinTheLimits();
    }
};

QTEST_MAIN(TestTextEditHostileHeights)
#include "test_TextEditHostileHeights.moc"
