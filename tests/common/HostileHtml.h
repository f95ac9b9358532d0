#pragma once

#include <QByteArray>

// HTML whose layout work grows fast with its size, for the rich-text reader's bounds.
namespace HostileHtml {

inline QByteArray repeated(const QByteArray& part, int count)
{
    return part.repeated(count);
}

// depth tables, each in the one cell of the table around it, holding an "x".
inline QByteArray nestedTables(int depth)
{
    return repeated("<table><tr><td>", depth) + "x" + repeated("</td></tr></table>", depth);
}

// rows x columns cells, each holding a "c".
inline QByteArray table(int rows, int columns)
{
    return "<table>" + repeated("<tr>" + repeated("<td>c</td>", columns) + "</tr>", rows)
        + "</table>";
}

} // namespace HostileHtml
