// libFuzzer target for the vCard reader and the writer's round trip; not part
// of the test suite. Build and run by hand from the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined \
//     $(pkg-config --cflags Qt5Core) -Ilibs/cpp/vcard -Ilibs/cpp/ZAruri \
//     tests/fuzz/fuzz_vCard.cpp libs/cpp/vcard/*.cpp libs/cpp/ZAruri/WholeFile.cpp \
//     $(pkg-config --libs Qt5Core) -o /tmp/fuzz_vCard
// Seeds: quoted-printable soft line breaks, the last one before the END line;
// lines like the END line; folds and white space in 2.1:
//   mkdir -p /tmp/seeds_vcard && printf 'BEGIN:VCARD\r\nNOTE;ENCODING=QUOTED-PRINTABLE:a=\r\n'\
//     ' 1:2=\r\nb = \r\nEND:VCARD\r\n' > /tmp/seeds_vcard/qp
//   printf 'BEGIN:VCARD\nFN:A\nItem1.END:VCARD\nend:VCARD\nEND;:VCARD\nNOTE:b\nEND:VCARD\n'\
//     > /tmp/seeds_vcard/frame
//   printf 'BEGIN:VCARD\nVERSION:2.1\nNOTE:two  spaces\n \tfolded\nORG:a\\;b,c;d\nEND:VCARD\n'\
//     > /tmp/seeds_vcard/folds
//   /tmp/fuzz_vCard -max_total_time=600 -max_len=4096 /tmp/seeds_vcard

#include "FuzzCheck.h"
#include "vCard.h"

#include <cstddef>
#include <cstdint>

namespace {

// The name as the reader gives it back after writing: upper-cased, without
// the numbered item prefixes that the reader removes one per reading.
QString readableName(const QString& name)
{
    QString upper = name.toUpper();
    for (int dot = upper.indexOf('.'); upper.startsWith(QLatin1String("ITEM")) && dot > 0;
         dot = upper.indexOf('.')) {
        bool number = false;
        upper.midRef(4, dot - 4).toInt(&number);
        if (!number)
            break;
        upper = upper.mid(dot + 1);
    }
    return upper;
}

// The properties a written card keeps: a name that reads as VERSION is skipped.
QList<vCardProperty> kept(const vCard& card)
{
    QList<vCardProperty> properties;
    for (const vCardProperty& property : card.properties()) {
        if (readableName(property.name()) != QLatin1String("VERSION"))
            properties << property;
    }
    return properties;
}

// The value as a version carries it: 3.0 has one escape for every line break.
QStringList carried(QStringList values, vCardVersion version)
{
    if (version == VC30) {
        for (QString& value : values)
            value.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace('\r', '\n');
    }
    return values;
}

// Written and read again, the card keeps every value, name and parameter count.
void checkRoundTrip(const vCard& card, vCardVersion version)
{
    const QByteArray text = card.toByteArray(version);
    // One line per property and the frame: nothing written breaks a line.
    check(text.count('\n') == card.count() + 2);
    const QList<vCard> read = vCard::fromByteArray(text);
    check(read.size() == 1);
    const QList<vCardProperty> before = kept(card);
    const QList<vCardProperty> after = kept(read.first());
    check(before.size() == after.size());
    for (int i = 0; i < before.size(); ++i) {
        check(readableName(before.at(i).name()) == readableName(after.at(i).name()));
        check(carried(before.at(i).values(), version) == carried(after.at(i).values(), version));
        if (version == VC30)
            check(before.at(i).params().size() == after.at(i).params().size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), int(size));
    const QList<vCard> cards = vCard::fromByteArray(text);
    // Each card needs a BEGIN and an END line of its own (which may be folded).
    check(cards.size() * int(sizeof("BEGIN:VCARD\nEND:VCARD") - 1) <= text.size() + 1);
    for (const vCard& card : cards) {
        for (const vCardProperty& property : card.properties()) {
            check(!property.name().contains(':') && !property.name().contains('\n'));
            check(!property.values().isEmpty());
            check(property.name() != QLatin1String("VERSION"));
        }
        for (vCardVersion version : {VC21, VC30})
            checkRoundTrip(card, version);
    }
    vCardParam::toByteArray(vCardParam::fromByteArray(text), VC30);
    vCardProperty::fromByteArray(text);
    return 0;
}
