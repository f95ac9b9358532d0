#include "TextEditFloats.h"

#include <cmath>
#include <iterator>

TextEditFloats::TextEditFloats(qreal width, qreal enough, int listed)
    : m_width(qMax<qreal>(0, width))
    , m_enough(enough)
    , m_listed(listed)
{
    m_rooms.emplace(-unbounded, Room {0, m_width, unbounded});
}

// A float takes the room at its side of the first place with enough, over its
// height; the layout looks at every float to find the room, and once more for
// the float itself among them. Each room it takes counts a look too, as what
// this costs here.
void TextEditFloats::place(qreal width, qreal height, bool right)
{
    ++m_listed;
    const Rooms::iterator room = findPlace(qMin(width, m_width));
    const qreal y = qMax(m_y, room->first);
    look(2 * m_listed);
    const qreal bottom = y + height;
    if (!(height > 0) || !std::isfinite(bottom) || m_looks > m_enough)
        return;
    const qreal x = right ? room->second.right - width : room->second.left;
    const Rooms::iterator last = split(bottom);
    for (Rooms::iterator it = split(y); it != last; ++it) {
        Room& each = it->second;
        if (right)
            each.right = qMin(each.right, x);
        else
            each.left = qMax(each.left, x + width);
        each.bottom = qMin(each.bottom, bottom);
        look(1);
    }
}

// Each line looks at every float.
void TextEditFloats::text(qreal lines, qreal height)
{
    look(lines * m_listed);
    advance(height);
}

void TextEditFloats::advance(qreal height)
{
    if (height > 0)
        m_y += height;
}

void TextEditFloats::toTop()
{
    m_y = 0;
    m_looks = 0;
}

qreal TextEditFloats::looks() const
{
    return m_looks;
}

int TextEditFloats::listed() const
{
    return m_listed;
}

// Each place tried but the last looks at every float twice: for the room and
// for the nearest bottom. The places are tried until the looks pass enough;
// past it the count is refused anyway.
TextEditFloats::Rooms::iterator TextEditFloats::findPlace(qreal width)
{
    Rooms::iterator room = roomAt(m_y);
    while (room->second.right - room->second.left < width && room->second.bottom < unbounded
        && m_looks <= m_enough) {
        room = roomAt(room->second.bottom);
        look(2 * m_listed);
    }
    return room;
}

TextEditFloats::Rooms::iterator TextEditFloats::roomAt(qreal y)
{
    return std::prev(m_rooms.upper_bound(y));
}

// The room from that height on, split from the one above.
TextEditFloats::Rooms::iterator TextEditFloats::split(qreal y)
{
    const Rooms::iterator room = roomAt(y);
    return room->first == y ? room : m_rooms.emplace_hint(std::next(room), y, room->second);
}

void TextEditFloats::look(qreal looks)
{
    m_looks += looks;
}
