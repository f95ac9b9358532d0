// clang-format off
// libFuzzer target for the rich-text editor's check of a paste or a drop; not
// part of the test suite. Build and run by hand from the repository root (moc
// only when the document declares signals):
//   moc libs/cpp/DORuverud/TextEditDocument.h -o /tmp/moc_TextEditDocument.cpp
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Widgets Qt5Svg) -Ilibs/cpp/DORuverud -Ilibs/cpp/graphics -Ilibs/cpp/helperhost -Ilibs/cpp/ZAruri \
//     tests/fuzz/fuzz_TextEditPaste.cpp libs/cpp/DORuverud/TextEditReader.cpp \
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
//     $(pkg-config --libs Qt5Widgets Qt5Svg libjpeg zlib fontconfig) -o /tmp/fuzz_TextEditPaste
// Input: a byte of where the paste lands (bit 0: rich text accepted; bits 1-4:
// tables around the cursor, at most 12; bit 5: the "x" there selected; bit 6:
// instead of the tables, a run of 30,000 "x"; bit 7: dropped at the end, the
// "x" there moved), then the offered formats in the order of
// offeredFormats, parted by "|||"; an empty part is not offered.
// Seeds, the hostile cases among them (nested tables as Qt's own rich text,
// 12 more tables into the innermost cell of 12, a run joining the one there,
// also once the "x" there is moved, a declared charset, UTF-16 with half of a
// surrogate pair as HTML and as plain text, such halves by reference, CR LF;
// lengths that are no number, infinite, huge or below zero in pictures, cells,
// margins, indents, spacing and line heights, floating pictures):
//   mkdir -p /tmp/seeds_paste && (cd /tmp/seeds_paste && python3 -c '
//   t = lambda n: "<table><tr><td>" * n + "x" + "</td></tr></table>" * n
//   u = lambda t: t.encode("utf-16-le").decode("latin-1")
//   seeds = {"rich": "\x01||||||<b>bold</b> words|||bold words", "plain": "\x00|||||||||a line",
//     "qrichtext": "\x01" + t(30) + "|||<b>x</b>|||x", "tables": "\x19|||" + t(12) + "|||x",
//     "run": "\x40|||||||||" + "x" * 3000, "divs": "\x01|||" + "<div>" * 1001 + "|||x",
//     "markdown": "\x01|||||||||plain|||# Title\n\n> > > quote",
//     "moverun": "\xc0|||||||||" + "x" * 2767, "movetables": "\x99|||" + t(12) + "|||x",
//     "charset": "\x01|||<meta charset=\"ISO-8859-1\"><p>caf\xe9</p>|||caf\xe9",
//     "html16": "\x01|||" + u("\ufeff<p>a") + "\x00\xd8" + u("</p>") + "|||a",
//     "plain16": "\x00||||||" + u("\ufeffa") + "\x00\xdc" + u("b\r\nc"),
//     "references": "\x01|||<p>&#xD800;&#x110000;&#0;</p>|||x",
//     "crlf": "\x00||||||a\r\nb\rc\r\n", "richcrlf": "\x01|||<p>a</p>\r\n<p>b\r\nc</p>|||a\r\nb",
//     "lengths": "\x01|||<p><img height=nan><img height=-1e9><img width=inf></p><table cellspacing=-1e5><tr>"
//       + "<td width=-1>word word<td width=1e30>w<td width=-10%>w</table><p style=\"margin-right:-1e8px;"
//       + "-qt-block-indent:-3000000;line-height:-1000000%\">word word|||x",
//     "tablesbelow": "\x19|||" + "<table style=\"margin-top:-1e6px\"><tr><td>x</table>" * 40 + "|||x",
//     "floats": "\x01|||<p>" + "<img src=a.png width=700 height=40 align=left>" * 600 + "|||x",
//     "smallfloats": "\x01|||<p>" + "<img src=a.png width=16 height=16 align=left>" * 1000 + "|||x"}
//   [open(n, "w", encoding="latin-1").write(s) for n, s in seeds.items()]')
//   export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
//   export TESSIVAR_SVG_HELPER=$PWD/build/Tessivar/MacOS/tessivar-svg
//   export TESSIVAR_PAGE_HELPER=$PWD/build/Tessivar/MacOS/tessivar-page
//   mkdir -p /tmp/corpus_paste && LANG=C.UTF-8 /tmp/fuzz_TextEditPaste -max_total_time=600 \
//     -timeout=10 -max_len=4096 /tmp/corpus_paste /tmp/seeds_paste
// clang-format on

#include "FuzzCheck.h"
#include "FuzzDrawingHelper.h"
#include "FuzzPageHelper.h"
#include "TextEditDocument.h"
#include "TextEditReader.h"
#include "UnbrokenRun.h"

#include <QApplication>
#include <QMimeData>
#include <QTextBlock>
#include <QTextEdit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const char* const offeredFormats[]
    = {"application/x-qrichtext", "text/html", "text/plain", "text/markdown"};

// A text area that inserts as QTextEdit does.
class Area : public QTextEdit
{
public:
    using QTextEdit::insertFromMimeData;
};

QString where(uint8_t flags)
{
    const int tables = flags & 64 ? 0 : qMin((flags >> 1) & 15, 12);
    const QString x = flags & 64 ? QString(30000, 'x') : QStringLiteral("x");
    return QStringLiteral("<table><tr><td>").repeated(tables) + x
        + QStringLiteral("</td></tr></table>").repeated(tables);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    new QApplication(*argc, *argv);
    useBuildsDrawingHelper();
    useBuildsPageHelper();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    QByteArray rest(reinterpret_cast<const char*>(data) + 1, int(size) - 1);
    QMimeData offer;
    for (const char* format : offeredFormats) {
        const int end = rest.indexOf("|||");
        if (end != 0)
            offer.setData(format, end < 0 ? rest : rest.left(end));
        if (end < 0)
            break;
        rest = rest.mid(end + 3);
    }
    Area area;
    area.setDocument(new TextEditDocument(&area));
    area.setAcceptRichText(data[0] & 1);
    area.resize(400, 300);
    area.setHtml(where(data[0]));
    QTextCursor cursor = area.document()->find(QStringLiteral("x"));
    if (!(data[0] & 32))
        cursor.clearSelection();
    area.setTextCursor(cursor);
    // A drag-move removes the moved text first, as QTextEdit does.
    if (data[0] & 128) {
        QTextCursor end(area.document());
        end.movePosition(QTextCursor::End);
        QTextCursor moved = area.document()->find(QStringLiteral("x"));
        const TextEditReader move(&offer, area.acceptRichText(), end, moved);
        if (!move.refusal().isEmpty())
            return 0;
        moved.removeSelectedText();
        area.setTextCursor(end);
    }
    const TextEditReader reader(&offer, area.acceptRichText(), area.textCursor());
    if (!reader.refusal().isEmpty()) {
        check(reader.text().isEmpty() && !(data[0] & 128));
        return 0;
    }
    if (reader.text().isNull())
        return 0;
    // Inserted as the editor's text area does: only what was checked.
    QMimeData checked;
    if (reader.isRich())
        checked.setHtml(reader.text());
    else
        checked.setText(reader.text());
    area.insertFromMimeData(&checked);
    check(area.document()->size().width() >= 0);
    for (QTextBlock block = area.document()->begin(); block.isValid(); block = block.next())
        check(UnbrokenRun::longest(block.text()) <= UnbrokenRun::maxLength);
    return 0;
}
