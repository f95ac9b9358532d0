#include "InsertionGuard.h"

#include <QDropEvent>
#include <QMessageBox>
#include <QTextEdit>

InsertionGuard::InsertionGuard(QTextEdit* area, Check check)
    : QObject(area)
    , m_area(area)
    , m_check(std::move(check))
{
    area->viewport()->installEventFilter(this);
}

bool InsertionGuard::refused(const QString& refusal) const
{
    if (refusal.isEmpty())
        return false;
    QMessageBox::warning(m_area, tr("Paste"), tr("The text was not inserted.") + '\n' + refusal);
    return true;
}

// A move within the area (its source is the viewport watched) removes the
// dragged text before it inserts it; any other drop goes through the area's
// own check of what it inserts.
bool InsertionGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Drop || m_area->isReadOnly())
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    if (drop->source() != watched || drop->dropAction() != Qt::MoveAction
        || !refused(m_check(
            drop->mimeData(), m_area->cursorForPosition(drop->pos()), m_area->textCursor())))
        return false;
    drop->ignore();
    return true;
}
