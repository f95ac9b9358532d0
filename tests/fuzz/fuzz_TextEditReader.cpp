// clang-format off
// libFuzzer target for the rich-text editor's file reader; not part of the test suite.
// Build and run by hand from the repository root (moc only when the document
// declares signals):
//   moc libs/cpp/DORuverud/TextEditDocument.h -o /tmp/moc_TextEditDocument.cpp
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Gui Qt5Svg) -Ilibs/cpp/DORuverud -Ilibs/cpp/graphics -Ilibs/cpp/helperhost -Ilibs/cpp/ZAruri \
//     tests/fuzz/fuzz_TextEditReader.cpp libs/cpp/DORuverud/TextEditReader.cpp \
//     libs/cpp/DORuverud/PlainTextForm.cpp libs/cpp/DORuverud/TextEncoding.cpp \
//     libs/cpp/DORuverud/HtmlEncoding.cpp \
//     libs/cpp/DORuverud/TextEditDocument.cpp /tmp/moc_TextEditDocument.cpp \
//     libs/cpp/DORuverud/UnbrokenRun.cpp libs/cpp/DORuverud/InsertionParagraph.cpp \
//     libs/cpp/DORuverud/PageRequest.cpp libs/cpp/DORuverud/PageTrial.cpp libs/cpp/DORuverud/PasteTarget.cpp \
//     libs/cpp/DORuverud/LayoutThread.cpp \
//     libs/cpp/graphics/PictureReader.cpp libs/cpp/graphics/JpegHeader.cpp \
//     libs/cpp/graphics/PictureCost.cpp libs/cpp/graphics/SvgRequest.cpp libs/cpp/helperhost/HelperChannel.cpp libs/cpp/helperhost/HelperProcess.cpp libs/cpp/helperhost/HelperMessage.cpp libs/cpp/helperhost/MemoryFile.cpp libs/cpp/helperhost/HelperSandbox.cpp libs/cpp/helperhost/HelperErrors.cpp libs/cpp/helperhost/ProcessWatch.cpp \
//     libs/cpp/helperhost/HelperFolder.cpp libs/cpp/helperhost/HelperLimits.cpp libs/cpp/helperhost/HelperSpare.cpp libs/cpp/helperhost/HelperTemplates.cpp libs/cpp/helperhost/HelperTree.cpp libs/cpp/helperhost/LandlockRules.cpp \
//     libs/cpp/graphics/SvgCanvas.cpp libs/cpp/graphics/SvgClient.cpp libs/cpp/graphics/SvgFailures.cpp libs/cpp/graphics/SvgClientPool.cpp libs/cpp/graphics/SvgStage.cpp \
//     libs/cpp/ZAruri/Trace.cpp \
//     $(pkg-config --libs Qt5Gui Qt5Svg libjpeg zlib fontconfig) -o /tmp/fuzz_TextEditReader
// Seeds, the hostile cases among them (a stray ">" before a picture 80,000,000
// pixels high, lengths of -1e308 on pictures and tables with an indent, a
// list of 9,000 items, nested tables and elements, a zip header,
// zero bytes, UTF-16 without a byte-order mark, an unbroken run, an SVG slow to
// draw, 1,001 cell backgrounds, more lines than the bound as line feeds, line
// separators, paragraphs, preformatted text and line feeds by reference, texts
// taller than the bound by their fonts, wrapped words, margins, line heights,
// a picture's height and tables' padding, 3,000 fonts, a cell spanning 20,000
// columns above 50 rows, in a table and outside one; lengths that are no
// number, infinite, huge or below zero in pictures, cells, margins, indents,
// spacing, borders, frames and line heights, a frame moved far above the top
// of its cell, a picture squeezing the column beside it, a long paragraph
// after a large letter, 1,000 floating pictures one above another, side by
// side, of heights in turn, in a table cell and a paragraph each, and 2,000
// floating tables), a table's height set far up or down, a list of 12,000
// items (closing lists of another kind, or as preformatted lines) and 10 of
// 1,000, line ends of every kind, rows of numbers, HTML without a charset,
// text holding tags that is no page, pages told by their beginning, and pages
// whose charset the prescan must tell (another charset named in a script and
// in text, UTF-16 and ISO-8859-1 labels, HZ, ISO-2022-KR, the replacement
// encoding, a stray byte in UTF-8, <meta> elements in comments, attributes
// and pragmas; and pages bare Qt shows at once: a cell spanning 65,535
// columns, a margin, borders and indents of 1e9, one picture used 1,200 times,
// definitions nested 1,200 deep):
//   mkdir -p /tmp/seeds_text && (cd /tmp/seeds_text && python3 -c '
//   seeds = {"html": "<h1>Notes</h1><p>Play <b>slowly</b>.</p><ol><li>Am7<li>D7</ol>",
//     "text": "keep\0lost", "zip": "PK\3\4\24\0\0\0", "binary": "\x7fELF\2\1\1\0",
//     "utf16": "Gr\xfc\xdfe aus dem Notenheft\n".encode("utf-16-le").decode("latin-1"),
//     "tables": "<table><tr><td>" * 16 + "x", "divs": "<div>" * 1001,
//     "wide": "<table>" + "<tr>" + "<td>" * 100 + "</table>",
//     "line": "x" * 40000, "words": "word " * 8000, "pictures": "<p>" + "<img>" * 1001,
//     "resources": "<link rel=stylesheet type=text/css href=/dev/zero><img src=/dev/zero>",
//     "short": "abc\0def\n", "cr": "one\rtwo\r",
//     "crlf": "Am7\xa0D7\r\nGmaj7\r\n".encode().decode("latin-1"),
//     "mixed": "one\r\ntwo\nthree\rfour\n\r\u2029five\u2028six".encode().decode("latin-1"),
//     "utf8html": "<p>caf\xe9 \u20ac5</p>".encode().decode("latin-1"),
//     "feeds": "\n" * 600000, "separators": "\u2028".encode().decode("latin-1") * 300000,
//     "paragraphs": "<p>x" * 300000, "pre": "<pre>" + "\n" * 600000 + "</pre>",
//     "prerefs": "<pre>" + "&#10;" * 600000, "tall": "<p style=\"font-size:1000px\">" + "x<br>" * 9000,
//     "wrapped": "<p style=\"font-size:1000px\">" + "x " * 30000,
//     "margins": "<p style=\"margin-top:10000px\">x</p>" * 900,
//     "lineheights": "<p style=\"line-height:100000%\">x<br>x</p>" * 400,
//     "tallpicture": "<p><img src=\"a.png\" height=9000000></p>",
//     "padding": "<table cellpadding=400000><tr><td>" * 12 + "x",
//     "span": "<table><tr><td colspan=20000>x" + "<tr><td>y" * 50,
//     "orphancells": "<tr><td colspan=20000>x" + "<tr><td>y" * 50,
//     "fonts": "".join("<p style=\"font-family:f%d\">x</p>" % i for i in range(3000)),
//     "koi8": ("<meta name=a content=b><script>s=\"charset=\x27koi8-r\x27\"</script>"
//       + "<p>caf\xe9 \u20ac5</p><p>Put charset=\x27koi8-r\x27 in old pages</p>").encode().decode("latin-1"),
//     "utf16label": "<meta http-equiv=Content-Type content=\"text/html; charset=utf-16\"><p>&ldquo;q&rdquo;",
//     "latin1label": "<meta charset=iso-8859-1><p>caf\xe9 \x805 \x93q\x94</p>",
//     "replacement": "<meta charset=replacement><p>words</p>",
//     "hz": "<meta charset=hz-gb-2312><p>~{VPND~} text</p>",
//     "iso2022kr": "\x1b$)C<meta charset=iso-2022-kr><p>\x0e>H3g\x0f hello</p>",
//     "stray": "<meta charset=utf-8><p>caf\xe9 au lait</p><p>caf\xc3\xa9</p>",
//     "csv": "123,45,6\n" * 10000, "numberlines": "".join("%d\n" % i for i in range(20000)),
//     "markdown": "<h1 align=\"center\">Notes</h1>\n\n<a name=\"top\"/>\n",
//     "searchindex": "searchIndex = {\"a\":\"<span class=\\\"k\\\">fn</span>\"};\n",
//     "pagestart": " \n<!-- a --><!DOCTYPE html><p>x</p>",
//     "prescan": "<!--><meta charset=koi8-r>--><a title=\x27<meta charset=koi8-r>\x27>"
//       + "<meta content=\x27charset=\"gbk\"\x27 http-equiv=CONTENT-TYPE charset=x><?x><meta/charset=\x27big5\x27",
//     "svg": "<p><img src=\"data:image/svg+xml,<svg xmlns=%27http://www.w3.org/2000/svg%27 width=%278000%27 height=%278000%27>"
//       + "<circle cx=%274000%27 cy=%274000%27 r=%274000%27 fill=%27red%27 fill-opacity=%270.1%27/>" * 2000 + "</svg>\"></p>",
//     "backgrounds": "<table><tr>" + "<td background=\"data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAAAAAA6fptVAAAACklEQVR4nGNgAAAAAgABSK+kcQAAAABJRU5ErkJggg==\">c" * 1001 + "</table>",
//     "picturenan": "<p><img src=a.png width=16 height=nan>x<p style=\"font-size:300px\">" + "x<br>" * 30000,
//     "picturebelow": "<p><img height=-1e9></p><table><tr><td width=-1>" + "word " * 20 + "</table>",
//     "cells": "".join("<table><tr><td width=%s style=\"font-size:100px\">" % w + "word " * 300 + "<td>x</table>"
//       for w in ["-1", "-10%", "inf", "-inf", "1e30", "nan", "4e7"]),
//     "negativemargins": "".join("<p style=\"font-size:300px;%s\">" % m + "word " * 100 for m in ["margin-left:-1e8px",
//       "margin-right:-1e8px", "-qt-block-indent:-3000000", "text-indent:-1e8px", "margin-right:nan"])
//       + "<p dir=rtl style=\"-qt-block-indent:-1000000\">" + "word " * 100,
//     "spacing": "<table cellspacing=-1e5>" + "<tr><td>x" * 400, "borders": "<table border=-1e6>" + "<tr><td>x" * 20,
//     "framemargins": "<table style=\"margin-top:-1e6px\"><tr><td>x</table>" * 40,
//     "frameheights": "<table style=\"-qt-table-type:frame\" height=-1e6><tr><td>x</table>" * 40,
//     "linesup": "<p style=\"line-height:-1000000%\">" + "x<br>" * 400,
//     "numbers": "".join(("<img width=\"{0}\" height=\"{0}\"><table width=\"{0}\" cellpadding=\"{0}\" cellspacing=\"{0}\" "
//       + "border=\"{0}\"><tr><td width=\"{0}\" height=\"{0}\">x</table><p style=\"margin:{0}px;line-height:{0}%;"
//       + "text-indent:{0}px;-qt-block-indent:{0};font-size:{0}px\">y").format(n) for n in ["0", "-0", "1e-300",
//       "1e308", "-1e308", "NaN", "Infinity", "-inf", "0x10", "+5", "1e", ".5", "-.5e2", "2147483648", "-2147483649",
//       "33554432", "-33554433", "8388608", "1e7%", "-1%"]),
//     "tallletter": "<p><span style=\"font-size:300px\">X</span> " + "word " * 150000,
//     "largeletter": "<p><span style=\"font-size:5000px\">X</span> " + "word " * 20000,
//     "floats": "<p>" + "<img src=a.png width=700 height=40 align=left>" * 1000,
//     "floattables": "<table style=\"float:left\"><tr><td>x</table>" * 2000,
//     "smallfloats": "<p>" + "<img src=a.png width=16 height=16 align=left>" * 1000,
//     "steppedfloats": "<p>" + "".join("<img src=a.png width=16 height=%d align=left>" % (16 + i % 24)
//       for i in range(1000)),
//     "cellfloats": "<table><tr><td>" + "<img src=a.png width=16 height=16 align=right>" * 1000,
//     "floatparagraphs": "<p><img src=a.png width=100 height=400 align=left>word word" * 1000,
//     "squeezed": "<table><tr><td><img width=600 height=1><td style=\"font-size:100px\">" + "word " * 20000,
//     "stepup": "<table cellpadding=400000><tr><td>" * 2 + "<table style=\"-qt-table-type:frame\" height=-1e6><tr><td>x",
//     "tableup": "<table height=-1e6><tr><td>x</table>" + "<table cellpadding=400000><tr><td>" * 2,
//     "tabletall": "<table height=9000000><tr><td>x</table>",
//     "list": "<ul>" + "<li>x" * 12000, "lists": ("<ul>" + "<li>x" * 1000 + "</ul>") * 10,
//     "closinglist": "<ul>" + "<li>x</ol>" * 12000, "prelist": "<ul><li><pre>" + "x\n" * 12000,
//     "stylelist": "<style>li { white-space: pre }</style><ul><li>" + "x&#10;" * 12000,
//     "straypicture": "><img height=80000000", "list9000": "<ul>" + "<li>x" * 9000,
//     "lowest": "<p style=\"text-indent:-1e308px\">x<img width=-1e308 height=-1e308 style=\"padding:-1e308px;"
//       + "border:-1e308px solid\">y</p><table width=-1e308 cellpadding=-1e308 cellspacing=-1e308 border=-1e308 "
//       + "style=\"padding:-1e308px;margin:-1e308px\"><tr><td width=-1e308 style=\"padding:-1e308px;"
//       + "border-width:-1e308px\">x<img width=-1e308></td><td>y</td></tr></table>"
//       + "<p style=\"text-indent:-1e308px;margin-left:-1e308px\">" + "word " * 20,
//     "colspan": "<table border=1><tr><td colspan=65535>x</td></tr></table>",
//     "farmargin": "<p style=\"margin-left:1e9px\">" + "word " * 200, "farborder": "<table border=1e9><tr><td>x<td>y</table>" * 3,
//     "farindents": "<p style=\"text-indent:1e9px\">" + "word " * 100 + "<p style=\"text-indent:-1e9px\">" + "word " * 100,
//     "onepicture": "<p>" + "<img src=\"dot.png\"> " * 1200,
//     "grammar": "<dl><dt>rule</dt><dd>" * 1200 + "<code>token</code>" + "</dd></dl>" * 1200}
//   [open(n, "w", encoding="latin-1").write(t) for n, t in seeds.items()]')
// The seeds in full first (a fuzzing run cuts inputs to max_len), then the run,
// with fontconfig's caches kept out of the leak check:
//   export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
//   export TESSIVAR_SVG_HELPER=$PWD/build/Tessivar/MacOS/tessivar-svg
//   export TESSIVAR_PAGE_HELPER=$PWD/build/Tessivar/MacOS/tessivar-page
//   LANG=C.UTF-8 /tmp/fuzz_TextEditReader /tmp/seeds_text/*
// Every input read as a page goes to the page helper, which imports and lays
// it out with Qt within its limits; one it accepts is set and laid out again
// here. An accepted input that takes longer than the timeout to lay out, or
// lays out higher than the bound, up or down, at the width the helper laid it
// out at, is a finding:
//   mkdir -p /tmp/corpus_text && LANG=C.UTF-8 /tmp/fuzz_TextEditReader -max_total_time=600 \
//     -timeout=10 -max_len=4096 /tmp/corpus_text /tmp/seeds_text
// clang-format on

