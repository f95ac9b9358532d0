#pragma once

#include "PageTrial.h"

#include <QObject>

#include <deque>
#include <functional>
#include <memory>

class QTextEdit;
class TrialWait;

// An editor's trials, one at a time, and what its user does meanwhile. A
// trial is a state of the editor, not a loop that waits: its work runs on
// the layout thread (LayoutThread) while the GUI thread goes on, and what
// finishes it runs here once the work is done. Meanwhile nothing the user
// does reaches the document: keys typed and text from an input method in
// the text area are held, as are the editor's commands (held()), in one
// queue that runs in order once the trial ended, as it would have run then;
// an action held that begins a trial of its own holds the rest behind it.
// A click or a drag in the text area is refused, as the busy pointer shows:
// the drag shows that it cannot drop, and its source keeps what it drags.
// Escape or Cancel (TrialWait) ends the trial under way, and only it; the
// document it reads stands until its work let go of it. GUI thread only.
class TrialQueue : public QObject
{
    Q_OBJECT

public:
    // What finishes a trial, on the GUI thread.
    using Finish = std::function<void()>;
    // The work of a trial, on the layout thread, which may be cancelled.
    using Work = std::function<Finish(const std::shared_ptr<PageTrial::Cancel>& cancel)>;
    // Called as a trial is cancelled: whether what its work reads may change
    // at once. Where it may not, the queue holds on, without a dialog, until
    // the work ended, and calls it again then.
    using Cancelled = std::function<bool()>;

    // The editor, the text area's parent, shows that it waits.
    TrialQueue(QTextEdit* area, QWidget* editor);
    ~TrialQueue() override;

    bool isTrying() const;
    // Whether anything waits for its turn.
    bool isHolding() const;
    // Holds the action while a trial runs and tells so; else does nothing.
    bool held(std::function<void()> action);
    // Begins a trial, the label saying what it tries; cancelled is called
    // if it is cancelled, before anything held runs.
    void begin(const QString& label, Work work, Cancelled cancelled = {});
    // Ends the trial under way as if it never began.
    void cancel();
    TrialWait* wait() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool heldKey(QEvent* event);
    void finish(const Finish& finish);
    // The work of the trial cancelled ended.
    void drained();
    // Runs what was held until an action begins a trial.
    void runHeld();

    QTextEdit* const m_area;
    TrialWait* const m_wait;
    std::shared_ptr<PageTrial::Cancel> m_cancel;
    Cancelled m_cancelled;
    // The trial cancelled whose work the queue waits for.
    std::shared_ptr<PageTrial::Cancel> m_draining;
    std::deque<std::function<void()>> m_held;
    bool m_running = false;
};
