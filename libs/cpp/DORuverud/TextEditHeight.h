#pragma once

#include <QFont>
#include <QHash>
#include <QSet>
#include <QSizeF>
#include <QTextFrame>
#include <array>
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
// margins and line heights, the fonts of their letters, their pictures, the
// margins, paddings, borders and spacing of tables and other frames, and the
// least width each column of a table takes; every length read as the layout
// reads it (TextEditLengths). Where it cannot tell, it counts the taller
// reading: a line as tall as the lowest font of its paragraph, and as each
// taller one on every line its letters may stand on; the margins of
// neighbours added, not merged; a line that wraps filled only to half; the
// columns of a table sharing what their least widths leave equally. GUI
// thread only, since it reads fonts.
class TextEditHeight
{
public:
    // Counted up to just past enough pixels.
    TextEditHeight(const QTextDocument& document, qreal width, qreal enough);
    ~TextEditHeight();

    qreal height() const;
    // The pictures and tables that float beside the text, counted as far as
    // the height.
    int floats() const;

    // The fonts of a document's formats, each of which its layout loads.
    static QSet<QFont> fontsOf(const QTextDocument& document);
    // The height of a line of text in the font.
    static qreal lineHeight(const QFont& font);

private:
    struct Font;

    qreal frameHeight(QTextFrame* frame, qreal width);
    qreal tableHeight(QTextTable* table, qreal width);
    qreal cellHeight(const QTextTableFormat& table, const QTextTableCell& cell, qreal width);
    QVector<qreal> leastColumnWidths(QTextTable* table);
    qreal leastWidth(QTextFrame::iterator it);
    qreal leastWidth(QTextFrame* frame);
    qreal leastWidth(const QTextBlock& block);
    qreal contentHeight(QTextFrame::iterator it, qreal width);
    qreal indents(const QTextBlock& block, const QTextBlockFormat& format) const;
    std::array<qreal, 4> sideLengths(const QTextBlock& block, const QTextBlockFormat& format) const;
    qreal blockHeight(const QTextBlock& block, const QTextBlockFormat& format, qreal width);
    bool isFloat(const QTextCharFormat& format) const;
    QSizeF pictureSize(const QTextImageFormat& format) const;
    Font& fontOf(int formatIndex, const QTextCharFormat& format);

    const QTextDocument& m_document;
    const qreal m_enough;
    qreal m_height = 0;
    int m_floats = 0;
    // The tables around what is counted.
    int m_cells = 0;
    QHash<int, Font*> m_formatFonts;
    QHash<QFont, Font*> m_fontsRead;
    std::vector<std::unique_ptr<Font>> m_fonts;
};
