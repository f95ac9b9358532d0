#pragma once

#include <QTextEdit>

#include <memory>

class InsertionGuard;
class TextEditReader;

// The rich-text editor's text area. What is pasted or dropped meets the same
// bounds as a file the editor opens, as it will stand at the cursor: what its
// text layout cannot handle in reasonable time is refused with a message, and
// the document stays as it was; a page is tried in the page helper first, in
// the document it lands in, while the window waits. Only what was checked is
// inserted. The area is no narrower than the text width pages are tried at,
// less where its window would not fit its screen.
class TextEditArea : public QTextEdit
{
    Q_OBJECT

public:
    explicit TextEditArea(QWidget* parent);
    ~TextEditArea() override;

    // The narrowest width the area lays its text out at, on its screen.
    int narrowestTextWidth() const;

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The width beside the text: the frame and a scroll bar.
    int besideText() const;
    // The narrowest width, as the window's screen allows.
    void fitScreen();

    InsertionGuard* m_insertionGuard;
    // A drag-move as checked, before QTextEdit takes the moved text out and
    // inserts what it moves.
    std::unique_ptr<TextEditReader> m_checkedMove;
    const QMimeData* m_movedSource = nullptr;
};
