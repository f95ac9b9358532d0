#include "TextEditLines.h"

#include <cmath>

TextEditLines::TextEditLines(qreal width)
    : m_width(qMax<qreal>(1, width))
{
}

void TextEditLines::add(qreal advance, int letters, bool floating)
{
    m_advance += advance;
    m_inLine += floating ? 0 : advance;
    m_letters += letters;
}

void TextEditLines::breakLine()
{
    m_lines += stretchLines();
    m_least += leastLines();
    m_advance = 0;
    m_inLine = 0;
    m_letters = 0;
}

qreal TextEditLines::count() const
{
    return m_lines + stretchLines();
}

qreal TextEditLines::least() const
{
    return m_least + leastLines();
}

qreal TextEditLines::stretchLines() const
{
    if (m_advance <= m_width)
        return 1;
    return qMin<qreal>(m_letters, 1 + std::floor(2 * m_advance / m_width));
}

qreal TextEditLines::leastLines() const
{
    return qMin<qreal>(std::ceil(m_inLine / m_width), m_letters);
}
