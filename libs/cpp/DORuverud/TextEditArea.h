#pragma once

#include <QTextCursor>
#include <QTextEdit>

#include <memory>

class InsertionGuard;
class PasteTarget;
class TextEditDocument;
class TextEditReader;
class TrialQueue;

// The rich-text editor's text area. What is pasted or dropped meets the same
// bounds as a file the editor opens, as it will stand at the cursor: what its
// text layout cannot handle in reasonable time is refused with a message, and
// the document stays as it was. Plain text is checked at once; rich text is
// tried in the page helper, in the document it lands in, as a trial of the
// area (TrialQueue) while the window goes on, and goes in once tried, a
// drag-move taking the moved text out then. Only what was checked is
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
    // The trials of the area, and what its user does meanwhile.
    TrialQueue* trials() const;

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Where a rich paste or drop lands, once tried.
    struct Landing
    {
        QTextCursor at;
        QTextCursor moved;
        bool dropped = false;
    };
    // The width beside the text: the frame and a scroll bar.
    int besideText() const;
    // The narrowest width, as the window's screen allows.
    void fitScreen();
    void tryRich(const QMimeData* source, const Landing& landing);
    void forgetTarget();
    bool forgotTarget();
    void land(const TextEditReader& reader, const TextEditDocument* pictures,
        const QTextDocumentFragment& fragment);

    InsertionGuard* m_insertionGuard;
    TrialQueue* m_trials;
    // A drag-move as checked, before QTextEdit takes the moved text out and
    // inserts what it moves.
    std::unique_ptr<TextEditReader> m_checkedMove;
    const QMimeData* m_movedSource = nullptr;
    Landing m_landing;
    // Where the rich paste under trial lands, which its trial reads.
    std::unique_ptr<PasteTarget> m_target;
};
