#pragma once

#include <QtGlobal>
#include <limits>
#include <map>

// Where Qt's text layout places the floating pictures and tables of one frame
// or table cell, and how often it looks at a float to do so, for
// TextEditHeight. The layout places a float at the first place from its line
// down where the floats beside leave it room, looking at every float of the
// frame for the room and again for the nearest bottom below, the next place it
// tries; and it looks at every float for each line of text. So floats one
// above another cost it each float's place squared, and floats side by side
// as many rows as there are above. Text moves the place of later floats down
// by its least height; never below the floats, since in a wider text area it
// stands beside them while they stand one above another as in the narrowest
// (1,000 paragraphs of a picture 700 pixels wide and two words took 0.14 s at
// 400 pixels, 7 s at 784): the place told is no lower than the layout's at any
// width, so that no place it tries is missed.
class TextEditFloats
{
public:
    static constexpr qreal unbounded = std::numeric_limits<qreal>::infinity();

    // Floats placed within that width, among as many the layout looks at
    // already (in the other cells of a table); places tried only until the
    // looks counted pass enough.
    explicit TextEditFloats(qreal width, qreal enough = unbounded, int listed = 0);

    // A float of that size at the left or the right, anchored at the place.
    void place(qreal width, qreal height, bool right);
    // Text of that many lines at the place, and the least height they take.
    void text(qreal lines, qreal height);
    // What moves the place down without regard to the floats beside.
    void advance(qreal height);
    // The place back at the top, the floats kept and the looks counted
    // anew: where a paste may stand.
    void toTop();
    qreal looks() const;
    // The floats the layout looks at.
    int listed() const;

private:
    // The room between the floats over a stretch of height, and the nearest
    // bottom of those floats.
    struct Room
    {
        qreal left;
        qreal right;
        qreal bottom;
    };
    using Rooms = std::map<qreal, Room>;

    // The room of the first place from the place down with room for the width.
    Rooms::iterator findPlace(qreal width);
    Rooms::iterator roomAt(qreal y);
    Rooms::iterator split(qreal y);
    void look(qreal looks);

    const qreal m_width;
    const qreal m_enough;
    // The room from each height on, down to the next.
    Rooms m_rooms;
    qreal m_y = 0;
    qreal m_looks = 0;
    int m_listed;
};
