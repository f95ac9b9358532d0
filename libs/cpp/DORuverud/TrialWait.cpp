#include "TrialWait.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <mutex>
#include <thread>

namespace {

bool onGuiThread()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance())
        && QThread::currentThread() == QCoreApplication::instance()->thread();
}

// What the work's thread and the waiting thread share: whether the work is
// done, and whether the wait is gone, after which the work wakes nobody.
struct Handover
{
    std::mutex mutex;
    bool done = false;
    bool gone = false;
};

} // namespace

TrialWait::TrialWait(const QString& label)
    : m_onGuiThread(onGuiThread())
    , m_label(label)
{
    if (!m_onGuiThread)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_delay = std::make_unique<QTimer>();
    m_delay->setSingleShot(true);
    QObject::connect(m_delay.get(), &QTimer::timeout, [this] { showDialog(); });
    m_delay->start(dialogDelayMs);
}

TrialWait::~TrialWait()
{
    if (!m_onGuiThread)
        return;
    delete m_dialog;
    QApplication::restoreOverrideCursor();
}

// Input that comes before the dialog waits for the work; once the dialog
// shows, it blocks the windows, and its Cancel answers.
bool TrialWait::run(std::function<void()> work, const std::function<void()>& cancel)
{
    if (m_cancelled)
        return false;
    if (!m_onGuiThread) {
        work();
        return true;
    }
    const auto handover = std::make_shared<Handover>();
    QAbstractEventDispatcher* const waiting = QAbstractEventDispatcher::instance();
    std::thread([work = std::move(work), handover, waiting]() mutable {
        work();
        // What the work holds goes here, before the wait may go on.
        work = nullptr;
        const std::lock_guard<std::mutex> lock(handover->mutex);
        handover->done = true;
        if (!handover->gone)
            waiting->wakeUp();
    }).detach();
    for (;;) {
        {
            const std::lock_guard<std::mutex> lock(handover->mutex);
            handover->gone = m_cancelled;
            if (handover->done || m_cancelled)
                break;
        }
        const bool shown = m_dialog && m_dialog->isVisible();
        QCoreApplication::processEvents(
            (shown ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents)
            | QEventLoop::WaitForMoreEvents);
    }
    if (m_cancelled)
        cancel();
    return !m_cancelled;
}

void TrialWait::showDialog()
{
    m_dialog = new QProgressDialog(m_label, tr("Cancel"), 0, 0, QApplication::activeWindow());
    m_dialog->setWindowTitle(tr("Rich Text"));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(0);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    QObject::connect(m_dialog, &QProgressDialog::canceled, [this] { m_cancelled = true; });
    // Escape rejects the dialog, which cancels too.
    QObject::connect(m_dialog, &QDialog::rejected, [this] { m_cancelled = true; });
    QApplication::changeOverrideCursor(Qt::BusyCursor);
    m_dialog->show();
}
