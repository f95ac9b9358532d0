// The rich-text editor's reading of a file at each of its bounds, as the Open
// command does it: checked and built into the editor's document by the reader,
// shown in the editor's text area at 800 x 600, laid out whole and painted;
// and the refusal of files beyond them. Goal: a few seconds at most, a
// refusal within a second. Texts of many lines run beside a bare QTextEdit
// given the same text, whose time the editor's should match.
#include "../tests/common/HostileHtml.h"
#include "AppBenchmarkMain.h"
#include "TextEditArea.h"
#include "TextEditDocument.h"
#include "TextEditHeight.h"
#include "TextEditReader.h"

#include <QTextDocument>
#include <QTextEdit>
#include <benchmark/benchmark.h>

using namespace HostileHtml;

namespace {

void readAndShow(benchmark::State& state, const QByteArray& content, bool accepted,
    const QString& name = QStringLiteral("page.html"))
{
    QImage frame(800, 600, QImage::Format_ARGB32);
    for (auto _ : state) {
        TextEditReader reader(content, name);
        if (reader.refusal().isEmpty() != accepted)
            state.SkipWithError("accepted and refused the wrong way round");
        if (!accepted)
            continue;
        TextEditArea area(nullptr);
        area.resize(frame.size());
        area.show();
        TextEditDocument* document = reader.takeDocument().release();
        document->setParent(&area);
        area.setDocument(document);
        area.document()->size();
        area.render(&frame);
    }
}

// As readAndShow, with the work the reader tells for the floating pictures
// and tables beside the time, in milliseconds ("told_ms").
void floatsShown(benchmark::State& state, const QByteArray& content, bool accepted)
{
    QTextDocument document;
    document.setHtml(QString::fromUtf8(content));
    const TextEditHeight told(document, TextEditReader::checkedWidth, TextEditReader::maxHeight);
    state.counters["told_ms"] = told.floatLooks() * TextEditReader::floatWork / 1000;
    readAndShow(state, content, accepted);
}

// A bare QTextEdit: the text set as plain text, laid out whole and painted.
void bareTextEdit(benchmark::State& state, const QByteArray& content)
{
    const QString text = QString::fromUtf8(content);
    QImage frame(800, 600, QImage::Format_ARGB32);
    for (auto _ : state) {
        QTextEdit area;
        area.resize(frame.size());
        area.show();
        area.setPlainText(text);
        area.document()->size();
        area.render(&frame);
    }
}

// Only the document a bare QTextEdit builds, not shown: its layout of 4
// million lines would stall, running past the 2^25 pixels of height that Qt's
// fixed-point layout holds (1.4 million lines laid out in 2.5 s, 1.7 million
// not in a minute).
void bareDocumentOnly(benchmark::State& state, const QByteArray& content)
{
    const QString text = QString::fromUtf8(content);
    for (auto _ : state) {
        QTextEdit area;
        area.setPlainText(text);
    }
}

const QByteArray lineFeeds(4 << 20, '\n');
const QByteArray shortLines = repeated("a short\n", 1 << 17);
const QByteArray twoLetterLines = repeated("ab\n", (1 << 20) / 3);
const QByteArray logLines
    = repeated("2024-05-01 12:00:00 INFO queue: 1700 jobs done.\n", (4 << 20) / 48);
// Rows of numbers, which Qt's line breaking runs together across line ends.
const QByteArray csvRows = repeated("1234,56,7890\n", 300000);
// Paragraphs and line breaks as many as the work of lines takes.
const int paragraphsOfWork = TextEditReader::maxLineWork / TextEditReader::htmlParagraphWork - 1;
const int lineBreaksOfWork = (TextEditReader::maxLineWork - TextEditReader::htmlParagraphWork)
    / TextEditReader::lineBreakWork;

QByteArray tinyParagraphs(int count)
{
    return "<style>p { margin: 0; font-size: 1px }</style>" + repeated("<p>x", count);
}

QByteArray lettersOf1000Pixels(int lines)
{
    return "<p style=\"font-size: 1000px\">" + repeated("x<br>", lines);
}

QByteArray paragraphsApart(int paragraphs)
{
    return repeated("<p style=\"margin-top: 10000px\">x</p>", paragraphs);
}

// Each paragraph in a font of a size of its own, from 8 pixels up, which the
// layout loads: the costliest fonts measured.
QByteArray fonts(int count)
{
    QByteArray html;
    for (int i = 0; i < count; ++i)
        html += "<p style=\"font-size: " + QByteArray::number(8 + i) + "px\">x</p>";
    return html;
}

QByteArray floatingTables(int count)
{
    return repeated("<table style=\"float: left\"><tr><td>x</td></tr></table>", count);
}

// One letter of that size before the words, in one paragraph.
QByteArray largeLetterBefore(int pixels, int words)
{
    return "<p><span style=\"font-size: " + QByteArray::number(pixels) + "px\">X</span> "
        + repeated("word ", words) + "</p>";
}

} // namespace

