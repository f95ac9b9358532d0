#pragma once

#include <QString>
#include <QTextCursor>

// The paragraph that text inserted at a cursor joins, as it will stand then:
// the text replaces the cursor's selection, or on a drag-move within the
// document, the moved selection goes first.
class InsertionParagraph
{
public:
    InsertionParagraph(const QTextCursor& at, const QTextCursor& moved);

    // The paragraph's text before and after the inserted text.
    QString before() const;
    QString after() const;
    // Where the text lands, in the document as it stands now.
    QTextCursor place() const;

private:
    QString m_before;
    QString m_after;
    QTextCursor m_place;
};
