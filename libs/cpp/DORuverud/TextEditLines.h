#pragma once

#include <QtGlobal>

// The lines a paragraph's text fills at a width, for TextEditHeight: each
// stretch between two line breaks one line, or when it is wider than that, up
// to twice its width over the line's, since a line wraps before a word that
// does not fit, but no more than a line for each letter. At least it fills
// its width over the line's, floating pictures left out: a line of them alone
// takes no height of its own, and they stand one above another beside it.
class TextEditLines
{
public:
    explicit TextEditLines(qreal width);

    // Letters or pictures as wide as the advance; floating pictures are
    // counted as though they stood in the line, but not among the least.
    void add(qreal advance, int letters = 1, bool floating = false);
    void breakLine();
    qreal count() const;
    qreal least() const;

private:
    qreal stretchLines() const;
    qreal leastLines() const;

    const qreal m_width;
    qreal m_lines = 0;
    qreal m_least = 0;
    qreal m_advance = 0;
    qreal m_inLine = 0;
    qreal m_letters = 0;
};
