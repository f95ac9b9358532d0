#pragma once

#include "TextEditFloats.h"

#include <QFont>
#include <QHash>
#include <QSet>
#include <QSizeF>
#include <QTextFrame>
#include <QVarLengthArray>
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
// columns of a table sharing what their least widths leave equally. It tells
// too how often the layout looks at the floating pictures and tables to place
// them and the lines beside them (TextEditFloats). GUI thread only, since it
// reads fonts.
class TextEditHeight
{
public:
    // Counted up to just past enough pixels, and the looks at floats up to
    // just past enoughLooks. A document to be inserted at the top of the one
    // counted in another has its floats placed among that one's.
    TextEditHeight(const QTextDocument& document, qreal width, qreal enough,
        qreal enoughLooks = TextEditFloats::unbounded, const TextEditHeight* into = nullptr);
    ~TextEditHeight();

    qreal height() const;
    // The pictures and tables that float beside the text, counted as far as
    // the height, those of the document inserted into among them.
    int floats() const;
    // The looks at floats the layout takes to lay out this document, those
    // for the document inserted into left out.
    qreal floatLooks() const;
    // The lines of text, counted as far as the height.
    qreal lines() const;

    // The fonts of a document's formats, each of which its layout loads.
    static QSet<QFont> fontsOf(const QTextDocument& document);
    // The height of a line of text in the font.
    static qreal lineHeight(const QFont& font);

private:
    struct Font;
    // The least width the layout gives what a frame, a cell or a paragraph
    // holds, and the width it takes where nothing wraps, floats left out.
    struct Widths
    {
        qreal least = 0;
        qreal natural = 0;
    };

    static TextEditFloats topFloats(
        const QTextDocument& document, qreal width, qreal enoughLooks, const TextEditHeight* into);
    qreal frameHeight(QTextFrame* frame, qreal width);
    qreal framedHeight(QTextFrame* frame, const QTextFrameFormat& format, qreal width);
    qreal tableHeight(QTextTable* table, qreal width);
    qreal cellHeight(const QTextTableFormat& table, const QTextTableCell& cell, qreal width,
        qreal floatsWidth, int* tableFloats);
    QVector<Widths> columnWidthsOf(QTextTable* table);
    Widths widthsOf(QTextFrame::iterator it);
    Widths widthsOf(QTextFrame* frame);
    Widths widthsOf(const QTextBlock& block);
    qreal contentHeight(QTextFrame::iterator it, qreal width, TextEditFloats& floats);
    qreal indents(const QTextBlock& block, const QTextBlockFormat& format) const;
    bool holdsSides(const QTextBlock& block, const QTextBlockFormat& format) const;
    std::array<qreal, 4> sideLengths(const QTextBlock& block, const QTextBlockFormat& format) const;
    qreal blockHeight(const QTextBlock& block, const QTextBlockFormat& format, qreal width,
        TextEditFloats& floats);
    // A line height, and the lines it raises.
    using Raised = QVarLengthArray<std::pair<qreal, qreal>, 8>;
    qreal lowestLine(const QTextBlock& block, const Raised& raised);
    bool placeFloats(
        const QTextCharFormat& format, const QSizeF& size, int count, TextEditFloats& floats);
    QTextFrameFormat::Position floatSide(const QTextCharFormat& format) const;
    QSizeF pictureSize(const QTextImageFormat& format) const;
    Font& fontOf(int formatIndex, const QTextCharFormat& format);

    const QTextDocument& m_document;
    const qreal m_enough;
    const qreal m_enoughLooks;
    qreal m_height = 0;
    int m_floats = 0;
    qreal m_looks = 0;
    qreal m_lines = 0;
    // The floats of the top frame.
    TextEditFloats m_top;
    // The tables around what is counted.
    int m_cells = 0;
    QHash<int, Font*> m_formatFonts;
    QHash<QFont, Font*> m_fontsRead;
    std::vector<std::unique_ptr<Font>> m_fonts;
};
