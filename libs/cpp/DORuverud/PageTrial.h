#pragma once

#include <QCoreApplication>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class PasteTarget;
class TextEditDocument;
struct PageRequest;

// Tries a page in the page helper, tessivar-page, before the window lays it
// out: the helper reads the same bytes with the same reader, builds the
// document and lays it out whole (PageLayout), asking the program for the
// sizes of the pictures the layout needs, read as the window's document will
// hold them. A paste is tried in the document it lands in, as that stands
// with the paste at the cursor: the helper keeps the document of its last
// trial, and when that is not the one the paste lands in, the document
// travels with the paste, as HTML, within twice the limits, the paste and
// its layout still within them by the helper's own count. The helper serves
// one document alone, and rests between its trials; a trial of another
// document takes the spare helper, started in the background. The helper
// works within limits of its own processor time, of its waits on anything
// but a processor and of memory (HelperProcess); a page it does not lay out
// within them, or lays out taller than the window can hold, is refused with
// the reason. A trial runs on the thread that asks for it, which waits for
// the helper: the editor asks on its layout thread (LayoutThread), and the
// GUI thread may cancel the trial meanwhile (Cancel), which kills and
// replaces the helper. Any thread may try a page; the trials of all threads
// take turns.
class PageTrial
{
    Q_DECLARE_TR_FUNCTIONS(PageTrial)

public:
    // The helper's name, found beside the program.
    static constexpr char helperName[] = "tessivar-page";
    static constexpr qint64 cpuLimitMs = 2000;
    // For reads that block, which take no CPU time.
    static constexpr qint64 waitLimitMs = 5000;
    static constexpr qint64 totalLimitMs = cpuLimitMs + waitLimitMs;
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
        // The number the helper keeps the document laid out as, once it is
        // taken (TextEditDocument::setHelperCopy()); else 0.
        quint64 copy = 0;
        // Whether the user cancelled the trial, which then tells nothing.
        bool cancelled = false;
    };

    // Cancels the trials it is given to, from any thread: one not begun
    // never begins, and the helper of one under way is stopped and
    // replaced, so that the next trial finds a helper that works. It stops
    // no helper while another's trial has it.
    class Cancel
    {
    public:
        void cancel();
        bool isCancelled() const;

    private:
        std::atomic<bool> m_cancelled {false};
    };

    // The helper that lays out, beside the program unless set: a process of
    // the helper set before ends.
    static void setHelper(const QString& path);
    // A number for each document while it lives, that no other document
    // gets: the helper that tries its pages serves it alone.
    static quint64 scopeOf(const QObject* document);

    // The page of a file tried alone, up to mostHeight up or down, its
    // pictures read by the document; cancelled by the cancel given, if any.
    // Once the helper built the page within its limits, and while it lays
    // it out, built runs, if given, on the trial's thread (unless the trial
    // is cancelled): the program may build the page then, as its cost is
    // known, but not yet that of its layout.
    static Result tried(const PageRequest& request, const QByteArray& content,
        TextEditDocument* pictures, qreal mostHeight,
        const std::shared_ptr<Cancel>& cancel = nullptr,
        const std::function<void()>& built = nullptr);
    // A paste tried in the document it lands in, where the request places
    // it, the whole up to mostHeight; its pictures read by the document
    // given, which holds those of the one it lands in.
    static Result triedIn(const PasteTarget& target, const PageRequest& request,
        const QByteArray& content, TextEditDocument* pictures, qreal mostHeight,
        const std::shared_ptr<Cancel>& cancel = nullptr);
};
