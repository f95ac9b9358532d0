#pragma once

#include <QTextEdit>

class InsertionGuard;

// The rich-text editor's text area. What is pasted or dropped meets the same
// bounds as a file the editor opens, as it will stand at the cursor: what its
// text layout cannot handle in reasonable time is refused with a message, and
// the document stays as it was; a page is tried in the page helper first,
// under a busy cursor. Only what was checked is inserted.
class TextEditArea : public QTextEdit
{
    Q_OBJECT

public:
    explicit TextEditArea(QWidget* parent);

protected:
    void insertFromMimeData(const QMimeData* source) override;

private:
    InsertionGuard* m_insertionGuard;
};
