#include "TextEditHeight.h"

#include "TextEditDocument.h"
#include "TextEditLengths.h"
#include "TextEditLines.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace {

using Lengths = TextEditLengths;

// As the layout rounds it: up, leading included where it adds.
qreal lineHeightOf(const QFontMetricsF& metrics)
{
    return std::ceil(metrics.ascent() + metrics.descent() + Lengths::positive(metrics.leading()));
}

} // namespace

// The advances of the letters of one font, each measured once.
struct TextEditHeight::Font
{
    explicit Font(const QFont& font)
        : metrics(font)
        , lineHeight(lineHeightOf(metrics))
    {
        ascii.fill(-1);
    }

    qreal advance(QChar letter)
    {
        const ushort code = letter.unicode();
        if (code < ascii.size()) {
            if (ascii[code] < 0)
                ascii[code] = measure(letter);
            return ascii[code];
        }
        auto known = others.constFind(code);
        if (known == others.constEnd())
            known = others.insert(code, measure(letter));
        return known.value();
    }

    // Half of each of a surrogate pair: the two as wide as the widest letter.
    qreal measure(QChar letter) const
    {
        return letter.isSurrogate() ? metrics.maxWidth() / 2
                                    : metrics.horizontalAdvance(QString(letter));
    }

    QFontMetricsF metrics;
    qreal lineHeight;
    std::array<qreal, 128> ascii;
    QHash<ushort, qreal> others;
};

TextEditHeight::TextEditHeight(const QTextDocument& document, qreal width, qreal enough,
    qreal enoughLooks, const TextEditHeight* into)
    : m_document(document)
    , m_enough(enough)
    , m_enoughLooks(enoughLooks)
    , m_floats(into ? into->m_floats : 0)
    , m_top(topFloats(document, width, enoughLooks, into))
{
    m_height = frameHeight(document.rootFrame(), width);
}

// Those of the document inserted into, from the top again.
TextEditFloats TextEditHeight::topFloats(
    const QTextDocument& document, qreal width, qreal enoughLooks, const TextEditHeight* into)
{
    if (!into) {
        const QTextFrameFormat format = document.rootFrame()->frameFormat();
        return TextEditFloats(
            Lengths::frameWidth(format, width) - Lengths::frameSides(format), enoughLooks);
    }
    TextEditFloats floats = into->m_top;
    floats.toTop();
    return floats;
}

TextEditHeight::~TextEditHeight() = default;

qreal TextEditHeight::height() const
{
    return m_height;
}

QSet<QFont> TextEditHeight::fontsOf(const QTextDocument& document)
{
    QSet<QFont> fonts;
    for (const QTextFormat& format : document.allFormats()) {
        if (format.isCharFormat())
            fonts.insert(format.toCharFormat().font());
    }
    return fonts;
}

qreal TextEditHeight::lineHeight(const QFont& font)
{
    return lineHeightOf(QFontMetricsF(font));
}

int TextEditHeight::floats() const
{
    return m_floats;
}

qreal TextEditHeight::floatLooks() const
{
    return m_looks + m_top.looks();
}

qreal TextEditHeight::lines() const
{
    return m_lines;
}

// The top frame's floats are kept to place those of a paste among them. A
// height set in pixels holds for a table as for any frame.
qreal TextEditHeight::frameHeight(QTextFrame* frame, qreal width)
{
    const QTextFrameFormat format = frame->frameFormat();
    const qreal height = qobject_cast<QTextTable*>(frame)
        ? tableHeight(static_cast<QTextTable*>(frame), width)
        : framedHeight(frame, format, width);
    const QTextLength fixed = format.height();
    return fixed.type() == QTextLength::FixedLength
        ? qMax(height, Lengths::travel(fixed.rawValue()))
        : height;
}

qreal TextEditHeight::framedHeight(QTextFrame* frame, const QTextFrameFormat& format, qreal width)
{
    const qreal inner = Lengths::frameWidth(format, width) - Lengths::frameSides(format);
    TextEditFloats own(inner, m_enoughLooks - floatLooks());
    const qreal height = Lengths::frameRim(format)
        + contentHeight(frame->begin(), inner, frame->parentFrame() ? own : m_top);
    m_looks += own.looks();
    return height;
}

