#include "TextEditArea.h"

#include "TextEditReader.h"

#include <QMessageBox>
#include <QMimeData>

TextEditArea::TextEditArea(QWidget* parent)
    : QTextEdit(parent)
{
}

void TextEditArea::insertFromMimeData(const QMimeData* source)
{
    const bool rich = source->hasHtml() && acceptRichText();
    const TextEditReader reader(rich ? source->html() : source->text(), rich);
    if (!reader.refusal().isEmpty()) {
        QMessageBox::warning(
            this, tr("Paste"), tr("The text was not inserted.") + '\n' + reader.refusal());
        return;
    }
    QTextEdit::insertFromMimeData(source);
}
