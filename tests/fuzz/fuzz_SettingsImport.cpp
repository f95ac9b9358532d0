// clang-format off
// libFuzzer target for the settings import reader and the export's writer; not
// part of the test suite.
// Build and run by hand from the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Xml) -Ilibs/cpp/DORuverud \
//     tests/fuzz/fuzz_SettingsImport.cpp libs/cpp/DORuverud/SettingsDialogReader.cpp \
//     libs/cpp/DORuverud/SettingsDialogWriter.cpp \
//     $(pkg-config --libs Qt5Xml) -o /tmp/fuzz_SettingsImport
// Seeds, the hostile cases among them (deep nesting, many elements, many
// comments, entities, many attributes, another root, declared encodings,
// UTF-16, half of a surrogate pair in bytes and by reference, CR LF, values
// of white space alone written as they are, as references and as CDATA,
// indentation around comments, characters XML cannot hold, also in the
// names of attributes, where the streaming reader lets them through,
// namespaces):
//   mkdir -p /tmp/seeds_settings && cd /tmp/seeds_settings && python3 -c '
//   u = lambda t: t.encode("utf-16-le")
//   seeds = {"plain": b"<Settings>\n <Alpha>a</Alpha>\n <Beta b=\"1\">x</Beta>\n</Settings>\n",
//     "empty": b"<Settings/>\n", "deep": b"<a>" * 30000 + b"</a>" * 30000,
//     "edge": b"<Settings>" + b"<a>" * 63 + b"</a>" * 63 + b"</Settings>",
//     "many": b"<Settings>" + b"<a/>" * 100000 + b"</Settings>",
//     "entities": b"<!DOCTYPE S [<!ENTITY a \"xxxxxxxx\"><!ENTITY b \"&a;&a;&a;&a;\">]><S>&b;</S>",
//     "broken": b"<Settings><Alpha>x</Settings>", "root": b"<S><a/></S>",
//     "cdata": b"<Settings><![CDATA[<a>]]><!-- c --></Settings>",
//     "attributes": b"<Settings><a" + b"".join(b" a%d=\"%d\"" % (i, i) for i in range(100000)) +
//     b"/></Settings>", "sixty": b"<Settings><a" + b"".join(b" a%d=\"&#13;\"" % i for i in range(60)) +
//     b">t&#13;</a></Settings>",
//     "comments": b"<?xml version=\"1.0\"?><!-- <a b=\"c\"> --><Settings x=\">\"/>",
//     "latin1": b"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Settings><a>caf\xe9</a></Settings>",
//     "utf16": b"\xff\xfe" + u("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<Settings>\r\n <a b=\"\u00e9\">\U0001d11e</a>\r\n</Settings>"),
//     "lone": b"\xff\xfe" + u("<Settings><a b=\"") + b"\x00\xdc" + u("\">x") + b"\x00\xd8" + u("</a></Settings>"),
//     "reference": b"<Settings><a b=\"&#xDC00;\">&#xD800;&#x10FFFF;</a></Settings>",
//     "crlf": b"<Settings>\r\n <a b=\"1\r\n2\">x\r\ny\r</a>\r\n</Settings>\r\n",
//     "blanks": b"<Settings>\n <D>\n  <T c=\"  \">   </T>\n  <U>\t</U>\n  <V>\xc2\xa0</V>\n </D>\n</Settings>\n",
//     "blankrefs": b"<Settings><T c=\"&#9;&#10;&#13; \">&#32;&#9;&#13;&#10;</T><U><![CDATA[ \r\n ]]></U></Settings>",
//     "mixed": b"<Settings>\n <D>x&#32;<e/>&#10;<!-- c -->  <?p d?>\n  <f>  </f>\n </D> \n</Settings>",
//     "othernodes": b"<Settings>" + b"<!---->" * 100001 + b"</Settings>",
//     "control": b"<Settings><T>\x1b</T></Settings>", "nonchar": b"<Settings><T c=\"\xef\xbf\xbe\"/></Settings>",
//     "controlref": b"<Settings><T c=\"&#1;\">&#xFFFF;</T></Settings>",
//     "name": b"<Settings><T c\x00d=\"1\" e\x01=\"2\" f\xef\xbf\xbf=\"3\"/></Settings>",
//     "namespaces": b"<Settings xmlns=\"urn:d\" xmlns:t=\"urn:t\"><t:a t:b=\"1\"> </t:a></Settings>"}
//   [open(n, "wb").write(t) for n, t in seeds.items()]'
// The seeds in full first (a fuzzing run cuts inputs to max_len), then the run:
//   /tmp/fuzz_SettingsImport /tmp/seeds_settings/*
//   mkdir -p /tmp/corpus_settings && /tmp/fuzz_SettingsImport -max_total_time=600 -timeout=10 \
//     -max_len=4096 /tmp/corpus_settings /tmp/seeds_settings
// clang-format on

#include "FuzzCheck.h"
#include "SettingsDialogReader.h"
#include "SettingsDialogWriter.h"

#include <QTextCodec>
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
    int otherNodes = 0;
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
            else if (child.isComment() || child.isProcessingInstruction())
                check(++otherNodes <= SettingsDialogReader::maxOtherNodes);
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
    // What is accepted exports in UTF-8 without a declaration, and the writer
    // found that it reads back as the same.
    const QByteArray written = SettingsDialogWriter::write(document, {}, &error);
    check(error.isEmpty() && !written.startsWith("<?xml "));
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(written.constData(), written.size(), &state);
    check(state.invalidChars == 0 && state.remainingChars == 0);
    // An export imported and exported again gives the same bytes.
    const QDomDocument again = SettingsDialogReader::read(written, &error);
    check(error.isEmpty() && SettingsDialogWriter::write(again, {}, &error) == written);
    return 0;
}
