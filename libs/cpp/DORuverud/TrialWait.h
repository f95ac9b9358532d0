#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

#include <functional>
#include <memory>

class QTimer;

// Waits on the GUI thread for work done on a thread of its own, without
// freezing the window: while it waits, the windows repaint and the timers
// run, and input waits for the work under a busy cursor; after half a second
// a progress dialog offers Cancel, which leaves the work to end by itself
// and returns at once. On any other thread, or without an application, the
// work runs where it is asked for. One wait may run work in turn.
class TrialWait
{
    Q_DECLARE_TR_FUNCTIONS(TrialWait)

public:
    static constexpr int dialogDelayMs = 500;

    // The label tells what is waited for; the half second counts from here.
    explicit TrialWait(const QString& label);
    ~TrialWait();
    TrialWait(const TrialWait&) = delete;
    TrialWait& operator=(const TrialWait&) = delete;

    // Runs work and waits for it: true once it is done; false when the user
    // cancelled, once cancel() was called on this thread, the work left to
    // end by itself holding what it needs.
    bool run(std::function<void()> work, const std::function<void()>& cancel);

private:
    void showDialog();

    const bool m_onGuiThread;
    const QString m_label;
    std::unique_ptr<QTimer> m_delay;
    // Over the active window, which may delete it first.
    QPointer<QProgressDialog> m_dialog;
    bool m_cancelled = false;
};
