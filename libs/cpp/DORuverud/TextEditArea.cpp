#include "TextEditArea.h"

#include "InsertionGuard.h"
#include "TextEditReader.h"

#include <QMimeData>

TextEditArea::TextEditArea(QWidget* parent)
    : QTextEdit(parent)
    , m_insertionGuard(new InsertionGuard(
          this, [this](const QMimeData* source, const QTextCursor& at, const QTextCursor& moved) {
              return TextEditReader(source, acceptRichText(), at, moved).refusal();
          }))
{
}

void TextEditArea::insertFromMimeData(const QMimeData* source)
{
    TextEditReader reader(source, acceptRichText(), textCursor());
    if (m_insertionGuard->refusedWithMessage(reader.refusal()) || reader.text().isNull())
        return;
    // The pictures read to check the paste are those it shows.
    if (auto* shown = qobject_cast<TextEditDocument*>(document()))
        shown->takePicturesOf(*reader.takeDocument());
    QMimeData checked;
    if (reader.isRich())
        checked.setHtml(reader.text());
    else
        checked.setText(reader.text());
    QTextEdit::insertFromMimeData(&checked);
}
