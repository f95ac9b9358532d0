#pragma once

#include <QCoreApplication>
#include <QString>

class TextEditDocument;
struct PageRequest;

// Tries a page in the page helper, tessivar-page, before the window builds
// it: the helper reads the same bytes with the same reader, builds the
// document and lays it out (PageLayout), asking the program for the sizes of
// the pictures the layout needs, read by the document the window shows. It
// works within limits of its own processor time, of its waits on anything
// but a processor and of memory (HelperProcess); a page it does not lay out
// within them, or lays out taller than the window can hold, is refused with
// the reason. The window's wait is bounded by those limits and by the
// pictures' budgets. Any thread may try a page, one at a time.
class PageTrial
{
    Q_DECLARE_TR_FUNCTIONS(PageTrial)

public:
    // The helper's name, found beside the program.
    static constexpr char helperName[] = "tessivar-page";
    static constexpr qint64 cpuLimitMs = 2000;
    // For reads that block, which take no CPU time.
    static constexpr qint64 waitLimitMs = 5000;
    // Over what the helper held before the page.
    static constexpr qint64 memoryMargin = qint64(1) << 30;

    struct Result
    {
        // Why the page is refused, or an empty text.
        QString refusal;
        // What the helper measured: the height laid out, and the processor
        // time it took to read, build and lay out the page.
        qreal height = 0;
        qint64 ms = 0;
    };

    // The helper that lays out, beside the program unless set: a process of
    // the helper set before ends.
    static void setHelper(const QString& path);

    // The page tried, up to mostHeight up or down, its pictures read by the
    // document.
    static Result tried(const PageRequest& request, const QByteArray& content,
        TextEditDocument* pictures, qreal mostHeight);
};