#include "FuzzCheck.h"
#include "FuzzDrawingHelper.h"
#include "FuzzPageHelper.h"
#include "PageRequest.h"
#include "TextEditDocument.h"
#include "TextEditReader.h"
#include "UnbrokenRun.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Fonts for the text documents.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    new QGuiApplication(*argc, *argv);
    useBuildsDrawingHelper();
    useBuildsPageHelper();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    // Read as the editor's File > Open reads a file of each kind of name.
    const char* const names[] = {"notes", "notes.txt", "notes.html"};
    TextEditReader reader(bytes, QString::fromLatin1(names[size % 3]));
    if (!reader.refusal().isEmpty()) {
        check(reader.text().isEmpty() && !reader.takeDocument());
        return 0;
    }
    check(!reader.text().contains(QChar(0)));
    // The document the editor shows, which reads the pictures and style sheets
    // named; plain text shown is written back by a save as the file was.
    std::unique_ptr<TextEditDocument> document = reader.takeDocument();
    check(document != nullptr);
    if (!reader.isRich()) {
        QByteArray written;
        check(reader.form().encode(*document, &written).isEmpty() && written == bytes);
        check(document->blockCount()
            <= TextEditReader::maxLineWork / TextEditReader::plainParagraphWork);
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            check(UnbrokenRun::longest(block.text()) <= UnbrokenRun::maxLength);
    } else {
        // A page the page helper laid out within its limits, set as the editor sets it.
        document->setHtml(reader.text());
    }
    // Laid out no higher than the bound where the helper laid it out, within the timeout.
    document->setTextWidth(PageRequest::width);
    check(document->size().width() >= 0
        && qAbs(document->size().height()) <= TextEditReader::maxHeight);
    return 0;
}
