// clang-format off
// libFuzzer target for the style-sheet editor's file reader; not part of the
// test suite. Build and run by hand from the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Gui) -Ilibs/cpp/DORuverud \
//     tests/fuzz/fuzz_CssSheetReader.cpp libs/cpp/DORuverud/CssSheetReader.cpp \
//     libs/cpp/DORuverud/PlainTextForm.cpp libs/cpp/DORuverud/TextEncoding.cpp \
//     libs/cpp/DORuverud/UnbrokenRun.cpp $(pkg-config --libs Qt5Gui) -o /tmp/fuzz_CssSheetReader
// Seeds, the hostile cases among them (a zip file, a zero byte, a cut UTF-8
// sequence, a run without a place to break and a file one past their bounds,
// a minified sheet on one line, half of a surrogate pair in UTF-16, UTF-32
// values beyond Unicode, a declared charset, CR LF and mixed line ends, the
// separators the text area breaks lines at):
//   mkdir -p /tmp/seeds_css && (cd /tmp/seeds_css && python3 -c '
//   seeds = {"sheet": b"QLabel#name { color: red; }\n/* \xc3\xbcn\xc3\xafc\xc3\xb6d\xc3\xa9 */\n",
//     "zip": b"PK\x03\x04\x14\x00\x00\x00\x08\x00mimetype", "zero": b"QLabel {}\x00 /* tail */",
//     "cut": b"QLabel {} /* \xc3", "utf16": "QLabel {}\n".encode("utf-16"),
//     "line": b"{}\n" + b"a" * 32769, "large": b"QLabel {}\n" * 104858,
//     "minified": b"QLabel#a{color:red}QPushButton:hover{border:1px solid #102030}" * 1000,
//     "lone": "QLabel {}".encode("utf-16") + b"\x00\xd8" + "\n".encode("utf-16-le"),
//     "beyond": "{".encode("utf-32") + b"\x00\x00\x11\x00" + "}".encode("utf-32-le"),
//     "wraps": "{".encode("utf-32") + b"\x00\x00\x01\x04" + "}".encode("utf-32-le"),
//     "charset": b"@charset \"ISO-8859-1\";\n/* caf\xe9 */\n", "bom": b"\xef\xbb\xbfQLabel {}\n",
//     "crlf": b"QLabel {\r\n color: red;\r\n}\r\n", "mixed": b"a {}\r\nb {}\nc {}\rd {}\r\n",
//     "separators": "a { content: \"\u00a0\" }\u2028b {}\u2029c {}\ufdd0".encode()}
//   [open(n, "wb").write(t) for n, t in seeds.items()]')
// The seeds in full first (a fuzzing run cuts inputs to max_len), then the run,
// with fontconfig's caches kept out of the leak check:
//   export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
//   LANG=C.UTF-8 /tmp/fuzz_CssSheetReader /tmp/seeds_css/*
//   mkdir -p /tmp/corpus_css && LANG=C.UTF-8 /tmp/fuzz_CssSheetReader -max_total_time=600 -timeout=10 \
//     -max_len=4096 /tmp/corpus_css /tmp/seeds_css
// clang-format on

#include "CssSheetReader.h"
#include "FuzzCheck.h"
#include "UnbrokenRun.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    new QGuiApplication(*argc, *argv);
    return 0;
}

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
    // Shown and saved as the editor does, every accepted file comes back as it was.
    QTextDocument document;
    document.setPlainText(text);
    sheet.form().markLineEnds(text, &document);
    QByteArray saved;
    check(sheet.form().encode(document, &saved).isEmpty() && saved == bytes);
    return 0;
}
