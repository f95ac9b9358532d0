#include "TablatureLayout.h"

#include <QFontMetrics>

#include <algorithm>

namespace VADirur {

namespace {

const QString digits = QStringLiteral("0123456789");
const QString letters = QStringLiteral("TAB");

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
        seekSize();
        place();
    }
    const QFontMetrics metrics(m_numberFont);
    m_numberInks.clear();
    for (int line = 1; line <= m_tab.size(); ++line)
        m_numberInks << metrics.tightBoundingRect(number(line)).translated(numberOrigin(line));
}

// The largest number size, up to a seventh of the view's height, at which
// every part fits.
void TablatureLayout::seekSize()
{
    int low = 1;
    int high = qMax(1, m_size.height() / 7);
    if (fits(high))
        return;
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle;
    }
    fits(low);
}

// The strings keep the spacing of (H - 10) / (n + 1) where the room below
// the title allows, and stand no further apart than twice a number's
// height, so that spare room goes around the tablature. A number leaves a
// quarter of the spacing clear to the next; two digits and the letters fit
// side by side right of the middle.
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
    m_letterFont.setPixelSize(letterSize(size));
    const QFontMetrics letterMetrics(m_letterFont);
    int letterWidth = 0;
    for (const QChar c : letters)
        letterWidth = qMax(letterWidth, letterMetrics.horizontalAdvance(c));
    const int across = m_size.width() / 2 + metrics.horizontalAdvance(QStringLiteral("00"))
        + 2 * m_clear + letterWidth;
    return room >= 0 && height + qMax(2, m_step / 4) <= m_step
        && across <= m_size.width() - m_margin;
}

// T, A and B keep the size the numbers give them, a little larger with more
// strings, and stand apart from each other over the strings' span.
int TablatureLayout::letterSize(int size) const
{
    QFont font(m_letterFont);
    int letterSize = size + (10 * m_tab.size()) / 40;
    font.setPixelSize(letterSize);
    const int room = qMax(1, m_tab.size() - 1) * m_step / 3 - 2 * m_clear - m_pen;
    const int height = QFontMetrics(font).tightBoundingRect(letters).height();
    if (height <= room)
        return letterSize;
    letterSize = qMax(1, letterSize * qMax(room, 0) / qMax(height, 1));
    font.setPixelSize(letterSize);
    while (letterSize > 1 && QFontMetrics(font).tightBoundingRect(letters).height() > room)
        font.setPixelSize(--letterSize);
    return letterSize;
}

// The strings stand in the middle of the room below the title. The letters
// end at the strings' right end, a third of the strings' span apart, A in the
// middle.
void TablatureLayout::place()
{
    const int half = (m_above + m_below + 2) / 2;
    const int topMin = m_titleBottom + m_gap + half;
    const int bottomMax = m_size.height() - 1 - m_gap - half;
    const int span = qMax(0, m_tab.size() - 1) * m_step;
    m_top = topMin + qMax(0, bottomMax - topMin - span) / 2;

    const QFontMetrics metrics(m_letterFont);
    const QRect ink = metrics.tightBoundingRect(letters);
    for (int which = 0; which < letters.size(); ++which) {
        const int centre = m_top + span / 2 + (which - 1) * span / 3;
        const QPoint origin(m_size.width() - m_margin - metrics.horizontalAdvance(letter(which)),
            centre + (-ink.top() - ink.bottom()) / 2);
        m_letterOrigins[which] = origin;
        m_letterInks[which] = metrics.tightBoundingRect(letter(which)).translated(origin);
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

// A piece shorter than the clearance would be a speck beside a letter.
QVector<QLine> TablatureLayout::stringPieces(int line) const
{
    const int y = stringY(line);
    QVector<QRect> cleared;
    if (!number(line).isEmpty())
        cleared << m_numberInks.at(line - 1);
    for (const QRect& ink : m_letterInks) {
        if (ink.top() - m_clear <= y + m_pen && ink.bottom() + m_clear >= y - m_pen)
            cleared << ink;
    }
    std::sort(cleared.begin(), cleared.end(),
        [](const QRect& a, const QRect& b) { return a.left() < b.left(); });
    QVector<QLine> pieces;
    int from = m_margin;
    for (const QRect& ink : cleared) {
        if (ink.left() - m_clear - from >= m_clear)
            pieces << QLine(from, y, ink.left() - m_clear, y);
        from = qMax(from, ink.right() + m_clear);
    }
    const int end = m_size.width() - m_margin;
    if (end - from >= m_clear)
        pieces << QLine(from, y, end, y);
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
