#include "TrialQueue.h"

#include "LayoutThread.h"
#include "TrialWait.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTextEdit>

#include <utility>

namespace {

bool isPointerInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}

bool isDrag(QEvent::Type type)
{
    return type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
}

} // namespace

TrialQueue::TrialQueue(QTextEdit* area, QWidget* editor)
    : QObject(area)
    , m_area(area)
    , m_wait(new TrialWait(editor, area->viewport()))
{
    connect(m_wait, &TrialWait::cancelled, this, &TrialQueue::cancel);
    area->installEventFilter(this);
    area->viewport()->installEventFilter(this);
}

// The work under way ends by itself, and what it made is dropped.
TrialQueue::~TrialQueue()
{
    if (m_cancel)
        m_cancel->cancel();
}

bool TrialQueue::isTrying() const
{
    return m_cancel || m_draining;
}

bool TrialQueue::isHolding() const
{
    return !m_held.empty();
}

bool TrialQueue::held(std::function<void()> action)
{
    if (!isTrying())
        return false;
    m_held.push_back(std::move(action));
    return true;
}

// A queue gone cancelled its trial first, and what finishes it is dropped.
void TrialQueue::begin(const QString& label, Work work, Cancelled cancelled)
{
    m_cancel = std::make_shared<PageTrial::Cancel>();
    m_cancelled = std::move(cancelled);
    m_wait->begin(label);
    const std::shared_ptr<PageTrial::Cancel> cancel = m_cancel;
    const QPointer<TrialQueue> self = this;
    LayoutThread::post([cancel, work = std::move(work), self] {
        Finish finish = work(cancel);
        LayoutThread::handBack([cancel, finish = std::move(finish), self] {
            if (!self)
                return;
            if (self->m_draining == cancel)
                self->drained();
            else if (!cancel->isCancelled() && self->m_cancel == cancel)
                self->finish(finish);
        });
    });
}

void TrialQueue::cancel()
{
    if (!m_cancel)
        return;
    m_cancel->cancel();
    const std::shared_ptr<PageTrial::Cancel> cancelled = std::exchange(m_cancel, {});
    m_wait->end(true);
    if (m_cancelled && !m_cancelled()) {
        m_draining = cancelled;
        return;
    }
    m_cancelled = {};
    runHeld();
}

void TrialQueue::drained()
{
    m_draining.reset();
    if (const Cancelled cancelled = std::exchange(m_cancelled, {}))
        cancelled();
    runHeld();
}

TrialWait* TrialQueue::wait() const
{
    return m_wait;
}

void TrialQueue::finish(const Finish& finish)
{
    m_cancel.reset();
    m_cancelled = {};
    m_wait->end();
    finish();
    runHeld();
}

void TrialQueue::runHeld()
{
    if (m_running)
        return;
    m_running = true;
    while (!isTrying() && !m_held.empty()) {
        const std::function<void()> action = std::move(m_held.front());
        m_held.pop_front();
        action();
    }
    m_running = false;
}

// While a trial runs: keys and input method text are held for the text
// area, a paste goes on to it, which holds what it pastes; pointer input
// and drags are refused.
bool TrialQueue::eventFilter(QObject* watched, QEvent* event)
{
    if (!isTrying())
        return false;
    if (isDrag(event->type())) {
        event->ignore();
        return true;
    }
    if (watched == m_area && heldKey(event))
        return true;
    // The menu key's context menu comes to the area itself.
    return (watched == m_area || watched == m_area->viewport()) && isPointerInput(event->type());
}

bool TrialQueue::heldKey(QEvent* event)
{
    if (event->type() == QEvent::InputMethod) {
        QInputMethodEvent held(*static_cast<QInputMethodEvent*>(event));
        m_held.push_back([this, held]() mutable { QCoreApplication::sendEvent(m_area, &held); });
        return true;
    }
    if (event->type() == QEvent::KeyRelease)
        return true;
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // Escape held down cancels one trial, not the one held behind it too.
    if (key->key() == Qt::Key_Escape) {
        if (!key->isAutoRepeat())
            cancel();
        return true;
    }
    if (key->matches(QKeySequence::Paste))
        return false;
    QKeyEvent held(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
        key->nativeVirtualKey(), key->nativeModifiers(), key->text(), key->isAutoRepeat(),
        key->count());
    m_held.push_back([this, held]() mutable { QCoreApplication::sendEvent(m_area, &held); });
    return true;
}
