// The rich-text editor's reading of a file at each of its bounds, as the Open
// command does it: checked and built into the editor's document by the reader,
// shown in the editor's text area at 800 x 600, laid out whole and painted;
// and the refusal of files beyond them. Goal: a few seconds at most. Texts of
// many lines run beside a bare QTextEdit given the same text, whose time the
// editor's should match.
#include "../tests/common/HostileHtml.h"
#include "AppBenchmarkMain.h"
#include "TextEditArea.h"
#include "TextEditDocument.h"
#include "TextEditReader.h"

#include <QTextEdit>
#include <benchmark/benchmark.h>

using namespace HostileHtml;

namespace {

void readAndShow(benchmark::State& state, const QByteArray& content, bool accepted,
    const QString& name = QString())
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
const QByteArray linesAtTheBound = repeated("x\n", TextEditReader::maxLines - 1);

} // namespace

BENCHMARK_CAPTURE(readAndShow, refused 4 MiB of line feeds, lineFeeds, false, "lines.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(bareDocumentOnly, bare 4 MiB of line feeds, lineFeeds)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 1 MiB of 8 - byte lines, shortLines, true, "lines.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(bareTextEdit, bare 1 MiB of 8 - byte lines, shortLines)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused 1 MiB of 3 - byte lines, twoLetterLines, false, "lines.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(bareTextEdit, bare 1 MiB of 3 - byte lines, twoLetterLines)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 4 MiB of 48 - byte log lines, logLines, true, "log.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(bareTextEdit, bare 4 MiB of 48 - byte log lines, logLines)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 262144 lines at the bound, linesAtTheBound, true, "lines.txt")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(bareTextEdit, bare 262144 lines at the bound, linesAtTheBound)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 262143 HTML paragraphs at the bound,
    repeated("<p>x", TextEditReader::maxLines - 1), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 262143 line breaks at the bound,
    repeated("x<br>", TextEditReader::maxLines - 1), true)
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
BENCHMARK_CAPTURE(readAndShow, 32768 letter word, repeated("x", 32768), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, 400000 character paragraph of words,
    repeated("A line of some words: 32 bytes. ", 12500), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    readAndShow, 4 MiB of text lines, repeated("A line of some words: 32 bytes.\n", 1 << 17), true)
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
BENCHMARK_CAPTURE(
    readAndShow, refused 400000 characters without a break, repeated("x", 400000), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readAndShow, refused 1 MiB line, repeated("x", 1 << 20), false)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runAppBenchmarks(argc, argv);
}
