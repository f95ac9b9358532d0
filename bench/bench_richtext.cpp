// The rich-text editor's reading of a file at each of its bounds, as the Open
// command does it: checked, parsed into the editor's document, laid out in an
// 800 x 600 text area and painted; and the refusal of files beyond them. Goal:
// a few seconds at most.
#include "../tests/common/HostileHtml.h"
#include "AppBenchmarkMain.h"
#include "TextEditDocument.h"
#include "TextEditReader.h"

#include <QTextEdit>
#include <benchmark/benchmark.h>

using namespace HostileHtml;

namespace {

void readAndShow(benchmark::State& state, const QByteArray& content, bool accepted)
{
    QImage frame(800, 600, QImage::Format_ARGB32);
    for (auto _ : state) {
        const TextEditReader reader(content);
        if (reader.refusal().isEmpty() != accepted)
            state.SkipWithError("accepted and refused the wrong way round");
        QTextEdit area;
        area.setDocument(new TextEditDocument(&area));
        area.resize(frame.size());
        if (reader.isRich())
            area.setHtml(reader.text());
        else
            area.setPlainText(reader.text());
        area.document()->size();
        area.render(&frame);
    }
}

} // namespace

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
