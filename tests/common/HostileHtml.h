#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

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

// count pictures floating at that side in one paragraph; each 700 pixels
// wide, so that they stand one above another and the layout steps past each
// to place the next, or as wide as given.
inline QByteArray floatingPictures(
    int count, int width = 700, int height = 40, const QByteArray& side = "left")
{
    return "<p>"
        + repeated("<img src=\"a.png\" width=\"" + QByteArray::number(width) + "\" height=\""
                + QByteArray::number(height) + "\" align=\"" + side + "\">",
            count)
        + "</p>";
}

// Small pictures floating at the left in one paragraph, their heights from 16
// pixels up in turn, so that hardly two end at one height: the layout steps
// past each one above to place the next, as though they stood one above
// another.
inline QByteArray picturesOfHeightsInTurn(int count, int heights)
{
    QByteArray html = "<p>";
    for (int i = 0; i < count; ++i)
        html += "<img src=\"a.png\" width=\"16\" height=\"" + QByteArray::number(16 + i % heights)
            + "\" align=\"left\">";
    return html + "</p>";
}

// A picture shown by an img, named by a data URL: its bytes in base64.
inline QByteArray dataPicture(const QByteArray& type, const QByteArray& picture)
{
    return "<p><img src=\"data:" + type + ";base64," + picture.toBase64() + "\"></p>";
}

// count large translucent circles spread over side x side.
inline QByteArray circleShapes(int side, int count)
{
    QByteArray shapes;
    for (int i = 0; i < count; ++i)
        shapes += "<circle cx=\"" + QByteArray::number(i * 7919 % side) + "\" cy=\""
            + QByteArray::number(i * 104729 % side) + "\" r=\"" + QByteArray::number(side / 2)
            + "\" fill=\"red\" fill-opacity=\"0.1\"/>";
    return shapes;
}

// A side x side SVG of count large translucent circles: cheap to hold, slow to
// draw.
inline QByteArray svgCircles(int side, int count)
{
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + QByteArray::number(side)
        + "\" height=\"" + QByteArray::number(side) + "\">" + circleShapes(side, count) + "</svg>";
}

// A table of count cells in rows of 100, each with a background picture of its
// own: an 8 x 8 PNG as a data URL.
inline QByteArray backgroundCells(int count)
{
    QByteArray html = "<table>";
    for (int i = 0; i < count; ++i) {
        if (i % 100 == 0)
            html += "<tr>";
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(QColor::fromRgb(QRgb(i)));
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        picture.save(&png, "PNG");
        html += "<td background=\"data:image/png;base64," + png.data().toBase64() + "\">c</td>";
    }
    return html + "</table>";
}

} // namespace HostileHtml
