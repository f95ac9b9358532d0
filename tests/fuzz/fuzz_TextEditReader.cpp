// libFuzzer target for the rich-text editor's file reader; not part of the test suite.
// Build and run by hand from the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Gui) -Ilibs/cpp/DORuverud -Ilibs/cpp/graphics -Ilibs/cpp/ZAruri \
//     tests/fuzz/fuzz_TextEditReader.cpp libs/cpp/DORuverud/TextEditReader.cpp \
//     libs/cpp/DORuverud/TextEditDocument.cpp libs/cpp/graphics/PictureReader.cpp \
//     libs/cpp/graphics/JpegHeader.cpp libs/cpp/ZAruri/Trace.cpp \
//     $(pkg-config --libs Qt5Gui libjpeg) -o /tmp/fuzz_TextEditReader
// Seeds, the hostile cases among them (nested tables and elements, a zip header):
//   mkdir -p /tmp/seeds_text && cd /tmp/seeds_text && python3 -c '
//   seeds = {"html": "<h1>Notes</h1><p>Play <b>slowly</b>.</p><ol><li>Am7<li>D7</ol>",
//     "text": "keep\0lost", "zip": "PK\3\4\24\0\0\0", "binary": "\x7fELF\2\1\1\0",
//     "tables": "<table><tr><td>" * 16 + "x", "divs": "<div>" * 1001,
//     "wide": "<table>" + "<tr>" + "<td>" * 100 + "</table>",
//     "line": "x" * 40000, "pictures": "<p>" + "<img>" * 1001,
//     "resources": "<link rel=stylesheet type=text/css href=/dev/zero><img src=/dev/zero>"}
//   [open(n, "w").write(t) for n, t in seeds.items()]'
// The seeds in full first (a fuzzing run cuts inputs to max_len), then the run,
// with fontconfig's caches kept out of the leak check:
//   export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
//   /tmp/fuzz_TextEditReader /tmp/seeds_text/*
// An accepted input that takes longer than the timeout to lay out is a finding:
//   mkdir -p /tmp/corpus_text && /tmp/fuzz_TextEditReader -max_total_time=300 \
//     -timeout=20 -max_len=4096 /tmp/corpus_text /tmp/seeds_text

#include "FuzzCheck.h"
#include "TextEditDocument.h"
#include "TextEditReader.h"

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
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const TextEditReader reader(bytes);
    if (!reader.refusal().isEmpty()) {
        check(reader.text().isEmpty());
        return 0;
    }
    // Plain text ends before the first zero; what is accepted lays out.
    check(reader.isRich() || !reader.text().contains(QChar(0)));
    // The editor's document, which reads the pictures and style sheets named.
    TextEditDocument document;
    if (reader.isRich())
        document.setHtml(reader.text());
    else
        document.setPlainText(reader.text());
    document.setTextWidth(400);
    check(document.size().width() >= 0);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        check(block.length() - 1 <= TextEditReader::maxParagraph);
    return 0;
}
