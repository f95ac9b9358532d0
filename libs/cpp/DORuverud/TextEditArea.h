#pragma once

#include <QTextEdit>

// The rich-text editor's text area. What is pasted or dropped meets the same
// bounds as a file the editor opens: what its text layout cannot handle in
// reasonable time is refused with a message, and the document stays as it was.
class TextEditArea : public QTextEdit
{
    Q_OBJECT

public:
    explicit TextEditArea(QWidget* parent);

protected:
    void insertFromMimeData(const QMimeData* source) override;
};
