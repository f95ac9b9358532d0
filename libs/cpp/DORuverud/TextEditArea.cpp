#include "TextEditArea.h"

#include "InsertionGuard.h"
#include "TextEditReader.h"

#include <QApplication>
#include <QMimeData>
#include <memory>

namespace {

// What is offered, read under a busy cursor: a page waits on the page helper.
std::unique_ptr<TextEditReader> readBusy(
    const QMimeData* source, bool acceptRich, const QTextCursor& at, const QTextCursor& moved)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto reader = std::make_unique<TextEditReader>(source, acceptRich, at, moved);
    QApplication::restoreOverrideCursor();
    return reader;
}

} // namespace

TextEditArea::TextEditArea(QWidget* parent)
    : QTextEdit(parent)
    , m_insertionGuard(new InsertionGuard(
          this, [this](const QMimeData* source, const QTextCursor& at, const QTextCursor& moved) {
              return readBusy(source, acceptRichText(), at, moved)->refusal();
          }))
{
}

void TextEditArea::insertFromMimeData(const QMimeData* source)
{
    const std::unique_ptr<TextEditReader> reader
        = readBusy(source, acceptRichText(), textCursor(), QTextCursor());
    if (m_insertionGuard->refusedWithMessage(reader->refusal()) || reader->text().isNull())
        return;
    // The pictures read to check the paste are those it shows.
    if (auto* shown = qobject_cast<TextEditDocument*>(document()))
        shown->takePicturesOf(*reader->takeDocument());
    QMimeData checked;
    if (reader->isRich())
        checked.setHtml(reader->text());
    else
        checked.setText(reader->text());
    QTextEdit::insertFromMimeData(&checked);
}