BENCHMARK_CAPTURE(readAndShow, refused 4 MiB of line feeds, lineFeeds, false, "lines.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(bareDocumentOnly, bare 4 MiB of line feeds, lineFeeds)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 1 MiB of 8 - byte lines, shortLines, true, "lines.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(bareTextEdit, bare 1 MiB of 8 - byte lines, shortLines)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 1 MiB of 3 - byte lines, twoLetterLines, true, "lines.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(bareTextEdit, bare 1 MiB of 3 - byte lines, twoLetterLines)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 4 MiB of 48 - byte log lines, logLines, true, "log.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(bareTextEdit, bare 4 MiB of 48 - byte log lines, logLines)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 300000 CSV rows, csvRows, true, "rows.csv")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(bareTextEdit, bare 300000 CSV rows, csvRows)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    readAndShow, 1 pixel HTML paragraphs at the work bound, tinyParagraphs(paragraphsOfWork), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused 1 pixel HTML paragraphs one past the work bound,
    tinyParagraphs(paragraphsOfWork + 1), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, line breaks in one paragraph at the work bound,
    repeated("x<br>", lineBreaksOfWork), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused line breaks one past the work bound,
    repeated("x<br>", lineBreaksOfWork + 1), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 7000 lines of 1000 pixel letters, lettersOf1000Pixels(7000), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    readAndShow, refused 9000 lines of 1000 pixel letters, lettersOf1000Pixels(9000), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 800 paragraphs 10000 pixels apart, paragraphsApart(800), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    readAndShow, refused 900 paragraphs 10000 pixels apart, paragraphsApart(900), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, picture 8000000 pixels tall,
    QByteArray("<p><img src=\"a.png\" height=8000000></p>"), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 12 nested tables with 1000 pixel padding,
    nestedTables(12).replace("<table>", "<table cellpadding=1000>"), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused 12 nested tables with 400000 pixel padding,
    nestedTables(12).replace("<table>", "<table cellpadding=400000>"), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 1990 fonts, fonts(1990), true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused 2010 fonts, fonts(2010), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 13 nested tables, nestedTables(13), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 2000 letters in 10 nested tables,
    nestedTables(10).replace("x", repeated("x", 2000)), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 190 x 100 table, table(190, 100), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    readAndShow, 1000 nested divs, repeated("<div>", 1000) + "x" + repeated("</div>", 1000), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 1000 pictures, "<p>" + repeated("<img src=\"a.png\">", 1000), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 1000 background pictures, backgroundCells(1000), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 8000 x 8000 SVG of 2000 circles,
    dataPicture("image/svg+xml", svgCircles(8000, 2000)), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, 700 floating pictures one above another, floatingPictures(700), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    floatsShown, refused 1000 floating pictures one above another, floatingPictures(1000), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    floatsShown, 1000 small floating pictures side by side, floatingPictures(1000, 16, 16), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, 1000 pictures 100 pixels wide floating three a row,
    floatingPictures(1000, 100, 100), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, 1000 small pictures floating at both sides,
    floatingPictures(500, 16, 16) + floatingPictures(500, 16, 16, "right"), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, 500 small floating pictures of 24 heights in turn,
    picturesOfHeightsInTurn(500, 24), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, refused 1000 small floating pictures of 24 heights in turn,
    picturesOfHeightsInTurn(1000, 24), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, 1000 floating pictures a paragraph each,
    repeated(
        "<p><img src=\"a.png\" width=\"700\" height=\"40\" align=\"left\">word word</p>", 1000),
    true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, refused 1000 floating pictures 700 x 400 a paragraph each,
    repeated(
        "<p><img src=\"a.png\" width=\"700\" height=\"400\" align=\"left\">word word</p>", 1000),
    false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, 300 floating pictures 700 x 400 a paragraph each,
    repeated(
        "<p><img src=\"a.png\" width=\"700\" height=\"400\" align=\"left\">word word</p>", 300),
    true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, 1000 floating pictures 400 pixels tall a paragraph each,
    repeated(
        "<p><img src=\"a.png\" width=\"100\" height=\"400\" align=\"left\">word word</p>", 1000),
    true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, 1000 small floating pictures above 100000 lines,
    floatingPictures(1000, 16, 16) + repeated("<p>x</p>", 100000), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, 300 small floating pictures in a table cell,
    "<table><tr><td>" + floatingPictures(300, 16, 16) + "</td></tr></table>", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, refused 1000 small floating pictures in a table cell,
    "<table><tr><td>" + floatingPictures(1000, 16, 16) + "</td></tr></table>", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, 1000 small floating pictures in a cell 390 pixels wide,
    "<table><tr><td width=390>" + floatingPictures(1000, 16, 16) + "</td></tr></table>", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, 1000 cells of a floating picture each,
    "<table><tr>" + repeated("<td><img src=\"a.png\" width=16 height=16 align=left>x</td>", 1000)
        + "</tr></table>",
    true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, 500 floating tables, floatingTables(500), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(floatsShown, refused 1000 floating tables, floatingTables(1000), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    readAndShow, 150000 words after one 300 pixel letter, largeLetterBefore(300, 150000), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    readAndShow, one 5000 pixel letter before 20000 words, largeLetterBefore(5000, 20000), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused 30000 words of 100 pixel letters in a cell of width - 1,
    "<table><tr><td width=-1 style=\"font-size: 100px\">" + repeated("word ", 30000), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused 400 table rows 100000 pixels apart upwards,
    "<table cellspacing=-1e5>" + repeated("<tr><td>x", 400), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, one list of 9000 items, "<ul>" + repeated("<li>x", 9000), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    readAndShow, refused one list of 12000 items, "<ul>" + repeated("<li>x", 12000), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 32768 letter word, repeated("x", 32768), true, "text.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 400000 character paragraph of words,
    repeated("A line of some words: 32 bytes. ", 12500), true, "text.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 4 MiB of text lines,
    repeated("A line of some words: 32 bytes.\n", 1 << 17), true, "text.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 4 MiB of HTML paragraphs,
    repeated("<p>Some <b>bold</b> words in a paragraph of 64 bytes........</p>", 1 << 16), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused 5000 nested tables, repeated("<table><tr><td>", 5000), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused 500 nested tables, nestedTables(500), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused 100000 nested divs,
    repeated("<div>", 100000) + "x" + repeated("</div>", 100000), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused 10000 background pictures, backgroundCells(10000), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused 5000 x 100 table,
    "<table>" + repeated("<tr>" + repeated("<td>", 100), 5000), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused 400000 characters without a break, repeated("x", 400000),
    false, "text.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused 1 MiB line, repeated("x", 1 << 20), false, "text.txt")
    ->Unit(benchmark::kMillisecond);

namespace {

// Lines of the default font and HTML paragraphs of a line (12 pixels apart),
// as many as the height bound takes, counted once the font is known.
void registerHeightBoundRows()
{
    const qreal line = TextEditHeight::lineHeight(QFont());
    // Within the document's margins of 4 pixels; 12 more at the paragraphs' ends.
    const int lines = int((TextEditReader::maxHeight - 8) / line);
    const int paragraphs = int((TextEditReader::maxHeight - 20) / (line + 12));
    const QByteArray plain = repeated("x\n", lines - 1);
    const auto row = [](const QString& name, auto function, auto... arguments) {
        benchmark::RegisterBenchmark(qPrintable(name), function, arguments...)
            ->Unit(benchmark::kMillisecond);
    };
    row(QString("readAndShow/%1 lines at the height bound").arg(lines), readAndShow, plain, true,
        QString("lines.txt"));
    row(QString("bareTextEdit/bare %1 lines at the height bound").arg(lines), bareTextEdit, plain);
    row(QString("readAndShow/refused %1 lines").arg(lines + 1), readAndShow, plain + "x\n", false,
        QString("lines.txt"));
    row(QString("readAndShow/%1 HTML paragraphs at the height bound").arg(paragraphs), readAndShow,
        repeated("<p>x", paragraphs), true, QString("page.html"));
    row(QString("readAndShow/refused %1 HTML paragraphs").arg(paragraphs + 1), readAndShow,
        repeated("<p>x", paragraphs + 1), false, QString("page.html"));
}

} // namespace

int main(int argc, char** argv)
{
    return runAppBenchmarks(argc, argv, [](DORuverud::App&) { registerHeightBoundRows(); });
}
