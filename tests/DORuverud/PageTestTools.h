#pragma once

// What the tests of pages tried in the page helper share: hostile pages and
// how the window answers them.
#include "../common/HostileHtml.h"
#include "../common/RunawayBound.h"
#include "../common/TestFolder.h"
#include "DialogTestTools.h"
#include "EditorTestTools.h"
#include "TextEdit.h"
#include "TextEditReader.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTextDocument>
#include <QTextEdit>

#include <ctime>

namespace PageTestTools {

using namespace DialogTestTools;
using namespace EditorTestTools;
using HostileHtml::repeated;

// Words of four letters in one paragraph.
inline QByteArray words(int count)
{
    return repeated("word ", count);
}

// Lines of 300-pixel letters beyond the height bound, as a file and a paste
// may hold them behind a length that hides their height.
inline QByteArray tallLines()
{
    return "<p style=\"font-size: 300px\">" + repeated("x<br>", 30000) + "</p>";
}

inline QByteArray picture(const QByteArray& height)
{
    return "<p><img src=\"a.png\" width=\"16\" height=\"" + height + "\">x</p>";
}

// A cell of that width beside one of an "x", holding words of 100-pixel
// letters: one letter a line when the layout gives the column only what its
// content needs at least, and 30,000 words are past the height bound.
inline QByteArray cell(const QByteArray& width, int count = 30000)
{
    return "<table><tr><td width=\"" + width + "\" style=\"font-size: 100px\">" + words(count)
        + "</td><td>x</td></tr></table>";
}

// 30,000 words of 300-pixel letters in a paragraph of that style.
inline QByteArray paragraph(const QByteArray& style)
{
    return "<p style=\"font-size: 300px; " + style + "\">" + words(30000) + "</p>";
}

// Lengths of -1e308 on pictures and tables: widths, paddings, spacings and
// borders, after an indent as far to the left.
inline QByteArray lengthsBelowAll()
{
    const QByteArray low = "-1e308";
    return "<p style=\"text-indent:" + low + "px\">x<img width=" + low + " height=" + low
        + " style=\"padding:" + low + "px;border:" + low + "px solid\">y</p><table width=" + low
        + " cellpadding=" + low + " cellspacing=" + low + " border=" + low + " style=\"padding:"
        + low + "px;margin:" + low + "px\"><tr><td width=" + low + " style=\"padding:" + low
        + "px;border-width:" + low + "px\">x<img width=" + low + "></td><td>y</td></tr></table>"
        + "<p style=\"text-indent:" + low + "px;margin-left:" + low + "px\">" + words(20) + "</p>";
}

inline QTextEdit* textArea(QWidget* window)
{
    return window->findChild<QTextEdit*>();
}

// The CPU time of the calling thread: the window's own work, which a busy
// machine does not stretch.
inline qint64 threadCpuMs()
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
inline Answer answered(
    TextEdit* window, const QByteArray& page, bool pasted, const TestFolder& folder)
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

// Any page may run past the page helper's time or memory first, on a slow
// machine or build; a refusal for its height or its depth is right only
// for a page that is that tall or that deep.
const QString costly = "to lay out, more than this editor gives a page.";

const QString tall = "It is taller than this editor can lay out.";

const QString deep = "It is nested too deeply to lay out in this editor.";

struct HostilePage
{
    QByteArray name;
    QByteArray page;
    // The refusal right for it besides its cost, if any.
    QString alsoRight {};
};

inline void addRows(const QList<HostilePage>& pages)
{
    for (const HostilePage& page : pages) {
        QTest::newRow(page.name + ", opened") << page.page << false << page.alsoRight;
        QTest::newRow(page.name + ", pasted") << page.page << true << page.alsoRight;
    }
}

inline void addHostileColumns()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("alsoRight");
}

// GIVEN a page that costs Qt's layout more than a moment, or lays out
// taller than it can draw
// WHEN it is opened, or pasted
// THEN the window answers within the page helper's limits: it refuses
// the page with a reason right for it and keeps its document, or shows
// it within the height Qt can draw, its own work a moment
inline void answeredWithinTheLimits()
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
    QVERIFY2(answer.windowMs < runawayBoundMs(1000), qPrintable(QString::number(answer.windowMs)));
    const qreal height = textArea(&window)->document()->size().height();
    if (answer.message.isEmpty()) {
        QVERIFY2(qAbs(height) <= TextEditReader::maxHeight, qPrintable(QString::number(height)));
        return;
    }
    // Whichever limit comes first, the reason is one right for the page.
    QVERIFY2(answer.message.contains(costly)
            || (!alsoRight.isEmpty() && answer.message.contains(alsoRight)),
        qPrintable(answer.message));
    QCOMPARE(textArea(&window)->toPlainText(), QString("kept"));
}

} // namespace PageTestTools
