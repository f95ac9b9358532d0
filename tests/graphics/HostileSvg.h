#pragma once

#include "../common/HostileHtml.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

// SVG drawings: ordinary ones that must be shown as Qt draws them, and ones
// made slow to read or draw, or to fill the memory, that the drawing
// process's limits must stop.
namespace HostileSvg {

// A side x side drawing of body.
inline QByteArray drawing(int side, const QByteArray& body, int height = 0)
{
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
           "width=\""
        + QByteArray::number(side) + "\" height=\"" + QByteArray::number(height ? height : side)
        + "\">" + body + "</svg>";
}

// A circle stroked wider than itself with short dashes: the dashes overlap
// at its middle, which the rasterizer takes long over.
inline QByteArray wideDashedCircle(int side = 4000)
{
    return drawing(side,
        "<circle cx=\"" + QByteArray::number(side / 2) + "\" cy=\"" + QByteArray::number(side / 2)
            + "\" r=\"" + QByteArray::number(side / 4)
            + "\" fill=\"none\" stroke=\"red\" stroke-width=\"" + QByteArray::number(side / 2)
            + "\" stroke-dasharray=\"3 3\"/>");
}

// Groups u1 to u<levels>, each showing the one before ten times, u0 a fill
// of the whole drawing composed soft-light: a small text, slow to draw.
inline QByteArray layeredFills(int levels = 3, int side = 1000)
{
    const QByteArray size = QByteArray::number(side);
    QByteArray body = "<defs><radialGradient id=\"g\"><stop offset=\"0\" stop-color=\"orange\"/>"
                      "<stop offset=\"1\" stop-color=\"navy\" stop-opacity=\"0.5\"/>"
                      "</radialGradient><g id=\"u0\"><rect width=\""
        + size + "\" height=\"" + size + "\" fill=\"url(#g)\" comp-op=\"soft-light\"/></g>";
    for (int i = 1; i <= levels; ++i)
        body += "<g id=\"u" + QByteArray::number(i) + "\">"
            + QByteArray("<use xlink:href=\"#u" + QByteArray::number(i - 1) + "\"/>").repeated(10)
            + "</g>";
    return drawing(
        side, body + "</defs><use xlink:href=\"#u" + QByteArray::number(levels) + "\"/>");
}

// count rectangles over the whole drawing, each filled with a translucent
// radial gradient.
inline QByteArray translucentGradients(int count, int side = 4000)
{
    const QByteArray size = QByteArray::number(side);
    return drawing(side,
        "<defs><radialGradient id=\"g\"><stop offset=\"0\" stop-color=\"red\" "
        "stop-opacity=\"0.5\"/><stop offset=\"1\" stop-color=\"blue\" "
        "stop-opacity=\"0.2\"/></radialGradient></defs>"
            + QByteArray("<rect width=\"" + size + "\" height=\"" + size + "\" fill=\"url(#g)\"/>")
                  .repeated(count));
}

// A group of 2000 large translucent circles named heavy and an empty one
// named light, and 100 uses whose href names the light one and whose
// xlink:href, which the renderer takes, the heavy one.
inline QByteArray usesNamingTwo()
{
    return drawing(2000,
        "<defs><g id=\"light\"/><g id=\"heavy\">" + HostileHtml::circleShapes(2000, 2000)
            + "</g></defs>"
            + QByteArray("<use xlink:href=\"#heavy\" href=\"#light\"/>").repeated(100));
}

// An image whose href embeds a small picture and whose xlink:href, which
// the renderer decodes, the picture given.
inline QByteArray imageNamingTwo(const QByteArray& picture, const QByteArray& small)
{
    return drawing(64,
        "<image width=\"64\" height=\"64\" xlink:href=\"data:image/png;base64," + picture.toBase64()
            + "\" href=\"data:image/png;base64," + small.toBase64() + "\"/>");
}

// 100 uses of the id "shown", given first to an empty group and then to a
// group of 2000 large translucent circles: the uses read before the second
// show the first, those after it the second.
inline QByteArray idGivenTwice()
{
    return drawing(2000,
        "<defs><g id=\"shown\"/></defs>" + QByteArray("<use xlink:href=\"#shown\"/>").repeated(50)
            + "<defs><g id=\"shown\">" + HostileHtml::circleShapes(2000, 2000) + "</g></defs>"
            + QByteArray("<use xlink:href=\"#shown\"/>").repeated(50));
}

// A style sheet of count rules that every one of count elements matches.
inline QByteArray styleForAll(int count)
{
    return drawing(100,
        "<style>" + QByteArray("rect { fill: red; stroke: blue }\n").repeated(count) + "</style>"
            + QByteArray("<rect width=\"1\" height=\"1\"/>").repeated(count));
}

// A style sheet of count empty rules between comments, which the renderer
// holds all of.
inline QByteArray manyStyleRules(int count)
{
    return drawing(64,
        "<style>" + QByteArray("/**/a{}").repeated(count)
            + "</style><rect width=\"64\" height=\"64\"/>");
}

// An xml-stylesheet instruction naming a file the renderer reads whole.
inline QByteArray styleFile(const QByteArray& path)
{
    return "<?xml-stylesheet type=\"text/css\" href=\"" + path + "\"?>"
        + drawing(64, "<rect width=\"64\" height=\"64\" fill=\"red\"/>");
}

// lines of text of 225 letters each.
inline QByteArray textLines(int lines)
{
    QByteArray body;
    for (int i = 0; i < lines; ++i)
        body += "<text x=\"0\" y=\"" + QByteArray::number(12 * (i + 1) % 2000)
            + "\" font-size=\"12\">"
            + QByteArray("The quick brown fox jumps over the lazy dog. ").repeated(5) + "</text>";
    return drawing(2000, body);
}

// paths of count teeth each, over the whole drawing: every row of pixels
// crosses all their edges.
inline QByteArray combs(int paths, int count, int side = 4000)
{
    QByteArray teeth;
    for (int i = 0; i < count; ++i)
        teeth += " L " + QByteArray::number(i * side / count) + " 0 L "
            + QByteArray::number(i * side / count + side / count / 2) + ' '
            + QByteArray::number(side);
    return drawing(side,
        QByteArray("<path d=\"M 0 " + QByteArray::number(side) + teeth + " Z\" fill=\"teal\"/>")
            .repeated(paths));
}

// An entity of letters letters, used uses times in one style attribute.
inline QByteArray entityInStyle(int letters = 3960, int uses = 20000)
{
    return "<!DOCTYPE svg [<!ENTITY s \"" + QByteArray("fill:red;").repeated(letters / 9) + "\">]>"
        + drawing(100,
            "<rect width=\"100\" height=\"100\" style=\"" + QByteArray("&s;").repeated(uses)
                + "\"/>");
}

// Text of uses references to an entity of letters letters.
inline QByteArray entityText(int letters = 4000, int uses = 200000)
{
    return "<!DOCTYPE svg [<!ENTITY t \"" + QByteArray(letters, 'x') + "\">]>"
        + drawing(100, "<text y=\"50\">" + QByteArray("&t;").repeated(uses) + "</text>");
}

// One element of count attributes, which the XML reader checks each against
// all before it.
inline QByteArray manyAttributes(int count = 60000)
{
    QByteArray attributes;
    for (int i = 0; i < count; ++i)
        attributes += " a" + QByteArray::number(i) + "=\"0\"";
    return drawing(100, "<rect width=\"100\" height=\"100\"" + attributes + "/>");
}

// selectors class rules, and elements of classes classes each.
inline QByteArray classLists(int selectors = 5000, int elements = 200, int classes = 1000)
{
    QByteArray rules;
    for (int i = 0; i < selectors; ++i)
        rules += ".c" + QByteArray::number(i) + " { fill: red }\n";
    QByteArray names;
    for (int i = 0; i < classes; ++i)
        names += (i ? " c" : "c") + QByteArray::number(i * 5);
    return drawing(100,
        "<style>" + rules + "</style>"
            + QByteArray("<rect width=\"1\" height=\"1\" class=\"" + names + "\"/>")
                  .repeated(elements));
}

// One gradient of count stops, filling the drawing.
inline QByteArray manyStops(int count = 90000, int side = 400)
{
    QByteArray stops;
    for (int i = 0; i < count; ++i)
        stops += "<stop offset=\"" + QByteArray::number(double(i) / count) + "\" stop-color=\"#"
            + QByteArray::number(0x100000 + i * 37 % 0xefffff, 16) + "\"/>";
    const QByteArray size = QByteArray::number(side);
    return drawing(side,
        "<defs><linearGradient id=\"g\">" + stops + "</linearGradient></defs><rect width=\"" + size
            + "\" height=\"" + size + "\" fill=\"url(#g)\"/>");
}

// count radial fills over the whole drawing, each composed soft-light over
// those below.
inline QByteArray compositionModes(int count = 400, int side = 2000)
{
    const QByteArray size = QByteArray::number(side);
    return drawing(side,
        "<defs><radialGradient id=\"r\"><stop offset=\"0\" stop-color=\"orange\"/>"
        "<stop offset=\"1\" stop-color=\"navy\"/></radialGradient></defs>"
            + QByteArray("<rect width=\"" + size + "\" height=\"" + size
                + "\" fill=\"url(#r)\" comp-op=\"soft-light\"/>")
                  .repeated(count));
}

// A 4 x 4 translucent picture drawn count times, each turned and enlarged.
inline QByteArray rotatedPictures(int count = 7000)
{
    QImage small(4, 4, QImage::Format_ARGB32);
    small.fill(QColor(40, 120, 200, 180));
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    small.save(&png, "PNG");
    QByteArray body;
    for (int i = 0; i < count; ++i)
        body += "<image width=\"800\" height=\"800\" opacity=\"0.5\" transform=\"rotate("
            + QByteArray::number(i % 360)
            + " 500 500) scale(1.2)\" xlink:href=\"data:image/png;base64," + png.data().toBase64()
            + "\"/>";
    return drawing(1000, body);
}

// A red square in depth drawings, each filling the one around it.
inline QByteArray nestedDrawings(int depth)
{
    return drawing(100,
        QByteArray("<svg viewBox=\"0 0 100 100\" width=\"100%\" height=\"100%\">").repeated(depth)
            + "<rect x=\"20\" y=\"20\" width=\"60\" height=\"60\" fill=\"red\"/>"
            + QByteArray("</svg>").repeated(depth));
}

// Ordinary drawings.

// A 16 x 16 icon of a dashed rectangle.
inline QByteArray dashedIcon()
{
    return drawing(16,
        "<rect x=\"2\" y=\"2\" width=\"12\" height=\"12\" fill=\"none\" stroke=\"#333\" "
        "stroke-dasharray=\"2 1\"/><rect x=\"5\" y=\"5\" width=\"6\" height=\"6\" fill=\"red\" "
        "stroke-dasharray=\"0\"/>");
}

// A 400 x 300 diagram: boxes joined by 20 dashed arrows, and their labels.
inline QByteArray dashedDiagram()
{
    QByteArray body = "<defs><marker id=\"arrow\"><path d=\"M0,0 L6,3 L0,6 z\"/></marker></defs>";
    for (int i = 0; i < 20; ++i) {
        const QByteArray x = QByteArray::number(20 + i * 18);
        body += "<rect x=\"" + x + "\" y=\"20\" width=\"14\" height=\"14\" fill=\"#cde\"/>"
            + "<line x1=\"" + x + "\" y1=\"34\" x2=\"" + QByteArray::number(380 - i * 18)
            + "\" y2=\"260\" stroke=\"#345\" stroke-width=\"1.5\" stroke-dasharray=\"4 2\" "
              "marker-end=\"url(#arrow)\"/>"
            + "<text x=\"" + x + "\" y=\"290\" font-size=\"10\">n" + QByteArray::number(i)
            + "</text>";
    }
    return drawing(400, body, 300);
}

// A drawing whose title and description speak of dash arrays.
inline QByteArray describedDashes()
{
    return drawing(64,
        "<title>stroke-dasharray: 4 2</title><desc>uses stroke-dasharray: 4 for the "
        "grid</desc><rect width=\"64\" height=\"64\" fill=\"green\"/>");
}

// An application icon: 256 x 256, paths of count short segments in all.
inline QByteArray detailedIcon(int count)
{
    QByteArray body;
    for (int path = 0; path < count / 100; ++path) {
        QByteArray d = "M " + QByteArray::number(128 + path % 50) + " 128";
        for (int i = 0; i < 100; ++i)
            d += " l " + QByteArray::number((i * 7 + path) % 11 - 5) + ' '
                + QByteArray::number((i * 5 + path) % 9 - 4);
        body += "<path d=\"" + d + " z\" fill=\"#" + QByteArray::number(0x202020 + path * 4099, 16)
            + "\" stroke=\"#000\" stroke-width=\"0.5\"/>";
    }
    return drawing(256, body);
}

} // namespace HostileSvg
