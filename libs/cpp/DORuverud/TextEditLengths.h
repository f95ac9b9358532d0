#pragma once

#include <QSizeF>
#include <QTextFormat>
#include <QVector>
#include <limits>

class QTextTableCell;

// The lengths of a document's formats as Qt's text layout reads them, for
// TextEditHeight. The layout holds lengths in 26.6 fixed point, up to 2^25
// pixels, and wraps past it; it places frames, rows and lines by margins,
// borders, spacing and line heights below zero too, but takes no padding
// below zero and never widens a line by a margin below zero.
class TextEditLengths
{
public:
    // The longest length read as it is: a few of them add up clear of the wrap.
    static constexpr qreal held = 1 << 23;
    // The longest step up: a frame that one length moves 100,000 pixels or
    // more above the top of the table cell it stands in stalls the layout.
    static constexpr qreal maxStepUp = 1 << 16;
    static constexpr qreal unbounded = std::numeric_limits<qreal>::infinity();

    static qreal positive(qreal value);
    // What a length takes of a line's width: no more than it is and nothing
    // below zero; unbounded, leaving the narrowest line, when the layout
    // cannot hold it or it is no number.
    static qreal narrowing(qreal length);
    // How far a length may move what follows it, up or down; unbounded when
    // it is no number or moves it up more than maxStepUp.
    static qreal travel(qreal length);
    // A width a format sets, in pixels; 0, the narrowest, for one below zero
    // or beyond what the layout holds, as the layout then gives what it sets
    // only what its content takes at least.
    static qreal setWidth(qreal width);
    // The height of the paragraph's lines whose letters are that tall, up or down.
    static qreal spacedLineHeight(const QTextBlockFormat& format, qreal height);
    // What a frame adds above and below its content, and beside it.
    static qreal frameRim(const QTextFrameFormat& format);
    static qreal frameSides(const QTextFrameFormat& format);
    // The width a frame takes of the width there: the one its format sets, else all.
    static qreal frameWidth(const QTextFrameFormat& format, qreal width);
    // What a cell's padding adds above and below its content, and beside it.
    static qreal cellRim(const QTextTableFormat& table, const QTextTableCell& cell);
    static qreal cellSides(const QTextTableFormat& table, const QTextTableCell& cell);
    // The gaps a table leaves between its columns and beside them.
    static qreal cellGaps(const QTextTableFormat& format, int columns);
    // The width of each column as the layout gives it, from the least width
    // each takes: a column the table's format sets takes the width set, the
    // others share what is left equally, and none takes less than its least,
    // even where the table then grows past the width there.
    static QVector<qreal> columnWidths(
        const QTextTableFormat& format, QVector<qreal> least, qreal width);
    // A picture's height as its line takes it: none below zero, as the line
    // keeps the height of its text; unbounded when the layout cannot hold it.
    static qreal pictureHeight(const QSizeF& size);

private:
    static qreal cellPadding(
        const QTextTableFormat& table, const QTextTableCell& cell, QTextFormat::Property side);
};
