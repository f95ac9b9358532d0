#pragma once

#include <QFont>
#include <QHash>
#include <QSet>
#include <QSizeF>
#include <QTextFrame>
#include <memory>
#include <vector>

class QTextBlock;
class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;
class QTextImageFormat;
class QTextTable;
class QTextTableCell;
class QTextTableFormat;

// How tall Qt's document layout makes a document at a width, told from the
// document once it is built, before it is laid out: its paragraphs with their
// margins and line heights, the fonts of their letters, their pictures (read
// as the layout reads them), and the margins, paddings, borders and spacing
// of tables and other frames. Where it cannot tell, it counts the taller
// reading: every line of a paragraph as tall as its tallest font, the margins
// of neighbours added, not merged, a line that wraps filled only to half, the
// columns of a table equally wide. GUI thread only, since it reads fonts.
class TextEditHeight
{
public:
    // Counted up to just past enough pixels.
    TextEditHeight(const QTextDocument& document, qreal width, qreal enough);
    ~TextEditHeight();

    qreal height() const;

    // The fonts of a document's formats, each of which its layout loads.
    static QSet<QFont> fontsOf(const QTextDocument& document);
    // The height of a line of text in the font.
    static qreal lineHeight(const QFont& font);

private:
    struct Font;

    qreal frameHeight(QTextFrame* frame, qreal width);
    qreal tableHeight(QTextTable* table, qreal width);
    qreal cellHeight(const QTextTableFormat& table, const QTextTableCell& cell, qreal width);
    qreal contentHeight(QTextFrame::iterator it, qreal width);
    qreal blockHeight(const QTextBlock& block, const QTextBlockFormat& format, qreal width);
    QSizeF pictureSize(const QTextImageFormat& format) const;
    Font& fontOf(int formatIndex, const QTextCharFormat& format);

    const QTextDocument& m_document;
    const qreal m_enough;
    qreal m_height = 0;
    QHash<int, Font*> m_formatFonts;
    QHash<QFont, Font*> m_fontsRead;
    std::vector<std::unique_ptr<Font>> m_fonts;
};
