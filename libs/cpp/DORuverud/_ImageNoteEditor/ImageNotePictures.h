#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Names of the annotation editor's pictures, relative to ":/". artgen paints
// exactly these.
namespace DORuverud::ImageNotePictures {

// The cursor of a tool mode, or empty for a mode that shows the arrow.
inline QString cursor(int mode)
{
    static const char* const names[] = {"Pen_cur.png", "Eraser_cur.png", "Highlighter_cur.png",
        "Rect_cur.png", "FilledRect_cur.png", "Blur_cur.png", "Oval_cur.png", nullptr,
        "Line_cur.png", "Arrow_cur.png", "Text_cur.png"};
    const bool named = mode >= 0 && mode < int(sizeof names / sizeof *names) && names[mode];
    return named ? QString::fromLatin1(names[mode]) : QString();
}

// Whether the pure blue parts of the mode's cursor take the pen colour.
inline bool cursorTinted(int mode)
{
    return !cursor(mode).isEmpty() && mode != 1 && mode != 5;
}

// The widths of the thickness menu, in pixels.
inline QList<int> thicknesses()
{
    return {1, 2, 3, 4, 5, 10, 15};
}

inline QString thicknessIcon(int width)
{
    return QStringLiteral("%1px.png").arg(width);
}

inline QString dashIcon()
{
    return QStringLiteral("dash.png");
}

// The glass sheen over the drag preview.
inline QString glass()
{
    return QStringLiteral("steklo.png");
}

inline QStringList all()
{
    QStringList names;
    for (int mode = 0; mode <= 10; ++mode) {
        if (!cursor(mode).isEmpty())
            names << cursor(mode);
    }
    for (int width : thicknesses())
        names << thicknessIcon(width);
    return names << dashIcon() << glass();
}

} // namespace DORuverud::ImageNotePictures
