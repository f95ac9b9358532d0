#include "InsertionGuard.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QTextEdit>

InsertionGuard::InsertionGuard(QTextEdit* area, Check check)
    : QObject(area)
    , m_area(area)
    , m_check(std::move(check))
{
    area->viewport()->installEventFilter(this);
}

bool InsertionGuard::refusedWithMessage(const Refusal& refusal) const
{
    if (!refusal)
        return false;
    if (!refusal->isEmpty())
        tell(*refusal, m_dropping);
    return true;
}

void InsertionGuard::tell(const QString& refusal, bool dropped) const
{
    const QString instead = dropped ? tr("You can drop a smaller part of it instead.")
                                    : tr("You can paste a smaller part of it instead.");
    QMessageBox::warning(m_area, dropped ? tr("Drop") : tr("Paste"),
        tr("The text was not inserted.") + '\n' + refusal + '\n' + instead);
}

// A move within the area (its source is the viewport watched) removes the
// dragged text before it inserts it; any other drop goes through the area's
// own check of what it inserts. Either way the drop is passed on from here,
// so that a refusal knows it is one.
bool InsertionGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Drop || m_area->isReadOnly() || m_dropping)
        return false;
    const QScopedValueRollback<bool> dropping(m_dropping, true);
    auto* drop = static_cast<QDropEvent*>(event);
    if (drop->source() == watched && drop->dropAction() == Qt::MoveAction
        && refusedWithMessage(m_check(
            drop->mimeData(), m_area->cursorForPosition(drop->pos()), m_area->textCursor()))) {
        drop->ignore();
        return true;
    }
    QCoreApplication::sendEvent(watched, event);
    return true;
}
