#include "TextEditLengths.h"

#include <QTextTable>
#include <algorithm>
#include <cmath>

qreal TextEditLengths::positive(qreal value)
{
    return qMax<qreal>(0, value);
}

qreal TextEditLengths::narrowing(qreal length)
{
    return qAbs(length) < held ? positive(length) : unbounded;
}

qreal TextEditLengths::travel(qreal length)
{
    return std::isfinite(length) && length > -maxStepUp ? qAbs(length) : unbounded;
}

qreal TextEditLengths::setWidth(qreal width)
{
    return width >= 0 && width < held ? width : 0;
}

qreal TextEditLengths::spacedLineHeight(const QTextBlockFormat& format, qreal height)
{
    const qreal value = format.lineHeight();
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        return travel(height * value / 100);
    case QTextBlockFormat::FixedHeight:
        return travel(value);
    case QTextBlockFormat::MinimumHeight:
        return travel(qMax(height, value));
    case QTextBlockFormat::LineDistanceHeight:
        return travel(height + value);
    default:
        return height;
    }
}

qreal TextEditLengths::frameRim(const QTextFrameFormat& format)
{
    return travel(format.topMargin()) + travel(format.bottomMargin())
        + 2 * (positive(format.padding()) + travel(format.border()));
}

qreal TextEditLengths::frameSides(const QTextFrameFormat& format)
{
    return narrowing(format.leftMargin()) + narrowing(format.rightMargin())
        + 2 * (narrowing(format.padding()) + narrowing(format.border()));
}

qreal TextEditLengths::frameWidth(const QTextFrameFormat& format, qreal width)
{
    const QTextLength set = format.width();
    return set.type() == QTextLength::VariableLength ? width : setWidth(set.value(width));
}

// A cell's own padding on that side, where it has one, else its table's.
qreal TextEditLengths::cellPadding(
    const QTextTableFormat& table, const QTextTableCell& cell, QTextFormat::Property side)
{
    const QTextFormat format = cell.format();
    return format.hasProperty(side) ? format.doubleProperty(side) : table.cellPadding();
}

qreal TextEditLengths::cellRim(const QTextTableFormat& table, const QTextTableCell& cell)
{
    return positive(cellPadding(table, cell, QTextFormat::TableCellTopPadding))
        + positive(cellPadding(table, cell, QTextFormat::TableCellBottomPadding));
}

qreal TextEditLengths::cellSides(const QTextTableFormat& table, const QTextTableCell& cell)
{
    return narrowing(cellPadding(table, cell, QTextFormat::TableCellLeftPadding))
        + narrowing(cellPadding(table, cell, QTextFormat::TableCellRightPadding));
}

qreal TextEditLengths::cellGaps(const QTextTableFormat& format, int columns)
{
    return (columns + 1) * narrowing(format.cellSpacing())
        + columns * 2 * narrowing(format.border());
}

QVector<qreal> TextEditLengths::columnWidths(
    const QTextTableFormat& format, QVector<qreal> widths, qreal width)
{
    const QVector<QTextLength> set = format.columnWidthConstraints();
    QVector<int> shared;
    for (int column = 0; column < widths.size(); ++column) {
        if (column < set.size() && set.at(column).type() != QTextLength::VariableLength) {
            widths[column] = qMax(widths.at(column), setWidth(set.at(column).value(width)));
            width -= widths.at(column);
        } else {
            shared.append(column);
        }
    }
    // The widest first, each keeping its least width while that is more than a share.
    std::sort(shared.begin(), shared.end(),
        [&widths](int a, int b) { return widths.at(a) > widths.at(b); });
    auto it = shared.cbegin();
    for (; it != shared.cend() && widths.at(*it) > positive(width) / (shared.cend() - it); ++it)
        width -= widths.at(*it);
    for (const qreal share = positive(width) / qMax(1, int(shared.cend() - it));
         it != shared.cend(); ++it)
        widths[*it] = share;
    return widths;
}

qreal TextEditLengths::pictureHeight(const QSizeF& size)
{
    return std::isfinite(size.width()) && size.height() > -held ? positive(size.height())
                                                                : unbounded;
}
