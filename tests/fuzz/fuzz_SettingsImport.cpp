// libFuzzer target for the settings import reader and the export's writer; not
// part of the test suite.
// Build and run by hand from the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Xml) -Ilibs/cpp/DORuverud \
//     tests/fuzz/fuzz_SettingsImport.cpp libs/cpp/DORuverud/SettingsDialogReader.cpp \
//     libs/cpp/DORuverud/SettingsDialogWriter.cpp \
//     $(pkg-config --libs Qt5Xml) -o /tmp/fuzz_SettingsImport
// Seeds, the hostile cases among them (deep nesting, many elements, entities,
// many attributes, another root):
//   mkdir -p /tmp/seeds_settings && cd /tmp/seeds_settings && python3 -c '
//   seeds = {"plain": "<Settings>\n <Alpha>a</Alpha>\n <Beta b=\"1\">x</Beta>\n</Settings>\n",
//     "empty": "<Settings/>\n", "deep": "<a>" * 30000 + "</a>" * 30000,
//     "edge": "<Settings>" + "<a>" * 63 + "</a>" * 63 + "</Settings>",
//     "many": "<Settings>" + "<a/>" * 100000 + "</Settings>",
//     "entities": "<!DOCTYPE S [<!ENTITY a \"xxxxxxxx\"><!ENTITY b \"&a;&a;&a;&a;\">]><S>&b;</S>",
//     "broken": "<Settings><Alpha>x</Settings>", "root": "<S><a/></S>",
//     "cdata": "<Settings><![CDATA[<a>]]><!-- c --></Settings>",
//     "attributes": "<Settings><a" + "".join(" a%d=\"%d\"" % (i, i) for i in range(100000)) +
//     "/></Settings>", "sixty": "<Settings><a" + "".join(" a%d=\"&#13;\"" % i for i in range(60)) +
//     ">t&#13;</a></Settings>", "comments": "<?xml version=\"1.0\"?><!-- <a b=\"c\"> --><Settings
//     x=\">\"/>"}
//   [open(n, "w").write(t) for n, t in seeds.items()]'
// The seeds in full first (a fuzzing run cuts inputs to max_len), then the run:
//   /tmp/fuzz_SettingsImport /tmp/seeds_settings/*
//   mkdir -p /tmp/corpus_settings && /tmp/fuzz_SettingsImport -max_total_time=600 \
//     -max_len=4096 /tmp/corpus_settings /tmp/seeds_settings

#include "FuzzCheck.h"
#include "SettingsDialogReader.h"
#include "SettingsDialogWriter.h"

#include <QVector>
#include <cstddef>
#include <cstdint>

namespace {

// Checks the bounds on the built document without recursion.
void checkBounds(const QDomDocument& document)
{
    check(document.documentElement().tagName() == QLatin1String("Settings"));
    int elements = 0;
    int attributes = 0;
    QVector<QPair<QDomNode, int>> nodes {{document.documentElement(), 1}};
    while (!nodes.isEmpty()) {
        const QPair<QDomNode, int> node = nodes.takeLast();
        check(node.second <= SettingsDialogReader::maxDepth);
        check(++elements <= SettingsDialogReader::maxElements);
        const int own = node.first.attributes().count();
        check(own <= SettingsDialogReader::maxAttributesPerElement);
        check((attributes += own) <= SettingsDialogReader::maxAttributes);
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
    // What is accepted writes out as the export does, and reads back to the same bytes.
    const QByteArray written = SettingsDialogWriter::write(document);
    const QDomDocument again = SettingsDialogReader::read(written, &error);
    check(error.isEmpty() && SettingsDialogWriter::write(again) == written);
    return 0;
}