// Paragraphs one after another are as far apart as the larger of the margins
// between them, as the layout merges them; it takes none below zero. A
// floating frame counts as though it stood in the text, as a floating picture
// does, and is placed as wide as the line: laid out before the document has a
// width, as a text area lays out the document it is given, each floating
// frame stands below the one before.
qreal TextEditHeight::contentHeight(QTextFrame::iterator it, qreal width, TextEditFloats& floats)
{
    qreal height = 0;
    qreal margin = 0;
    for (; !it.atEnd() && height <= m_enough; ++it) {
        if (QTextFrame* frame = it.currentFrame()) {
            const qreal framed = frameHeight(frame, width);
            const QTextFrameFormat::Position side = frame->frameFormat().position();
            floats.advance(margin);
            if (side == QTextFrameFormat::InFlow)
                floats.advance(framed);
            else
                floats.place(width, framed, side == QTextFrameFormat::FloatRight);
            m_floats += side != QTextFrameFormat::InFlow;
            height += margin + framed;
            margin = 0;
            continue;
        }
        const QTextBlockFormat format = it.currentBlock().blockFormat();
        const qreal above = qMax(margin, Lengths::positive(format.topMargin()));
        floats.advance(above);
        height += above + blockHeight(it.currentBlock(), format, width, floats);
        margin = Lengths::positive(format.bottomMargin());
    }
    return height + margin;
}

// Each row as tall as its tallest cell; a cell spanning rows counts whole in
// its first row. The floats of a cell are placed in the width its column takes
// before the document has a width, as a text area lays out the document it is
// given: no more than its content where nothing wraps, floats left out, or
// its width set in pixels; so in a column of floats alone, as the widest.
qreal TextEditHeight::tableHeight(QTextTable* table, qreal width)
{
    const int columns = qMax(1, table->columns());
    const QTextTableFormat format = table->format();
    const QVector<Widths> reach = columnWidthsOf(table);
    QVector<qreal> told(columns);
    for (int column = 0; column < columns; ++column)
        told[column] = reach.at(column).least;
    told = Lengths::columnWidths(format, told,
        Lengths::frameWidth(format, width) - Lengths::frameSides(format)
            - Lengths::cellGaps(format, columns));
    QVector<qreal> taken = told;
    for (int column = 0; column < columns; ++column)
        taken[column]
            = qMin(told.at(column), qMax(reach.at(column).least, reach.at(column).natural));
    const auto spanned = [columns](const QVector<qreal>& each, int column, int span) {
        return std::accumulate(
            each.begin() + column, each.begin() + qMin(columns, column + span), qreal(0));
    };
    qreal height
        = Lengths::frameRim(format) + (table->rows() + 1) * Lengths::travel(format.cellSpacing());
    int floats = 0;
    ++m_cells;
    for (int row = 0; row < table->rows() && height <= m_enough; ++row) {
        qreal rowHeight = 0;
        for (int column = 0; column < columns; ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.isValid() && cell.row() == row && cell.column() == column)
                rowHeight = qMax(rowHeight,
                    cellHeight(format, cell, spanned(told, column, cell.columnSpan()),
                        spanned(taken, column, cell.columnSpan()), &floats));
        }
        height += rowHeight + 2 * Lengths::travel(format.border());
    }
    --m_cells;
    return height;
}

// The layout looks at the floats of every cell of the table to place those of
// one; it lays out a cell twice on each pass over its table, and so the floats
// in it twice for each table around.
qreal TextEditHeight::cellHeight(const QTextTableFormat& table, const QTextTableCell& cell,
    qreal width, qreal floatsWidth, int* tableFloats)
{
    const qreal sides = Lengths::cellSides(table, cell);
    TextEditFloats floats(
        floatsWidth - sides, std::ldexp(m_enoughLooks - floatLooks(), -m_cells), *tableFloats);
    const qreal height
        = Lengths::cellRim(table, cell) + contentHeight(cell.begin(), width - sides, floats);
    m_looks += std::ldexp(floats.looks(), m_cells);
    *tableFloats = floats.listed();
    return height;
}

// The widths of each column: those its cells take, a cell spanning columns
// spread over them, and a width set in pixels.
QVector<TextEditHeight::Widths> TextEditHeight::columnWidthsOf(QTextTable* table)
{
    const QTextTableFormat format = table->format();
    const int columns = qMax(1, table->columns());
    QVector<Widths> reach(columns);
    const QVector<QTextLength> set = format.columnWidthConstraints();
    for (int column = 0; column < qMin(columns, set.size()); ++column) {
        if (set.at(column).type() == QTextLength::FixedLength) {
            const qreal width = Lengths::setWidth(set.at(column).rawValue());
            reach[column] = {width, width};
        }
    }
    for (int row = 0; row < table->rows(); ++row) {
        for (int column = 0; column < columns; ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (!cell.isValid() || cell.row() != row || cell.column() != column)
                continue;
            const int span = qBound(1, cell.columnSpan(), columns - column);
            const Widths own = widthsOf(cell.begin());
            const qreal sides = Lengths::cellSides(format, cell);
            for (int spanned = column; spanned < column + span; ++spanned) {
                Widths& each = reach[spanned];
                each.least = qMax(each.least, (own.least + sides) / span);
                each.natural = qMax(each.natural, (own.natural + sides) / span);
            }
        }
    }
    return reach;
}

