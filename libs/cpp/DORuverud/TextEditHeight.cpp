#include "TextEditHeight.h"

#include "TextEditDocument.h"
#include "TextEditLengths.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <QVarLengthArray>
#include <array>
#include <cmath>
#include <numeric>

namespace {

using Lengths = TextEditLengths;

// The lines a paragraph's text fills at a width: each stretch between two
// line breaks one line, or when it is wider than that, up to twice its width
// over the line's, since a line wraps before a word that does not fit, but no
// more than a line for each letter.
class WrappedLines
{
public:
    explicit WrappedLines(qreal width)
        : m_width(qMax<qreal>(1, width))
    {
    }

    void add(qreal advance, int letters = 1)
    {
        m_advance += advance;
        m_letters += letters;
    }

    void breakLine()
    {
        m_lines += stretchLines();
        m_advance = 0;
        m_letters = 0;
    }

    qreal count() const
    {
        return m_lines + stretchLines();
    }

private:
    qreal stretchLines() const
    {
        if (m_advance <= m_width)
            return 1;
        return qMin<qreal>(m_letters, 1 + std::floor(2 * m_advance / m_width));
    }

    const qreal m_width;
    qreal m_lines = 0;
    qreal m_advance = 0;
    qreal m_letters = 0;
};

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

TextEditHeight::TextEditHeight(const QTextDocument& document, qreal width, qreal enough)
    : m_document(document)
    , m_enough(enough)
{
    m_height = frameHeight(document.rootFrame(), width);
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

// A floating frame, a table among them, counts as though it stood in the text.
qreal TextEditHeight::frameHeight(QTextFrame* frame, qreal width)
{
    m_floats += frame->frameFormat().position() != QTextFrameFormat::InFlow;
    if (auto* table = qobject_cast<QTextTable*>(frame))
        return tableHeight(table, width);
    const QTextFrameFormat format = frame->frameFormat();
    const qreal height = Lengths::frameRim(format)
        + contentHeight(
            frame->begin(), Lengths::frameWidth(format, width) - Lengths::frameSides(format));
    const QTextLength fixed = format.height();
    return fixed.type() == QTextLength::FixedLength
        ? qMax(height, Lengths::travel(fixed.rawValue()))
        : height;
}

// Paragraphs one after another are as far apart as the larger of the margins
// between them, as the layout merges them; it takes none below zero.
qreal TextEditHeight::contentHeight(QTextFrame::iterator it, qreal width)
{
    qreal height = 0;
    qreal margin = 0;
    for (; !it.atEnd() && height <= m_enough; ++it) {
        if (QTextFrame* frame = it.currentFrame()) {
            height += margin + frameHeight(frame, width);
            margin = 0;
            continue;
        }
        const QTextBlockFormat format = it.currentBlock().blockFormat();
        height += qMax(margin, Lengths::positive(format.topMargin()))
            + blockHeight(it.currentBlock(), format, width);
        margin = Lengths::positive(format.bottomMargin());
    }
    return height + margin;
}

// Each row as tall as its tallest cell; a cell spanning rows counts whole in
// its first row.
qreal TextEditHeight::tableHeight(QTextTable* table, qreal width)
{
    const int columns = qMax(1, table->columns());
    const QTextTableFormat format = table->format();
    const QVector<qreal> widths = Lengths::columnWidths(format, leastColumnWidths(table),
        Lengths::frameWidth(format, width) - Lengths::frameSides(format)
            - Lengths::cellGaps(format, columns));
    qreal height
        = Lengths::frameRim(format) + (table->rows() + 1) * Lengths::travel(format.cellSpacing());
    ++m_cells;
    for (int row = 0; row < table->rows() && height <= m_enough; ++row) {
        qreal rowHeight = 0;
        for (int column = 0; column < columns; ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.isValid() && cell.row() == row && cell.column() == column) {
                const qreal cellWidth = std::accumulate(widths.begin() + column,
                    widths.begin() + qMin(columns, column + cell.columnSpan()), qreal(0));
                rowHeight = qMax(rowHeight, cellHeight(format, cell, cellWidth));
            }
        }
        height += rowHeight + 2 * Lengths::travel(format.border());
    }
    --m_cells;
    return height;
}

qreal TextEditHeight::cellHeight(
    const QTextTableFormat& table, const QTextTableCell& cell, qreal width)
{
    return Lengths::cellRim(table, cell)
        + contentHeight(cell.begin(), width - Lengths::cellSides(table, cell));
}

// The least width of each column: the least its cells take, a cell spanning
// columns spread over them, and a width set in pixels.
QVector<qreal> TextEditHeight::leastColumnWidths(QTextTable* table)
{
    const QTextTableFormat format = table->format();
    const int columns = qMax(1, table->columns());
    QVector<qreal> least(columns, 0);
    const QVector<QTextLength> set = format.columnWidthConstraints();
    for (int column = 0; column < qMin(columns, set.size()); ++column) {
        if (set.at(column).type() == QTextLength::FixedLength)
            least[column] = Lengths::setWidth(set.at(column).rawValue());
    }
    for (int row = 0; row < table->rows(); ++row) {
        for (int column = 0; column < columns; ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (!cell.isValid() || cell.row() != row || cell.column() != column)
                continue;
            const int span = qBound(1, cell.columnSpan(), columns - column);
            const qreal each = (leastWidth(cell.begin()) + Lengths::cellSides(format, cell)) / span;
            for (int spanned = column; spanned < column + span; ++spanned)
                least[spanned] = qMax(least.at(spanned), each);
        }
    }
    return least;
}

// The least width the layout gives what a frame or a cell holds: that of its
// widest paragraph or frame.
qreal TextEditHeight::leastWidth(QTextFrame::iterator it)
{
    qreal least = 0;
    for (; !it.atEnd(); ++it) {
        QTextFrame* frame = it.currentFrame();
        least = qMax(least, frame ? leastWidth(frame) : leastWidth(it.currentBlock()));
    }
    return qMin(least, Lengths::held);
}

// A table is as wide as its columns at least, another frame as its content.
qreal TextEditHeight::leastWidth(QTextFrame* frame)
{
    const qreal sides = Lengths::frameSides(frame->frameFormat());
    auto* table = qobject_cast<QTextTable*>(frame);
    if (!table)
        return leastWidth(frame->begin()) + sides;
    const QVector<qreal> columns = leastColumnWidths(table);
    return std::accumulate(columns.begin(), columns.end(), qreal(0)) + sides
        + Lengths::cellGaps(table->format(), columns.size());
}

// The least width of a paragraph with its margins: its widest picture or
// letter, since a line breaks a word that does not fit anywhere, or where its
// lines do not wrap, its widest line.
qreal TextEditHeight::leastWidth(const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    const bool wraps = !format.nonBreakableLines();
    qreal widest = 0;
    qreal line = 0;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat charFormat = fragment.charFormat();
        if (charFormat.isImageFormat()) {
            const qreal width = Lengths::positive(pictureSize(charFormat.toImageFormat()).width());
            widest = qMax(widest, width);
            line += wraps ? 0 : width * fragment.length();
            continue;
        }
        Font& font = fontOf(fragment.charFormatIndex(), charFormat);
        for (const QChar letter : fragment.text()) {
            const qreal advance = letter == QChar::LineSeparator ? 0 : font.advance(letter);
            line = wraps || advance == 0 ? advance : line + advance;
            widest = qMax(widest, line);
        }
    }
    qreal margins = 0;
    for (const qreal length : sideLengths(block, format))
        margins += Lengths::narrowing(length);
    return widest + margins;
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
// more, since it may begin in the middle of a line.
qreal TextEditHeight::blockHeight(
    const QTextBlock& block, const QTextBlockFormat& format, qreal width)
{
    const qreal lineWidth = width - indents(block, format);
    WrappedLines lines(lineWidth);
    const qreal tab = m_document.defaultTextOption().tabStopDistance();
    QVarLengthArray<std::pair<qreal, qreal>, 8> raised; // a line height, the lines it raises
    qreal pictures = 0;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat charFormat = fragment.charFormat();
        if (charFormat.isImageFormat()) {
            const QSizeF size = pictureSize(charFormat.toImageFormat());
            pictures += Lengths::pictureHeight(size) * fragment.length();
            lines.add(Lengths::positive(size.width()) * fragment.length(), fragment.length());
            m_floats += isFloat(charFormat) * fragment.length();
            continue;
        }
        Font& font = fontOf(fragment.charFormatIndex(), charFormat);
        WrappedLines own(lineWidth);
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
    // An empty line is as tall as the paragraph's own font.
    qreal lowest = Lengths::unbounded;
    for (const auto& each : raised)
        lowest = qMin(lowest, each.first);
    if (raised.isEmpty())
        lowest = fontOf(block.charFormatIndex(), block.charFormat()).lineHeight;
    const qreal line = Lengths::spacedLineHeight(format, lowest);
    qreal height = lines.count() * line + pictures;
    for (const auto& each : raised)
        height += each.second
            * Lengths::positive(Lengths::spacedLineHeight(format, each.first) - line);
    return height;
}

// A picture floats when it is anchored to a frame beside the text.
bool TextEditHeight::isFloat(const QTextCharFormat& format) const
{
    const auto* frame = qobject_cast<const QTextFrame*>(m_document.objectForFormat(format));
    return frame && frame->frameFormat().position() != QTextFrameFormat::InFlow;
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
