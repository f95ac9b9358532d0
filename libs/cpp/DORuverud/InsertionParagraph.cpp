#include "InsertionParagraph.h"

#include <QTextBlock>

namespace {

QTextCursor cursorAt(QTextDocument* document, int position)
{
    QTextCursor cursor(document);
    cursor.setPosition(position);
    return cursor;
}

QString textBefore(const QTextCursor& cursor)
{
    return cursor.block().text().left(cursor.positionInBlock());
}

QString textAfter(const QTextCursor& cursor)
{
    return cursor.block().text().mid(cursor.positionInBlock());
}

} // namespace

// A place inside the removed text lands where it began; a place beside it in
// the same paragraph joins what stands beyond it.
InsertionParagraph::InsertionParagraph(const QTextCursor& at, const QTextCursor& moved)
{
    const QTextCursor& removed = moved.hasSelection() ? moved : at;
    QTextDocument* document = at.document();
    const QTextCursor start = cursorAt(document, removed.selectionStart());
    const QTextCursor end = cursorAt(document, removed.selectionEnd());
    const QTextCursor point = cursorAt(document, at.position());
    const int position = point.position();
    const bool inside = position >= start.position() && position <= end.position();
    m_place = inside ? start : point;
    m_before = textBefore(m_place);
    m_after = textAfter(inside ? end : point);
    if (position < start.position() && point.block() == start.block())
        m_after = m_after.left(start.position() - position) + textAfter(end);
    if (position > end.position() && point.block() == end.block())
        m_before = textBefore(start) + m_before.right(position - end.position());
}

QString InsertionParagraph::before() const
{
    return m_before;
}

QString InsertionParagraph::after() const
{
    return m_after;
}

QTextCursor InsertionParagraph::place() const
{
    return m_place;
}
