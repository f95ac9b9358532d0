// libFuzzer target for the vCard reader and the writer's round trip; not part
// of the test suite. Build and run by hand from the repository root:
//   clang++ -std=c++17 -fPIC -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
//     $(pkg-config --cflags Qt5Core) -Ilibs/cpp/vcard -Ilibs/cpp/ZAruri \
//     tests/fuzz/fuzz_vCard.cpp libs/cpp/vcard/*.cpp libs/cpp/ZAruri/WholeFile.cpp \
//     $(pkg-config --libs Qt5Core) -o /tmp/fuzz_vCard
// Seeds: quoted-printable soft line breaks, the last one before the END line;
// lines like the END line; folds and white space in 2.1; values in Latin-1,
// Windows-1252 (with a byte it leaves undefined), Shift_JIS and an unknown
// charset, 8-bit and quoted-printable; item groups in mixed case; a long
// parameter list; parameters that read as keywords once written; comma
// lists with escaped commas beside bare ones, in 2.1 and 3.0, plain,
// structured and quoted-printable; UTF-16 and UTF-32 values with and
// without a byte-order mark, quoted-printable and 8-bit, with zero bytes; a
// 2.1 type holding "=" and ";", which reads back as another parameter:
//   mkdir -p /tmp/seeds_vcard && cd /tmp/seeds_vcard
//   printf 'BEGIN:VCARD\r\nNOTE;ENCODING=QUOTED-PRINTABLE:a=\r\n 1:2=\r\nb = \r\n' > qp
//   printf 'END:VCARD\r\n' >> qp
//   printf 'BEGIN:VCARD\nFN:A\nItem1.END:VCARD\nend:VCARD\nEND;:VCARD\nNOTE:b\nEND:VCARD\n' > frame
//   printf 'BEGIN:VCARD\nVERSION:2.1\nNOTE:two  spaces\n \tfolded\nORG:a\\;b,c;d\nEND:VCARD\n' \
//     > folds
//   printf 'BEGIN:VCARD\nVERSION:2.1\nN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:' > charsets
//   printf 'M=FCller;J=F6rg\nFN;CHARSET=ISO-8859-1:J\366rg M\374ller\n' >> charsets
//   printf 'NOTE;CHARSET=WINDOWS-1252;ENCODING=QUOTED-PRINTABLE:=80 5=81 =96 Caf=E9\n' >> charsets
//   printf 'ORG;CHARSET=SHIFT_JIS:\203\134\223\372;\226\173\n' >> charsets
//   printf 'TITLE;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=83=5C=93=FA\n' >> charsets
//   printf 'X-A;CHARSET=X-UNKNOWN;ENCODING=QUOTED-PRINTABLE:M=FCller\n' >> charsets
//   printf 'X-B;CHARSET=X-UNKNOWN:\374\nX-C:M\374ller\nEND:VCARD\n' >> charsets
//   printf 'BEGIN:VCARD\nItem3.TEL:+1 666\niTeM1.item2.EMAIL:a@b\nITEM4.END:VCARD\n' > groups
//   printf 'home.TEL:1\nitem1.Photo:AA\n BB\nEND:VCARD\n' >> groups
//   printf 'BEGIN:VCARD\nTEL;TYPE=a%s:1\nEND:VCARD\n' "$(printf ',a%.0s' $(seq 2000))" > params
//   printf 'BEGIN:VCARD\nN;ENCOD""ING=QUOTED-PRINTABLE:M=FC\nTEL;TYPE=a,ENCODING=QUOTED-PRINTABLE:M=FC\n' \
//     > keywords
//   printf 'NOTE;TYPEX:1\nEND:VCARD\n' >> keywords
//   printf 'BEGIN:VCARD\nVERSION:3.0\nCATEGORIES:friends,choir\\, alto,VIP\n' > lists
//   printf 'NICKNAME:Bob,Rob\n' >> lists
//   printf 'N:Berg;Anna;Maria,Luise;Dr.\\, med.;\nADR:;;Hauptstr. 1,Hof\\, 2;Berlin;;;\n' >> lists
//   printf 'NOTE;ENCODING=QUOTED-PRINTABLE:a,b\\,c=0Ad=2Ce=,f\nEND:VCARD\n' >> lists
//   printf 'BEGIN:VCARD\nVERSION:2.1\nCATEGORIES:a\\,b,c\nGEO:52.52,13.405\nEND:VCARD\n' >> lists
//   printf 'BEGIN:VCARD\nVERSION:2.1\nFN;CHARSET=UTF-16;ENCODING=QUOTED-PRINTABLE:' > wide
//   printf '=00A=00B\n' >> wide
//   printf 'N;CHARSET=UTF-16;ENCODING=QUOTED-PRINTABLE:=FF=FEB=00;=00A=00,=00=5C=00,=00\n' >> wide
//   printf 'X-A;CHARSET=UTF-16BE;ENCODING=QUOTED-PRINTABLE:=FE=FF=00J=00=F6=00\n' >> wide
//   printf 'X-B;CHARSET=UTF-32;ENCODING=QUOTED-PRINTABLE:=00=00=FE=FF=00=00=00A=00=00\n' >> wide
//   printf 'X-C;CHARSET=UTF-32LE;ENCODING=QUOTED-PRINTABLE:J=00=00=00=00=00=11=00\n' >> wide
//   printf 'X-D;CHARSET=UTF-16LE:J\000\366\000\nNOTE:a\000b\nEND:VCARD\n' >> wide
//   printf 'BEGIN:VCARD\nVERSION:2.1\nTEL;TYPE=a,"x=b;c":1\nEND:VCARD\n' > typekey
//   cd - && /tmp/fuzz_vCard -max_total_time=600 -max_len=4096 -timeout=10 /tmp/seeds_vcard

#include "FuzzCheck.h"
#include "vCard.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// The name as the reader gives it back after writing: upper-cased, without
// the numbered item prefixes, which the reader removes.
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

// Parameter texts are read simplified: a parameter value that is empty or
// not simplified already does not come back as it was.
bool hasUnsimplifiedParam(const QList<vCardProperty>& properties)
{
    return std::any_of(properties.cbegin(), properties.cend(), [](const vCardProperty& property) {
        const QList<vCardParam> params = property.params();
        return std::any_of(params.cbegin(), params.cend(), [](const vCardParam& param) {
            return param.value().isEmpty() || param.value() != param.value().simplified();
        });
    });
}

// Written and read again, the card keeps every value, name and parameter
// count, and, unless a parameter value is not simplified, is written as the same
// bytes again.
void checkRoundTrip(const vCard& card, vCardVersion version)
{
    const QList<vCardProperty> before = kept(card);
    const QByteArray text = vCard(before).toByteArray(version);
    // One line per property and the frame: nothing written breaks a line.
    check(text.count('\n') == before.size() + 2);
    const QList<vCard> read = vCard::fromByteArray(text);
    check(read.size() == 1);
    const QList<vCardProperty> after = read.first().properties();
    check(before.size() == after.size());
    for (int i = 0; i < before.size(); ++i) {
        check(readableName(before.at(i).name()) == readableName(after.at(i).name()));
        check(carried(before.at(i).values(), version) == carried(after.at(i).values(), version));
        if (version == VC30)
            check(before.at(i).params().size() == after.at(i).params().size());
    }
    check(hasUnsimplifiedParam(before) || read.first().toByteArray(version) == text);
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
