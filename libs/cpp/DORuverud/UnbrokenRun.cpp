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

} // namespace

int UnbrokenRun::longest(const QString& text)
{
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    int longest = 0;
    int start = 0;
    for (int end = breaks.toNextBoundary(); end > 0; end = breaks.toNextBoundary()) {
        int last = end;
        while (last > start && hangs(text.at(last - 1)))
            --last;
        longest = qMax(longest, last - start);
        start = end;
    }
    return longest;
}

QString UnbrokenRun::refusal()
{
    return tr("It holds more than %1 characters without a place to break the line, more than "
              "this editor can lay out.")
        .arg(maxLength);
}
