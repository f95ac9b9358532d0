#include "TextEditHeight.h"

#include "TextEditDocument.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <array>
#include <cmath>
#include <numeric>

namespace {

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

// What the layout makes of the paragraph's line height.
qreal spacedLineHeight(const QTextBlockFormat& format, qreal height)
{
    const qreal value = format.lineHeight();
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        return height * value / 100;
    case QTextBlockFormat::FixedHeight:
        return value;
    case QTextBlockFormat::MinimumHeight:
        return qMax(height, value);
    case QTextBlockFormat::LineDistanceHeight:
        return height + value;
    default:
        return height;
    }
}

qreal positive(qreal value)
{
    return qMax<qreal>(0, value);
}

// As the layout rounds it: up, leading included where it adds.
qreal lineHeightOf(const QFontMetricsF& metrics)
{
    return std::ceil(metrics.ascent() + metrics.descent() + positive(metrics.leading()));
}

// What a frame adds above and below its content, and beside it.
qreal frameRim(const QTextFrameFormat& format)
{
    return positive(format.topMargin()) + positive(format.bottomMargin())
        + 2 * positive(format.padding() + format.border());
}

qreal frameSides(const QTextFrameFormat& format)
{
    return format.leftMargin() + format.rightMargin() + 2 * (format.padding() + format.border());
}

// The width a frame takes of the width there: the one its format sets, else all.
qreal frameWidth(const QTextFrameFormat& format, qreal width)
{
    const QTextLength set = format.width();
    return set.type() == QTextLength::VariableLength ? width : set.value(width);
}

// The columns the table's format sets take their widths, the others share
// what is left equally.
QVector<qreal> columnWidths(const QTextTableFormat& format, int columns, qreal width)
{
    const QVector<QTextLength> set = format.columnWidthConstraints();
    QVector<qreal> widths(columns, -1);
    qreal taken = 0;
    int free = columns;
    for (int column = 0; column < qMin(columns, set.size()); ++column) {
        if (set.at(column).type() != QTextLength::VariableLength) {
            widths[column] = set.at(column).value(width);
            taken += widths.at(column);
            --free;
        }
    }
    for (qreal& each : widths) {
        if (each < 0)
            each = positive(width - taken) / free;
    }
    return widths;
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

qreal TextEditHeight::frameHeight(QTextFrame* frame, qreal width)
{
    if (auto* table = qobject_cast<QTextTable*>(frame))
        return tableHeight(table, width);
    const QTextFrameFormat format = frame->frameFormat();
    const qreal height = frameRim(format)
        + contentHeight(frame->begin(), frameWidth(format, width) - frameSides(format));
    const QTextLength fixed = format.height();
    return fixed.type() == QTextLength::FixedLength ? qMax(height, fixed.rawValue()) : height;
}

// Paragraphs one after another are as far apart as the larger of the margins
// between them, as the layout merges them.
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
        height += qMax(margin, positive(format.topMargin()))
            + blockHeight(it.currentBlock(), format, width);
        margin = positive(format.bottomMargin());
    }
    return height + margin;
}

// Each row as tall as its tallest cell; a cell spanning rows counts whole in
// its first row.
qreal TextEditHeight::tableHeight(QTextTable* table, qreal width)
{
    const QTextTableFormat format = table->format();
    const int columns = qMax(1, table->columns());
    const qreal border = positive(format.border());
    const qreal spacing = positive(format.cellSpacing());
    const QVector<qreal> widths = columnWidths(format, columns,
        frameWidth(format, width) - frameSides(format) - (columns + 1) * spacing
            - columns * 2 * border);
    qreal height = frameRim(format) + (table->rows() + 1) * spacing;
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
        height += rowHeight + 2 * border;
    }
    return height;
}

// A cell's own padding, where it has one, else its table's.
qreal TextEditHeight::cellHeight(
    const QTextTableFormat& table, const QTextTableCell& cell, qreal width)
{
    const QTextTableCellFormat format = cell.format().toTableCellFormat();
    const auto padding = [&](QTextFormat::Property side, qreal own) {
        return format.hasProperty(side) ? own : table.cellPadding();
    };
    const qreal sides = padding(QTextFormat::TableCellLeftPadding, format.leftPadding())
        + padding(QTextFormat::TableCellRightPadding, format.rightPadding());
    const qreal rim = padding(QTextFormat::TableCellTopPadding, format.topPadding())
        + padding(QTextFormat::TableCellBottomPadding, format.bottomPadding());
    return positive(rim) + contentHeight(cell.begin(), width - sides);
}

// Without its margins above and below.
qreal TextEditHeight::blockHeight(
    const QTextBlock& block, const QTextBlockFormat& format, qreal width)
{
    qreal indent = format.leftMargin() + format.rightMargin() + qAbs(format.textIndent())
        + format.indent() * m_document.indentWidth();
    if (const QTextList* list = block.textList())
        indent += list->format().indent() * m_document.indentWidth();
    WrappedLines lines(width - indent);
    const qreal tab = m_document.defaultTextOption().tabStopDistance();
    qreal lineHeight = 0;
    qreal pictures = 0;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat charFormat = fragment.charFormat();
        if (charFormat.isImageFormat()) {
            const QSizeF size = pictureSize(charFormat.toImageFormat());
            pictures += size.height() * fragment.length();
            lines.add(size.width() * fragment.length(), fragment.length());
            continue;
        }
        Font& font = fontOf(fragment.charFormatIndex(), charFormat);
        lineHeight = qMax(lineHeight, font.lineHeight);
        for (const QChar letter : fragment.text()) {
            if (letter == QChar::LineSeparator)
                lines.breakLine();
            else
                lines.add(letter == '\t' ? qMax(tab, font.advance(letter)) : font.advance(letter));
        }
    }
    // An empty line is as tall as the paragraph's own font.
    if (lineHeight == 0)
        lineHeight = fontOf(block.charFormatIndex(), block.charFormat()).lineHeight;
    return lines.count() * positive(spacedLineHeight(format, lineHeight)) + pictures;
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