// Those of its widest paragraph or frame.
TextEditHeight::Widths TextEditHeight::widthsOf(QTextFrame::iterator it)
{
    Widths reach;
    for (; !it.atEnd(); ++it) {
        QTextFrame* frame = it.currentFrame();
        const Widths own = frame ? widthsOf(frame) : widthsOf(it.currentBlock());
        reach.least = qMax(reach.least, own.least);
        reach.natural = qMax(reach.natural, own.natural);
    }
    return {qMin(reach.least, Lengths::held), qMin(reach.natural, Lengths::held)};
}

// A table is as wide as its columns, another frame as its content.
TextEditHeight::Widths TextEditHeight::widthsOf(QTextFrame* frame)
{
    const qreal sides = Lengths::frameSides(frame->frameFormat());
    auto* table = qobject_cast<QTextTable*>(frame);
    if (!table) {
        const Widths own = widthsOf(frame->begin());
        return {own.least + sides, own.natural + sides};
    }
    const QVector<Widths> columns = columnWidthsOf(table);
    Widths reach;
    for (const Widths& each : columns) {
        reach.least += each.least;
        reach.natural += each.natural;
    }
    const qreal gaps = sides + Lengths::cellGaps(table->format(), columns.size());
    return {reach.least + gaps, reach.natural + gaps};
}

// The widths of a paragraph with its margins: at least its widest picture or
// letter, since a line breaks a word that does not fit anywhere, or where its
// lines do not wrap, its widest line; where nothing wraps, its widest line
// without its floating pictures.
TextEditHeight::Widths TextEditHeight::widthsOf(const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    const bool wraps = !format.nonBreakableLines();
    Widths reach;
    qreal line = 0;
    qreal unwrapped = 0;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat charFormat = fragment.charFormat();
        if (charFormat.isImageFormat()) {
            const qreal width = Lengths::positive(pictureSize(charFormat.toImageFormat()).width());
            reach.least = qMax(reach.least, width);
            line += wraps ? 0 : width * fragment.length();
            const bool floating = floatSide(charFormat) != QTextFrameFormat::InFlow;
            unwrapped += floating ? 0 : width * fragment.length();
            reach.natural = qMax(reach.natural, unwrapped);
            continue;
        }
        Font& font = fontOf(fragment.charFormatIndex(), charFormat);
        for (const QChar letter : fragment.text()) {
            const qreal advance = letter == QChar::LineSeparator ? 0 : font.advance(letter);
            line = wraps || advance == 0 ? advance : line + advance;
            unwrapped = advance == 0 ? 0 : unwrapped + advance;
            reach.least = qMax(reach.least, line);
            reach.natural = qMax(reach.natural, unwrapped);
        }
    }
    qreal margins = 0;
    for (const qreal length : sideLengths(block, format))
        margins += Lengths::narrowing(length);
    return {reach.least + margins, reach.natural + margins};
}

// What the paragraph's margins and indents take of the width: in a table cell
// one below zero leaves the narrowest line, since the layout measures a column
// by its paragraphs' widths with their margins, and one below zero shrinks it.
qreal TextEditHeight::indents(const QTextBlock& block, const QTextBlockFormat& format) const
{
    qreal taken = Lengths::narrowing(qAbs(format.textIndent()));
    for (const qreal length : sideLengths(block, format))
        taken += m_cells > 0 && length < 0 ? Lengths::unbounded : Lengths::narrowing(length);
    return taken;
}

// Whether the layout holds the paragraph's margins and indents: past what it
// holds it places the lines anywhere, a right-to-left one far out of the page.
bool TextEditHeight::holdsSides(const QTextBlock& block, const QTextBlockFormat& format) const
{
    const std::array<qreal, 4> lengths = sideLengths(block, format);
    return qAbs(format.textIndent()) < Lengths::held
        && std::all_of(lengths.begin(), lengths.end(),
            [](qreal length) { return qAbs(length) < Lengths::held; });
}

// The paragraph's margins and indents beside its lines.
std::array<qreal, 4> TextEditHeight::sideLengths(
    const QTextBlock& block, const QTextBlockFormat& format) const
{
    const QTextList* list = block.textList();
    return {format.leftMargin(), format.rightMargin(), format.indent() * m_document.indentWidth(),
        list ? list->format().indent() * m_document.indentWidth() : 0};
}

