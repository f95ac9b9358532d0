// libFuzzer target for the settings import reader; not part of the test suite.
// Build and run by hand from the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Xml) -Ilibs/cpp/DORuverud \
//     tests/fuzz/fuzz_SettingsImport.cpp libs/cpp/DORuverud/SettingsDialogReader.cpp \
//     $(pkg-config --libs Qt5Xml) -o /tmp/fuzz_SettingsImport
// Seeds, the hostile cases among them (deep nesting, many elements, entities):
//   mkdir -p /tmp/seeds_settings && cd /tmp/seeds_settings && python3 -c '
//   seeds = {"plain": "<Settings>\n <Alpha>a</Alpha>\n <Beta b=\"1\">x</Beta>\n</Settings>\n",
//     "empty": "<Settings/>\n", "deep": "<a>" * 30000 + "</a>" * 30000,
//     "edge": "<a>" * 64 + "</a>" * 64, "many": "<S>" + "<a/>" * 100001 + "</S>",
//     "entities": "<!DOCTYPE S [<!ENTITY a \"xxxxxxxx\"><!ENTITY b \"&a;&a;&a;&a;\">]><S>&b;</S>",
//     "broken": "<Settings><Alpha>x</Settings>", "cdata": "<S><![CDATA[<a>]]><!-- c --></S>"}
//   [open(n, "w").write(t) for n, t in seeds.items()]'
// The seeds in full first (a fuzzing run cuts inputs to max_len), then the run:
//   /tmp/fuzz_SettingsImport /tmp/seeds_settings/*
//   mkdir -p /tmp/corpus_settings && /tmp/fuzz_SettingsImport -max_total_time=300 \
//     -max_len=4096 /tmp/corpus_settings /tmp/seeds_settings

#include "FuzzCheck.h"
#include "SettingsDialogReader.h"

#include <QVector>
#include <cstddef>
#include <cstdint>

namespace {

// Checks the bounds on the built document without recursion.
void checkBounds(const QDomDocument& document)
{
    int elements = 0;
    QVector<QPair<QDomNode, int>> nodes {{document.documentElement(), 1}};
    while (!nodes.isEmpty()) {
        const QPair<QDomNode, int> node = nodes.takeLast();
        check(node.second <= SettingsDialogReader::maxDepth);
        check(++elements <= SettingsDialogReader::maxElements);
        for (QDomNode child = node.first.firstChild(); !child.isNull();
             child = child.nextSibling()) {
            if (child.isElement())
                nodes.append({child, node.second + 1});
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    QString error;
    const QDomDocument document = SettingsDialogReader::read(bytes, &error);
    // Either a document or a reason, never both.
    check(error.isEmpty() != document.isNull());
    if (document.isNull())
        return 0;
    checkBounds(document);
    // What is accepted writes out as the export does, and reads back the same.
    const QString written = document.toString(1);
    const QDomDocument again = SettingsDialogReader::read(written.toUtf8(), &error);
    check(error.isEmpty() && again.toString(1) == written);
    return 0;
}
