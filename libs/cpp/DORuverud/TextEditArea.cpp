#include "TextEditArea.h"

#include "TextEditReader.h"

#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>

TextEditArea::TextEditArea(QWidget* parent)
    : QTextEdit(parent)
{
}

void TextEditArea::insertFromMimeData(const QMimeData* source)
{
    const TextEditReader reader(source, acceptRichText(), textCursor());
    if (refused(reader) || reader.text().isNull())
        return;
    QMimeData checked;
    if (reader.isRich())
        checked.setHtml(reader.text());
    else
        checked.setText(reader.text());
    QTextEdit::insertFromMimeData(&checked);
}

// A move within the text area removes the dragged text before it inserts it,
// so it is checked as it will stand once moved, before anything changes.
void TextEditArea::dropEvent(QDropEvent* event)
{
    if (event->source() == viewport() && event->dropAction() == Qt::MoveAction && !isReadOnly()) {
        const TextEditReader reader(
            event->mimeData(), acceptRichText(), cursorForPosition(event->pos()), textCursor());
        if (refused(reader)) {
            event->ignore();
            return;
        }
    }
    QTextEdit::dropEvent(event);
}

bool TextEditArea::refused(const TextEditReader& reader)
{
    if (reader.refusal().isEmpty())
        return false;
    QMessageBox::warning(
        this, tr("Paste"), tr("The text was not inserted.") + '\n' + reader.refusal());
    return true;
}