// Without its margins above and below. Each line counts as tall as the lowest
// font of the paragraph, and each fragment of a taller one as that much taller
// on every line its letters may stand on: as many as it fills alone and one
// more, since it may begin in the middle of a line. Its floating pictures are
// placed where it begins, and its text takes its least lines beside them.
qreal TextEditHeight::blockHeight(
    const QTextBlock& block, const QTextBlockFormat& format, qreal width, TextEditFloats& floats)
{
    if (!holdsSides(block, format))
        return Lengths::unbounded;
    const qreal lineWidth = width - indents(block, format);
    TextEditLines lines(lineWidth);
    const qreal tab = m_document.defaultTextOption().tabStopDistance();
    Raised raised;
    qreal pictures = 0;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat charFormat = fragment.charFormat();
        if (charFormat.isImageFormat()) {
            const QSizeF size = pictureSize(charFormat.toImageFormat());
            const bool floating = placeFloats(charFormat, size, fragment.length(), floats);
            pictures += Lengths::pictureHeight(size) * fragment.length();
            lines.add(
                Lengths::positive(size.width()) * fragment.length(), fragment.length(), floating);
            continue;
        }
        Font& font = fontOf(fragment.charFormatIndex(), charFormat);
        TextEditLines own(lineWidth);
        for (const QChar letter : fragment.text()) {
            if (letter == QChar::LineSeparator) {
                lines.breakLine();
                own.breakLine();
                continue;
            }
            const qreal advance
                = letter == '\t' ? qMax(tab, font.advance(letter)) : font.advance(letter);
            lines.add(advance);
            own.add(advance);
        }
        raised.append({font.lineHeight, qMin(own.count() + 1, qreal(fragment.length()))});
    }
    const qreal line = Lengths::spacedLineHeight(format, lowestLine(block, raised));
    qreal height = lines.count() * line + pictures;
    for (const auto& each : raised)
        height += each.second
            * Lengths::positive(Lengths::spacedLineHeight(format, each.first) - line);
    m_lines += lines.count();
    floats.text(lines.count(), lines.least() * line);
    return height;
}

// That of the lowest font of the paragraph's letters; an empty line is as tall
// as the paragraph's own font.
qreal TextEditHeight::lowestLine(const QTextBlock& block, const Raised& raised)
{
    if (raised.isEmpty())
        return fontOf(block.charFormatIndex(), block.charFormat()).lineHeight;
    qreal lowest = Lengths::unbounded;
    for (const auto& each : raised)
        lowest = qMin(lowest, each.first);
    return lowest;
}

// Places each of the pictures when they float; tells whether they do.
bool TextEditHeight::placeFloats(
    const QTextCharFormat& format, const QSizeF& size, int count, TextEditFloats& floats)
{
    const QTextFrameFormat::Position side = floatSide(format);
    for (int placed = 0; placed < count && side != QTextFrameFormat::InFlow; ++placed) {
        floats.place(Lengths::positive(size.width()), Lengths::pictureHeight(size),
            side == QTextFrameFormat::FloatRight);
        ++m_floats;
    }
    return side != QTextFrameFormat::InFlow;
}

// Where a picture stands: in the text, or floating beside it when it is
// anchored to a frame that floats.
QTextFrameFormat::Position TextEditHeight::floatSide(const QTextCharFormat& format) const
{
    const auto* frame = qobject_cast<const QTextFrame*>(m_document.objectForFormat(format));
    return frame ? frame->frameFormat().position() : QTextFrameFormat::InFlow;
}

// As the layout sizes a picture: the size its format gives, the rest from the
// picture's own in its proportions. Only the editor's document, which bounds
// what it reads, is asked for a picture; in another, one counts as the 16 x 16
// pixels a picture the layout cannot read takes.
QSizeF TextEditHeight::pictureSize(const QTextImageFormat& format) const
{
    const bool hasWidth = format.hasProperty(QTextFormat::ImageWidth);
    const bool hasHeight = format.hasProperty(QTextFormat::ImageHeight);
    QSizeF size(format.width(), format.height());
    if (hasWidth && hasHeight)
        return size;
    QSizeF own(16, 16);
    if (qobject_cast<const TextEditDocument*>(&m_document)) {
        const QVariant picture
            = m_document.resource(QTextDocument::ImageResource, QUrl(format.name()));
        if (picture.canConvert<QImage>() && !picture.value<QImage>().isNull())
            own = picture.value<QImage>().size();
        else if (picture.canConvert<QPixmap>() && !picture.value<QPixmap>().isNull())
            own = picture.value<QPixmap>().size();
    }
    if (!hasWidth && !hasHeight)
        return own;
    if (!hasWidth)
        size.setWidth(size.height() * own.width() / own.height());
    else
        size.setHeight(size.width() * own.height() / own.width());
    return size;
}

TextEditHeight::Font& TextEditHeight::fontOf(int formatIndex, const QTextCharFormat& format)
{
    Font*& known = m_formatFonts[formatIndex];
    if (!known) {
        const QFont font = format.font();
        Font*& read = m_fontsRead[font];
        if (!read) {
            m_fonts.push_back(std::make_unique<Font>(font));
            read = m_fonts.back().get();
        }
        known = read;
    }
    return *known;
}
