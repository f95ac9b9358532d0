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
    const TextEditReader reader(source, acceptRichText(), textCursor());
    if (!reader.refusal().isEmpty()) {
        QMessageBox::warning(
            this, tr("Paste"), tr("The text was not inserted.") + '\n' + reader.refusal());
        return;
    }
    if (reader.text().isNull())
        return;
    QMimeData checked;
    if (reader.isRich())
        checked.setHtml(reader.text());
    else
        checked.setText(reader.text());
    QTextEdit::insertFromMimeData(&checked);
}
