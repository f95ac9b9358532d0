#include "TablatureLayout.h"

#include "LargestFit.h"

#include <QFontMetrics>

#include <climits>

namespace VADirur {

namespace {

const QString digits = QStringLiteral("0123456789");
const QString letters = QStringLiteral("TAB");

int lowestLetter(const QFontMetrics& metrics)
{
    int height = INT_MAX;
    for (const QChar c : letters)
        height = qMin(height, metrics.tightBoundingRect(c).height());
    return height;
}

// The width of the letters' column: the widest letter's ink.
int columnWidth(const QFontMetrics& metrics)
{
    int width = 0;
    for (const QChar c : letters)
        width = qMax(width, metrics.tightBoundingRect(c).width());
    return width;
}

} // namespace

void TablatureLayout::lay(
    const QSize& size, int titleBottom, const QFont& font, const QVector<int>& tab)
{
    m_tab = tab;
    const QString key = QStringLiteral("%1 %2 %3 %4 %5")
                            .arg(size.width())
                            .arg(size.height())
                            .arg(titleBottom)
                            .arg(tab.size())
                            .arg(font.key());
    if (key != m_key) {
        m_key = key;
        m_size = size;
        m_titleBottom = titleBottom;
        m_margin = qMin(40, size.width() / 8);
        m_gap = qMax(2, size.height() / 40);
        m_spacing = (size.height() - 10) / (tab.size() + 1);
        m_numberFont = font;
        m_letterFont = font;
        // The largest number size, up to a seventh of the view's height, at
        // which every part fits.
        largestFit(size.height() / 7, [this](int n) { return fits(n); });
        place();
    }
    const QFontMetrics metrics(m_numberFont);
    m_numberInks.clear();
    for (int line = 1; line <= m_tab.size(); ++line)
        m_numberInks << metrics.tightBoundingRect(number(line)).translated(numberOrigin(line));
}

// The strings keep the spacing of (H - 10) / (n + 1) where the room below
// the title allows, and stand no further apart than twice a number's
// height, so that spare room goes around the tablature. A number leaves a
// quarter of the spacing clear to the next; two digits, a piece of line on
// either side and the letters fit right of the middle.
bool TablatureLayout::fits(int size)
{
    m_numberFont.setPixelSize(size);
    const QFontMetrics metrics(m_numberFont);
    const QRect ink = metrics.tightBoundingRect(digits);
    m_above = -ink.top();
    m_below = ink.bottom();
    const int height = ink.height();
    m_clear = qMax(2, height / 5);
    m_pen = qMax(1, height / 14);
    const int rows = qMax(1, m_tab.size() - 1);
    const int room = m_size.height() - 1 - 2 * m_gap - m_titleBottom - height;
    m_step = qMin(qMin(m_spacing, room / rows), 2 * height);
    if (room < 0 || height + qMax(2, m_step / 4) > m_step || !lettersFit(size, height))
        return false;
    return m_size.width() / 2 + metrics.horizontalAdvance(QStringLiteral("00")) + 3 * m_clear
        <= m_lineEnd;
}

// T, A and B stand as tall as the digits at least, a little larger with more
// strings, a third of the strings' span apart or further where they would
// touch, within the room below the title. The lines end half a letter's
// height before them.
bool TablatureLayout::lettersFit(int size, int digitsHeight)
{
    const int tall = m_size.height() - 1 - 2 * m_gap - m_titleBottom;
    const int span = qMax(0, m_tab.size() - 1) * m_step;
    int least = size;
    m_letterFont.setPixelSize(least);
    while (lowestLetter(QFontMetrics(m_letterFont)) < digitsHeight && least < 2 * size)
        m_letterFont.setPixelSize(++least);
    for (int letterSize = qMax(least, size + (10 * m_tab.size()) / 40); letterSize >= least;
         --letterSize) {
        m_letterFont.setPixelSize(letterSize);
        const QFontMetrics metrics(m_letterFont);
        const int height = metrics.tightBoundingRect(letters).height();
        m_letterPitch = qMax(span / 3, height + qMax(2, height / 4));
        if (2 * m_letterPitch + height + 2 > tall)
            continue;
        m_letterLeft = m_size.width() - m_margin - columnWidth(metrics);
        m_lineEnd = m_letterLeft - qMax(m_clear, height / 2);
        return true;
    }
    return false;
}

// The strings stand in the middle of the room below the title, the letters
// one above the other around their middle, each centred in their column.
void TablatureLayout::place()
{
    const int half = (m_above + m_below + 2) / 2;
    const int topMin = m_titleBottom + m_gap + half;
    const int bottomMax = m_size.height() - 1 - m_gap - half;
    const int span = qMax(0, m_tab.size() - 1) * m_step;
    m_top = topMin + qMax(0, bottomMax - topMin - span) / 2;

    const QFontMetrics metrics(m_letterFont);
    const QRect ink = metrics.tightBoundingRect(letters);
    const int width = columnWidth(metrics);
    for (int which = 0; which < letters.size(); ++which) {
        const QRect own = metrics.tightBoundingRect(letter(which));
        const int centre = m_top + span / 2 + (which - 1) * m_letterPitch;
        m_letterOrigins[which] = QPoint(m_letterLeft + (width - own.width()) / 2 - own.left(),
            centre + (-ink.top() - ink.bottom()) / 2);
    }
}

int TablatureLayout::pen() const
{
    return m_pen;
}

int TablatureLayout::stringY(int line) const
{
    return m_top + (line - 1) * m_step;
}

QVector<QLine> TablatureLayout::stringPieces(int line) const
{
    const int y = stringY(line);
    QVector<QLine> pieces;
    int from = m_margin;
    if (!number(line).isEmpty()) {
        const QRect& ink = m_numberInks.at(line - 1);
        pieces << QLine(from, y, ink.left() - m_clear, y);
        from = ink.right() + m_clear;
    }
    pieces << QLine(from, y, m_lineEnd, y);
    return pieces;
}

QLine TablatureLayout::bar(int which) const
{
    const int x = m_margin + which * qMax(4, 3 * m_pen);
    return QLine(x, stringY(1), x, stringY(m_tab.size()));
}

QFont TablatureLayout::numberFont() const
{
    return m_numberFont;
}

// Line 1 carries the last fingering value.
QString TablatureLayout::number(int line) const
{
    const int value = m_tab.value(m_tab.size() - line, -1);
    return value >= 0 ? QString::number(value) : QString();
}

// The number's ink is centred on its line.
QPoint TablatureLayout::numberOrigin(int line) const
{
    return QPoint(m_size.width() / 2, stringY(line) + (m_above - m_below) / 2);
}

QFont TablatureLayout::letterFont() const
{
    return m_letterFont;
}

QString TablatureLayout::letter(int which)
{
    return letters.mid(which, 1);
}

QPoint TablatureLayout::letterOrigin(int which) const
{
    return m_letterOrigins[which];
}

} // namespace VADirur
