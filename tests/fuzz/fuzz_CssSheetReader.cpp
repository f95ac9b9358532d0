// clang-format off
// libFuzzer target for the style-sheet editor's file reader; not part of the
// test suite. Build and run by hand from the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Core) -Ilibs/cpp/DORuverud \
//     tests/fuzz/fuzz_CssSheetReader.cpp libs/cpp/DORuverud/CssSheetReader.cpp \
//     libs/cpp/DORuverud/UnbrokenRun.cpp $(pkg-config --libs Qt5Core) -o /tmp/fuzz_CssSheetReader
// Seeds, the hostile cases among them (a zip file, a zero byte, a cut UTF-8
// sequence, a run without a place to break and a file one past their bounds,
// a minified sheet on one line):
//   mkdir -p /tmp/seeds_css && cd /tmp/seeds_css && python3 -c '
//   seeds = {"sheet": b"QLabel#name { color: red; }\n/* \xc3\xbcn\xc3\xafc\xc3\xb6d\xc3\xa9 */\n",
//     "zip": b"PK\x03\x04\x14\x00\x00\x00\x08\x00mimetype", "zero": b"QLabel {}\x00 /* tail */",
//     "cut": b"QLabel {} /* \xc3", "utf16": "QLabel {}\n".encode("utf-16"),
//     "line": b"{}\n" + b"a" * 32769, "large": b"QLabel {}\n" * 104858,
//     "minified": b"QLabel#a{color:red}QPushButton:hover{border:1px solid #102030}" * 1000}
//   [open(n, "wb").write(t) for n, t in seeds.items()]'
// The seeds in full first (a fuzzing run cuts inputs to max_len), then the run:
//   LANG=C.UTF-8 /tmp/fuzz_CssSheetReader /tmp/seeds_css/*
//   mkdir -p /tmp/corpus_css && LANG=C.UTF-8 /tmp/fuzz_CssSheetReader -max_total_time=300 \
//     -max_len=4096 /tmp/corpus_css /tmp/seeds_css
// clang-format on

#include "CssSheetReader.h"
#include "FuzzCheck.h"
#include "UnbrokenRun.h"

#include <QTextCodec>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const DORuverud::CssSheetReader sheet(bytes);
    if (!sheet.refusal().isEmpty()) {
        check(sheet.text().isEmpty());
        return 0;
    }
    check(bytes.size() <= DORuverud::CssSheetReader::maxFileSize);
    const QString text = sheet.text();
    check(UnbrokenRun::longest(text) <= UnbrokenRun::maxLength);
    for (const QChar c : text)
        check(c.unicode() >= 0x20 || c == '\t' || c == '\n' || c == '\f' || c == '\r');
    // Saved in the local encoding, a file without a byte-order mark comes back as it was.
    QTextCodec* locale = QTextCodec::codecForLocale();
    if (QTextCodec::codecForUtfText(bytes, locale) == locale)
        check(locale->fromUnicode(text) == bytes);
    return 0;
}
