#pragma once

#include <QObject>

#include <functional>
#include <optional>

class QMimeData;
class QTextCursor;
class QTextEdit;

// Checks what is inserted into a text area and says why it is refused, and
// what the user can do instead, in a message box titled after the user's
// action, a paste or a drop; a check the user cancelled refuses with
// nothing to tell. A drag-move
// within the area is checked as it will stand once moved, before QTextEdit
// takes the moved text out, so that a refused move leaves the document as it
// was.
class InsertionGuard : public QObject
{
    Q_OBJECT

public:
    // Why what the source offers is refused where it lands: at the cursor at,
    // or on a drag-move, once the selection of moved is gone. Nothing when
    // it may be inserted; an empty text when the user cancelled the check.
    using Refusal = std::optional<QString>;
    using Check = std::function<Refusal(
        const QMimeData* source, const QTextCursor& at, const QTextCursor& moved)>;

    // Watches the drops on the area's viewport, as a child of the area.
    InsertionGuard(QTextEdit* area, Check check);

    // Shows the refusal's reason in a message box over the area, titled
    // "Drop" while the area takes a drop and "Paste" otherwise; false when
    // there is no refusal.
    bool refusedWithMessage(const Refusal& refusal) const;
    // Tells why a paste, or a drop, was refused.
    void tell(const QString& refusal, bool dropped) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTextEdit* m_area;
    Check m_check;
    // Whether the area is taking a drop, which it inserts as it pastes.
    bool m_dropping = false;
};
