#include "KeyboardLayout.h"

#include "TablatureLayout.h"

#include <QFontMetrics>

#include <climits>

namespace VADirur {

namespace {

constexpr int whiteCount = 14;
// The most strings a tablature of the pages has: its digits are the smallest.
constexpr int mostStrings = 6;
const QString digits = QStringLiteral("0123456789");
const QString letters = QStringLiteral("ABCDEFG");
// Every mark a name may carry, for the height of the names' row.
const QString nameMarks = QStringLiteral("ABCDEFG\u266F\u266D");
// The place of each pitch class from C among the white keys, -1 for a black key.
constexpr int whitePlace[12] = {0, -1, 1, -1, 2, 3, -1, 4, -1, 5, -1, 6};

int lowestLetter(const QFont& font)
{
    const QFontMetrics metrics(font);
    int height = INT_MAX;
    for (const QChar c : letters)
        height = qMin(height, metrics.tightBoundingRect(c).height());
    return height;
}

// The white keys left of a key; a black key stands on the line after them.
int whitesBefore(int key)
{
    int whites = key / 12 * 7;
    for (int pitch = 0; pitch < key % 12; ++pitch)
        whites += whitePlace[pitch] >= 0 ? 1 : 0;
    return whites;
}

} // namespace

void KeyboardLayout::lay(
    const QSize& size, int titleBottom, const QFont& font, const QVector<Name>& names)
{
    const QString key = QStringLiteral("%1 %2 %3 %4")
                            .arg(size.width())
                            .arg(size.height())
                            .arg(titleBottom)
                            .arg(font.key());
    if (key != m_key) {
        m_key = key;
        m_size = size;
        m_titleBottom = titleBottom;
        fitFont(font);
        place();
    }
    placeNames(names);
}

// From the digits' size up to where every letter is as tall as the digits.
void KeyboardLayout::fitFont(const QFont& font)
{
    TablatureLayout tablature;
    tablature.lay(m_size, m_titleBottom, font, QVector<int>(mostStrings, 0));
    const QFont numbers = tablature.numberFont();
    const int digitsHeight = QFontMetrics(numbers).tightBoundingRect(digits).height();
    m_labelFont = font;
    m_nameFont = font;
    m_nameFont.setBold(true);
    int size = numbers.pixelSize();
    do {
        m_labelFont.setPixelSize(size);
        m_nameFont.setPixelSize(size);
    } while (qMin(lowestLetter(m_labelFont), lowestLetter(m_nameFont)) < digitsHeight
        && ++size <= 2 * numbers.pixelSize());
}

// The labels, the keys and the names one under the other, a gap apart, in
// the middle of the room below the title.
void KeyboardLayout::place()
{
    m_gap = qMax(2, m_size.height() / 40);
    const QFontMetrics labelMetrics(m_labelFont);
    const QRect labelInk = labelMetrics.tightBoundingRect(label(0) + label(1));
    const QRect nameInk = QFontMetrics(m_nameFont).tightBoundingRect(nameMarks);
    const int roomTop = m_titleBottom + m_gap;
    const int room = m_size.height() - m_gap - roomTop;
    const int around = labelInk.height() + nameInk.height() + 2 * m_gap;
    int high = room - around;
    m_white = qMax(1, qMin((m_size.width() - 2 * m_gap - 1) / whiteCount, high / 3));
    high = qBound(1, high, 5 * m_white);
    m_pen = qMax(1, m_white / 24);
    // Room the keys leave over holds a second row, for names too wide for one.
    m_nameStep = nameInk.height() + m_gap;
    const int spare = room - around - high;
    m_nameRows = spare >= m_nameStep ? 2 : 1;
    const int top = roomTop + qMax(0, spare - (m_nameRows - 1) * m_nameStep) / 2;
    m_board = QRect((m_size.width() - whiteCount * m_white) / 2, top + labelInk.height() + m_gap,
        whiteCount * m_white + 1, high);
    for (int which = 0; which < 2; ++which) {
        const QRect own = labelMetrics.tightBoundingRect(label(which));
        m_labelOrigins[which]
            = QPoint(m_board.left() + which * 7 * m_white - own.left(), top - labelInk.top());
    }
    m_namesBaseline = m_board.bottom() + m_gap + 1 - nameInk.top();
}

// The names' ink boxes in one row: each under the middle of its key, then
// moved right of the one before where they would stand closer than half a
// letter, and left where the row would pass the view's edge.
QVector<QRect> KeyboardLayout::row(const QVector<Name>& names) const
{
    const QFontMetrics metrics(m_nameFont);
    const int apart = qMax(m_gap, metrics.tightBoundingRect(QStringLiteral("E")).height() / 2);
    QVector<QRect> inks;
    for (const Name& name : names) {
        const QRect ink = metrics.tightBoundingRect(name.text);
        QRect box(keyRect(name.key).center().x() - ink.width() / 2, 0, ink.width(), 1);
        box.moveLeft(qMax(box.left(), m_gap));
        if (!inks.isEmpty())
            box.moveLeft(qMax(box.left(), inks.last().right() + 1 + apart));
        inks << box;
    }
    int limit = m_size.width() - 1 - m_gap;
    for (int i = inks.size() - 1; i >= 0; --i) {
        if (inks.at(i).right() > limit)
            inks[i].moveRight(limit);
        limit = inks.at(i).left() - 1 - apart;
    }
    return inks;
}

// One row where the names fit, else every other name in the second row.
void KeyboardLayout::placeNames(const QVector<Name>& names)
{
    QVector<QRect> inks = row(names);
    const bool split = m_nameRows > 1 && !inks.isEmpty() && inks.first().left() < m_gap;
    if (split) {
        QVector<Name> halves[2];
        for (int i = 0; i < names.size(); ++i)
            halves[i % 2] << names.at(i);
        const QVector<QRect> rows[2] = {row(halves[0]), row(halves[1])};
        for (int i = 0; i < names.size(); ++i)
            inks[i] = rows[i % 2].at(i / 2);
    }
    const QFontMetrics metrics(m_nameFont);
    m_nameOrigins.clear();
    for (int i = 0; i < names.size(); ++i)
        m_nameOrigins << QPoint(
            inks.at(i).left() - metrics.tightBoundingRect(names.at(i).text).left(),
            m_namesBaseline + (split ? i % 2 : 0) * m_nameStep);
}

bool KeyboardLayout::isBlack(int key)
{
    return whitePlace[((key % 12) + 12) % 12] < 0;
}

int KeyboardLayout::pen() const
{
    return m_pen;
}

// A white key reaches onto its right neighbour's edge, so that two keys
// share one outline.
QRect KeyboardLayout::keyRect(int key) const
{
    const int x = m_board.left() + whitesBefore(key) * m_white;
    if (!isBlack(key))
        return QRect(x, m_board.top(), m_white + 1, m_board.height());
    const int width = qMax(3, m_white * 3 / 5);
    return QRect(x - width / 2, m_board.top(), width, m_board.height() * 5 / 8);
}

// On a white key below the black ones, on a black key near its end.
QRect KeyboardLayout::dotRect(int key) const
{
    const QRect rect = keyRect(key);
    const int across = isBlack(key) ? rect.width() * 3 / 4 : m_white * 3 / 5;
    const int size = qMax(3, qMin(across, rect.height() / 3));
    const int black = m_board.height() * 5 / 8;
    const int middle = isBlack(key) ? rect.bottom() - rect.width() / 2
                                    : m_board.top() + (black + m_board.height()) / 2;
    return QRect(rect.center().x() - size / 2, middle - size / 2, size, size);
}

QFont KeyboardLayout::labelFont() const
{
    return m_labelFont;
}

QString KeyboardLayout::label(int which)
{
    return which == 0 ? QStringLiteral("C3") : QStringLiteral("C4");
}

QPoint KeyboardLayout::labelOrigin(int which) const
{
    return m_labelOrigins[which];
}

QFont KeyboardLayout::nameFont() const
{
    return m_nameFont;
}

QPoint KeyboardLayout::nameOrigin(int i) const
{
    return m_nameOrigins.value(i);
}

} // namespace VADirur
