// The formatting commands of TextEdit and the feedback from the cursor.
#include "TextEdit.h"

#include "TextEditArea.h"

#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>

namespace {

QTextListFormat::Style listStyle(int styleIndex)
{
    static const QTextListFormat::Style styles[] = {QTextListFormat::ListDisc,
        QTextListFormat::ListCircle, QTextListFormat::ListSquare, QTextListFormat::ListDecimal,
        QTextListFormat::ListLowerAlpha, QTextListFormat::ListUpperAlpha,
        QTextListFormat::ListLowerRoman, QTextListFormat::ListUpperRoman};
    return styleIndex >= 1 && styleIndex <= 8 ? styles[styleIndex - 1] : QTextListFormat::ListDisc;
}

// Takes the paragraphs of the cursor out of their lists, in one undo step.
void leaveLists(QTextCursor& cursor)
{
    QTextDocument* document = cursor.document();
    const QTextBlock end = document->findBlock(cursor.selectionEnd()).next();
    cursor.beginEditBlock();
    for (QTextBlock block = document->findBlock(cursor.selectionStart()); block != end;
         block = block.next()) {
        if (QTextList* list = block.textList())
            list->remove(block);
    }
    cursor.endEditBlock();
}

QPixmap filled(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return pixmap;
}

} // namespace

// Held during a trial with the format as the command set it then.
void TextEdit::mergeFormatOnWordOrSelection(const QTextCharFormat& format)
{
    if (held([this, format] { mergeFormatOnWordOrSelection(format); }))
        return;
    QTextCursor cursor = m_textEdit->textCursor();
    if (!cursor.hasSelection())
        cursor.select(QTextCursor::WordUnderCursor);
    cursor.mergeCharFormat(format);
    m_textEdit->mergeCurrentCharFormat(format);
}

void TextEdit::slotTextBold()
{
    QTextCharFormat format;
    format.setFontWeight(m_actionTextBold->isChecked() ? QFont::Bold : QFont::Normal);
    mergeFormatOnWordOrSelection(format);
}

void TextEdit::slotTextItalic()
{
    QTextCharFormat format;
    format.setFontItalic(m_actionTextItalic->isChecked());
    mergeFormatOnWordOrSelection(format);
}

void TextEdit::slotTextUnderline()
{
    QTextCharFormat format;
    format.setFontUnderline(m_actionTextUnderline->isChecked());
    mergeFormatOnWordOrSelection(format);
}

void TextEdit::textFamily(QString f)
{
    QTextCharFormat format;
    format.setFontFamily(f);
    mergeFormatOnWordOrSelection(format);
}

void TextEdit::textSize(QString p)
{
    const qreal pointSize = p.toDouble();
    if (pointSize <= 0)
        return;
    QTextCharFormat format;
    format.setFontPointSize(pointSize);
    mergeFormatOnWordOrSelection(format);
}

void TextEdit::slotColorChanged(QColor c)
{
    if (!c.isValid() || held([this, c] { slotColorChanged(c); }))
        return;
    QTextCharFormat format;
    format.setForeground(c);
    mergeFormatOnWordOrSelection(format);
    colorChanged(c);
}

void TextEdit::textAlign(QAction* a)
{
    if (held([this, a] { textAlign(a); }))
        return;
    if (a == m_actionAlignLeft)
        m_textEdit->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    else if (a == m_actionAlignCenter)
        m_textEdit->setAlignment(Qt::AlignHCenter);
    else if (a == m_actionAlignRight)
        m_textEdit->setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    else if (a == m_actionAlignJustify)
        m_textEdit->setAlignment(Qt::AlignJustify);
}

void TextEdit::slotTextAlignLeft()
{
    textAlign(m_actionAlignLeft);
}

void TextEdit::slotTextAlignCenter()
{
    textAlign(m_actionAlignCenter);
}

void TextEdit::slotTextAlignRight()
{
    textAlign(m_actionAlignRight);
}

void TextEdit::slotTextAlignJustify()
{
    textAlign(m_actionAlignJustify);
}

void TextEdit::textStyle(int styleIndex)
{
    if (held([this, styleIndex] { textStyle(styleIndex); }))
        return;
    QTextCursor cursor = m_textEdit->textCursor();
    if (styleIndex == 0) {
        leaveLists(cursor);
        return;
    }
    cursor.beginEditBlock();
    QTextBlockFormat blockFormat = cursor.blockFormat();
    QTextListFormat listFormat;
    if (cursor.currentList()) {
        listFormat = cursor.currentList()->format();
    } else {
        listFormat.setIndent(blockFormat.indent() + 1);
        blockFormat.setIndent(0);
        cursor.setBlockFormat(blockFormat);
    }
    listFormat.setStyle(listStyle(styleIndex));
    cursor.createList(listFormat);
    cursor.endEditBlock();
}

void TextEdit::currentCharFormatChanged(QTextCharFormat format)
{
    fontChanged(format.font());
    colorChanged(format.foreground().color());
}

void TextEdit::cursorPositionChanged()
{
    alignmentChanged(m_textEdit->alignment());
}

void TextEdit::fontChanged(const QFont& f)
{
    m_comboFont->setCurrentIndex(m_comboFont->findText(QFontInfo(f).family()));
    // Keep a typed size while it names this one ("10.5" for 10.5 points).
    if (m_comboSize->currentText().toDouble() != f.pointSizeF())
        m_comboSize->setCurrentIndex(m_comboSize->findText(QString::number(f.pointSize())));
    m_actionTextBold->setChecked(f.weight() > QFont::Normal);
    m_actionTextItalic->setChecked(f.style() != QFont::StyleNormal);
    m_actionTextUnderline->setChecked(f.underline());
}

void TextEdit::colorChanged(const QColor& c)
{
    m_actionTextColor->setIcon(filled(c));
}

void TextEdit::alignmentChanged(Qt::Alignment a)
{
    if (a & Qt::AlignLeft)
        m_actionAlignLeft->setChecked(true);
    else if (a & Qt::AlignHCenter)
        m_actionAlignCenter->setChecked(true);
    else if (a & Qt::AlignRight)
        m_actionAlignRight->setChecked(true);
    else if (a & Qt::AlignJustify)
        m_actionAlignJustify->setChecked(true);
}
