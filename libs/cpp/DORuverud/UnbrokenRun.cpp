#include "UnbrokenRun.h"

#include <QTextBoundaryFinder>

namespace {

// White space that a line ends in, line breaks among it; not the no-break
// spaces, which the layout breaks like letters.
bool hangs(QChar c)
{
    const ushort u = c.unicode();
    return c.isSpace() && u != 0xa0 && u != 0x2007 && u != 0x202f;
}

// Where the layout always ends a line: a paragraph's end, or a line break
// inside one.
bool endsLine(QChar c)
{
    const ushort u = c.unicode();
    return u == '\n' || u == '\r' || u == QChar::ParagraphSeparator || u == QChar::LineSeparator;
}

// The longest run of the line, whose places to break the finder tells.
int longestIn(const QChar* line, int length)
{
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, line, length);
    int longest = 0;
    int start = 0;
    for (int end = breaks.toNextBoundary(); end > 0; end = breaks.toNextBoundary()) {
        int last = end;
        while (last > start && hangs(line[last - 1]))
            --last;
        longest = qMax(longest, last - start);
        start = end;
    }
    return longest;
}

} // namespace

// Line by line, since Qt's finder puts no break after a line feed that
// follows a digit ("a1\n2\n" breaks only at its end).
int UnbrokenRun::longest(const QString& text)
{
    int longest = 0;
    int start = 0;
    for (int at = 0; at <= text.size(); ++at) {
        if (at < text.size() && !endsLine(text.at(at)))
            continue;
        if (at - start > longest)
            longest = qMax(longest, longestIn(text.constData() + start, at - start));
        start = at + 1;
    }
    return longest;
}

QString UnbrokenRun::refusal()
{
    return tr("It holds more than %1 characters without a place to break the line, more than "
              "this editor can lay out.")
        .arg(maxLength);
}
