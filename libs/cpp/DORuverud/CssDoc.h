#pragma once

#include "InsertionGuard.h"
#include "PlainTextForm.h"

#include <QTextEdit>

namespace DORuverud {

// The style-sheet editor's text area; remembers the file last loaded or
// saved.
class CssDoc : public QTextEdit
{
    Q_OBJECT

public:
    explicit CssDoc(QWidget* parent);

    // The text area's own font and colours, kept apart from the
    // application-wide style sheet.
    void applyOwnPalette();
    // Asks whether to save a changed text first; false when the user cancels
    // or the save failed, so that the text must stay.
    bool maybeSave();

signals:
    void changeWindowTitle(QString);

public slots:
    void slotLoad();
    void slotSave();
    void slotSaveAs();

protected:
    // Pastes and drops plain text only, refused with a message when the line it
    // joins would be more than the text area can lay out, also on a move.
    void insertFromMimeData(const QMimeData* source) override;

private:
    InsertionGuard::Refusal insertionRefusal(
        const QMimeData* source, const QTextCursor& at, const QTextCursor& moved) const;
    void write(const QString& path);

    QString m_currentFilePath;
    // The form of the file last loaded, which saves keep.
    PlainTextForm m_form;
    InsertionGuard* m_insertionGuard;
};

} // namespace DORuverud
