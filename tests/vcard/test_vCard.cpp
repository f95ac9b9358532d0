#include "../common/FullDisk.h"
#include "../common/PeakMemory.h"
#include "../common/RunawayBound.h"
#include "../common/RunawayWatch.h"
#include "vCard.h"
#include "vCardReader.h"

#include <QtTest>

using P = vCardProperty;
using Param = vCardParam;
using Cards = QList<QStringList>;
Q_DECLARE_METATYPE(vCardParam)
Q_DECLARE_METATYPE(vCardProperty)
Q_DECLARE_METATYPE(vCard)

namespace {

// One card per list, one "NAME|value;value|group:value,..." per property.
Cards describe(const QList<vCard>& cards)
{
    Cards described;
    for (const vCard& card : cards) {
        QStringList properties;
        for (const P& property : card.properties()) {
            QStringList params;
            for (const Param& param : property.params())
                params << QString::number(param.group()) + ':' + param.value();
            properties << property.name() + '|' + property.value() + '|' + params.join(',');
        }
        described << properties;
    }
    return described;
}

// Per property: the name, its parameters as "group:value", then each value.
QList<QStringList> fields(const vCard& card)
{
    QList<QStringList> described;
    for (const P& property : card.properties()) {
        QStringList params;
        for (const Param& param : property.params())
            params << QString::number(param.group()) + ':' + param.value();
        described << (QStringList {property.name(), params.join(' ')} + property.values());
    }
    return described;
}

// The names and the values of each property, the names as written: upper-cased.
QList<QStringList> namesAndValues(const vCard& card)
{
    QList<QStringList> described;
    for (const P& property : card.properties())
        described << (QStringList {property.name().toUpper()} + property.values());
    return described;
}

const Param home("home", Param::Type), work("work", Param::Type);
const QDateTime birth(QDate(1985, 3, 9), QTime(23, 5, 7), Qt::UTC);

} // namespace

// The card, property and parameter model, and vCard 2.1 and 3.0 text and files.
class TestvCard : public QObject
{
    Q_OBJECT

private slots:
    void factories_data()
    {
        QTest::addColumn<P>("property");
        QTest::addColumn<QString>("line");
        QTest::newRow("name: family first")
            << P::createName("given", "family", "", "prefix", "") << "N:family;given;;prefix;";
        QTest::newRow("address: box and extended first")
            << P::createAddress("street", "city", "region", "code", "country", "box", "ext")
            << "ADR:box;ext;street;city;region;code;country";
        QTest::newRow("organization and units")
            << P::createOrganization("Quelmar", {"Sound", "Keys"}) << "ORG:Quelmar;Sound;Keys";
        QTest::newRow("geo: six significant digits")
            << P::createGeographicPosition(52.520008, 13.404954) << "GEO:52.52;13.405";
        QTest::newRow("geo: negative and tiny")
            << P::createGeographicPosition(-122.419416, 0.00001) << "GEO:-122.419;1e-05";
        QTest::newRow("geo: large")
            << P::createGeographicPosition(1234567, 0) << "GEO:1.23457e+06;0";
        QTest::newRow("birthday date") << P::createBirthday(QDate(1985, 3, 9)) << "BDAY:1985-03-09";
        QTest::newRow("birthday in UTC unchanged")
            << P::createBirthday(birth) << "BDAY:1985-03-09T23:05:07Z";
        QTest::newRow("birthday two hours east moves back a day") << P::createBirthday(
            QDateTime(QDate(1985, 3, 10), QTime(1, 5, 7), Qt::OffsetFromUTC, 7200))
                                                                  << "BDAY:1985-03-09T23:05:07Z";
    }
    void factories()
    {
        QFETCH(P, property);
        QFETCH(QString, line);
        QCOMPARE(property.name() + ':' + property.value(), line);
        QCOMPARE(property.values().size(), line.count(';') + 1);
    }

    void validity_data()
    {
        QTest::addColumn<vCard>("card");
        QTest::addColumn<bool>("valid");
        const P named("X", QString());
        QTest::newRow("no properties") << vCard() << false;
        QTest::newRow("one empty value is a value") << vCard({named}) << true;
        QTest::newRow("no values") << vCard({named, P("X", QStringList())}) << false;
        QTest::newRow("no name") << vCard({named, P(QString(), "1")}) << false;
        QTest::newRow("parameter without value")
            << vCard({named, P("X", "1", {Param("", Param::Type)})}) << false;
    }
    void validity()
    {
        QFETCH(vCard, card);
        QFETCH(bool, valid);
        QCOMPARE(card.isValid(), valid);
        if (card.count() > 0)
            QCOMPARE(card.properties().last().isValid(), valid);
    }

    void lookup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<Param>>("params");
        QTest::addColumn<bool>("strict");
        QTest::addColumn<QString>("found");
        QTest::newRow("strict, part of the parameters") << "TEL" << QList {home} << true << "";
        QTest::newRow("loose, part of the parameters") << "TEL" << QList {home} << false << "123";
        QTest::newRow("strict, all in order") << "TEL" << QList {home, work} << true << "123";
        QTest::newRow("strict, another order") << "TEL" << QList {work, home} << true << "";
        QTest::newRow("loose, another order") << "TEL" << QList {work, home} << false << "123";
        QTest::newRow("no parameters") << "EMAIL" << QList<Param>() << true << "a@b.de";
        QTest::newRow("name case counts") << "tel" << QList<Param>() << false << "";
        QTest::newRow("group counts")
            << "TEL" << QList {Param("home", Param::Undefined)} << false << "";
    }
    void lookup()
    {
        QFETCH(QString, name);
        QFETCH(QList<Param>, params);
        QFETCH(bool, strict);
        QFETCH(QString, found);
        vCard card;
        card.addProperty(P("EMAIL", "a@b.de"));
        card.addProperties({P("TEL", "123", {home, work}), P("TEL", "456")});
        const P property = card.property(name, params, strict);
        QCOMPARE(property.value(), found);
        QCOMPARE(property.isValid(), !found.isEmpty());
        QCOMPARE(card.contains(name, params, strict), !found.isEmpty());
    }

    void constructorsReadParameterText()
    {
        const P fromText("TEL", "1;;2", QString("TYPE=home,work;x-k=\"a;b\""));
        QCOMPARE(fromText.values(), QStringList({"1", "", "2"}));
        QCOMPARE(fromText.params(), QList<Param>({home, work, Param("x-k=a;b", Param::Undefined)}));
        const P fromList("ORG", QStringList {"a;b", "c"}, QString("charset=utf-8"));
        QCOMPARE(fromList.values(), QStringList({"a;b", "c"}));
        QCOMPARE(fromList.params(), QList<Param> {Param("utf-8", Param::Charset)});
        // The property a failed lookup gives has no name.
        QVERIFY(vCard({fromText}).property("FAX").name().isEmpty());
    }

    void equalityLeavesParametersOut()
    {
        const P homeTel("TEL", "123", {Param("HOME", Param::Undefined)});
        const P workTel("TEL", "123", {Param("WORK", Param::Undefined)});
        QVERIFY(homeTel == workTel && vCard({homeTel}).contains(workTel));
        QVERIFY(homeTel != P("tel", "123") && homeTel != P("TEL", "123;"));
        QVERIFY(!vCard({homeTel}).contains(P("TEL", "124")));
        QVERIFY(Param("a", Param::Type) != Param("A", Param::Type));
        QVERIFY(Param("a", Param::Type) != Param("a", Param::Charset));
    }

    void writing_data()
    {
        QTest::addColumn<vCard>("card");
        QTest::addColumn<QByteArray>("lines21");
        QTest::addColumn<QByteArray>("lines30");
        const QList<Param> mixed {home, Param("b", Param::Encoding),
            Param("pref", Param::Undefined), work, Param("utf-8", Param::Charset)};
        QTest::newRow("empty card") << vCard() << QByteArray() << QByteArray();
        QTest::newRow("type parameter")
            << vCard({P("tel", "123", {home})}) << QByteArray("TEL;HOME:123\n")
            << QByteArray("TEL;TYPE=HOME:123\n");
        QTest::newRow("parameter orders")
            << vCard({P("x", "v", mixed)})
            << QByteArray("X;HOME;ENCODING=B;PREF;WORK;CHARSET=UTF-8:v\n")
            << QByteArray("X;TYPE=HOME,WORK;PREF;CHARSET=UTF-8;ENCODING=B:v\n");
        QTest::newRow("values escaped, only ASCII upper-cased")
            << vCard({P::createName("Jörg", "d;x", "", "", ""),
                   P("nöte", "a:b\\,c", {Param("é", Param::Undefined)})})
            << QByteArray("N:d\\;x;Jörg;;;\nNöTE;é;ENCODING=QUOTED-PRINTABLE:a:b=5C,c\n")
            << QByteArray("N:d\\;x;Jörg;;;\nNöTE;é:a:b\\\\\\,c\n");
        QTest::newRow("parameter values quoted where needed")
            << vCard({P("x", "v", {Param("a,b", Param::Type), Param("x-k=1:2", Param::Undefined)})})
            << QByteArray("X;\"A,B\";X-K=\"1:2\":v\n")
            << QByteArray("X;TYPE=\"A,B\";X-K=\"1:2\":v\n");
        QTest::newRow("2.1 type with a key written as the other parameter it reads back as")
            << vCard({P("x", "v", {Param("x=a;b", Param::Type)})}) << QByteArray("X;X=\"A;B\":v\n")
            << QByteArray("X;TYPE=\"X=A;B\":v\n");
        // Read from ENCOD""ING=QUOTED-PRINTABLE, which leaves the value as it is.
        QTest::newRow("other parameter quoted whole where it would read as a keyword")
            << vCard({P("x", "M=FC", {Param("encoding=quoted-printable", Param::Undefined)})})
            << QByteArray("X;\"ENCODING=QUOTED-PRINTABLE\":M=FC\n")
            << QByteArray("X;\"ENCODING=QUOTED-PRINTABLE\":M=FC\n");
        QTest::newRow("2.1 type named with its keyword where it would read as another")
            << vCard({P(
                   "x", "M=FC", {Param("encoding=b", Param::Type), Param("typex", Param::Type)})})
            << QByteArray("X;TYPE=ENCODING=B;TYPE=TYPEX:M=FC\n")
            << QByteArray("X;TYPE=ENCODING=B,TYPEX:M=FC\n");
    }
    void writing()
    {
        QFETCH(vCard, card);
        QFETCH(QByteArray, lines21);
        QFETCH(QByteArray, lines30);
        QCOMPARE(card.toByteArray(VC21), "BEGIN:VCARD\nVERSION:2.1\n" + lines21 + "END:VCARD");
        QCOMPARE(card.toByteArray(VC30), "BEGIN:VCARD\nVERSION:3.0\n" + lines30 + "END:VCARD");
        QVERIFY(card.toByteArray(vCardVersion(2)).isEmpty());
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<Cards>("cards");
        QTest::addColumn<bool>("lines"); // read as a card's lines, else as whole cards
        const auto lines = [](const char* name, const char* text, const QStringList& properties) {
            QTest::newRow(name) << QByteArray(text) << Cards {properties} << true;
        };
        lines("type list", "TEL;type=home,work:123", {"TEL|123|0:home,0:work"});
        lines("bare parameters", "tel;HOME;VOICE:123", {"tel|123|3:HOME,3:VOICE"});
        lines("encoding, charset, value",
            "NOTE;ENCODING=QUOTED-PRINTABLE;charset=utf-8;VALUE=uri:a=3D",
            {"NOTE|a=|1:QUOTED-PRINTABLE,2:utf-8,3:VALUE=uri"});
        lines("empty and bare type", "X;TYPE=;TYPE:1", {"X|1|0:,0:TYPE"});
        lines("empty values kept", "N:a;;b\nNOTE:", {"N|a;;b|", "NOTE||"});
        lines("version and colon-less lines skipped", "VERSION:3.0\nno colon\nFN:A", {"FN|A|"});
        lines("quoted values read whole", "X;TYPE=\"a,b\",c;LABEL=\"x;y: z\":1\\;2;3",
            {"X|1;2;3|0:a,b,0:c,3:LABEL=x;y: z"});
        lines("open quote: the first colon ends the head, quotes alone are no parameter",
            "X;\" \";TYPE=\"a:b;c", {"X|b;c|0:a"});
        lines("begin line ends the reading", "BEGIN:VCARD\nFN:A", {});
        lines("end line ends the reading", "FN:A\nEND:VCARD\nFN:B", {"FN|A|"});
        const auto cards = [](const char* name, const char* text, const Cards& cards) {
            QTest::newRow(name) << QByteArray(text) << cards << false;
        };
        cards("two cards, text around them",
            "junk\nBEGIN:VCARD\nVERSION:2.1\nFN:A\nEND:VCARD\nFN:out\nBEGIN:VCARD\nFN:B\nTEL:"
            "1\nEND:VCARD\n",
            {{"FN|A|"}, {"FN|B|", "TEL|1|"}});
        cards("photo unfolded up to a line without a leading space",
            "BEGIN:VCARD\nPHOTO;ENCODING=b:AAA \n  BBB\n CCC \n\tDDD\nEEE\nEND:VCARD",
            {{"PHOTO|AAABBBCCCDDD|1:b"}});
        cards("every folded line joined, one space or tab removed",
            "BEGIN:VCARD\nNOTE:a\n b\n  c:d\nitem1.photo:A\n B\nX:1\n\t2\nEND:VCARD",
            {{"NOTE|ab c:d|", "photo|AB|", "X|12|"}});
        cards("quoted-printable soft line breaks joined, whatever the next line holds",
            "BEGIN:VCARD\r\nNOTE;ENCODING=QUOTED-PRINTABLE:Probe um=\r\n 10:30=0D=0A=\r\n"
            "Bitte p=C3=\r\n=BCnktlich\r\nFN:A=\r\nTEL:1\r\n"
            "X;ENCODING=QUOTED-PRINTABLE:a = \r\nEND:VCARD",
            {{"NOTE|Probe um 10:30\r\nBitte pünktlich|1:QUOTED-PRINTABLE", "FN|A=|", "TEL|1|",
                "X|a |1:QUOTED-PRINTABLE"}});
        cards("a 2.1 fold keeps its blank, a 3.0 fold loses one",
            "BEGIN:VCARD\nVERSION:2.1\nNOTE:two\n  words\nEND:VCARD\n"
            "BEGIN:VCARD\nVERSION:3.0\nNOTE:two\n  words\nEND:VCARD",
            {{"NOTE|two  words|"}, {"NOTE|two words|"}});
        cards("numbered item prefixes removed",
            "BEGIN:VCARD\nitem1.TEL;type=CELL:123\nITEM2.X:1\nitemA.TEL:5\nhome.TEL:6\nEND:VCARD",
            {{"TEL|123|0:CELL", "X|1|", "itemA.TEL|5|", "home.TEL|6|"}});
        cards("white space inside and after a value kept",
            "BEGIN:VCARD\r\nFN:Anna   \t Berg \r\nNOTE: indented\\n  more\r\nEND:VCARD\r\n",
            {{"FN|Anna   \t Berg |", "NOTE| indented\n  more|"}});
        cards("lower-case begin opens nothing", "begin:vcard\nFN:A\nEND:VCARD", {});
        cards(
            "cut-off card dropped", "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B", {{"FN|A|"}});
        cards("second begin inside a card ignored",
            "BEGIN:VCARD\nFN:A\nBEGIN:VCARD\nTEL:1\nEND:VCARD", {{"FN|A|", "TEL|1|"}});
    }
    void reading()
    {
        QFETCH(QByteArray, text);
        QFETCH(Cards, cards);
        QFETCH(bool, lines);
        QCOMPARE(
            describe(lines ? QList {vCard(P::fromByteArray(text))} : vCard::fromByteArray(text)),
            cards);
    }

    void standardCardsReadWhole_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<QStringList>>("properties");
        QTest::newRow("3.0")
            << QByteArray("BEGIN:VCARD\r\n"
                          "VERSION:3.0\r\n"
                          "N:Berg;Anna;;Dr.;\r\n"
                          "ORG:Quelmar\\, Keys & Strings;Sales\r\n"
                          "TEL;TYPE=\"work,voice\";TYPE=pref:+49 30 1234\r\n"
                          "ADR;TYPE=home:;;Hauptstr. 1\\;Hof;Berlin;;10115;Germany\r\n"
                          "NOTE:Rehearsals Monday\\, Wednesday\\; bring the\r\n"
                          "  score\\nand a pencil\\\\eraser\r\n"
                          "item1.EMAIL;TYPE=INTERNET:anna@example.org\r\n"
                          "END:VCARD\r\n")
            << QList<QStringList> {{"N", "", "Berg", "Anna", "", "Dr.", ""},
                   {"ORG", "", "Quelmar, Keys & Strings", "Sales"},
                   {"TEL", "0:work,voice 0:pref", "+49 30 1234"},
                   {"ADR", "0:home", "", "", "Hauptstr. 1;Hof", "Berlin", "", "10115", "Germany"},
                   {"NOTE", "",
                       "Rehearsals Monday, Wednesday; bring the score\nand a pencil\\eraser"},
                   {"EMAIL", "0:INTERNET", "anna@example.org"}};
        QTest::newRow("4.0")
            << QByteArray("BEGIN:VCARD\r\n"
                          "VERSION:4.0\r\n"
                          "FN:Jörg Lind\r\n"
                          "TEL;VALUE=uri;PREF=1;TYPE=\"voice,home\":tel:+1-555-555-5555\r\n"
                          "NOTE;LANGUAGE=de:Proben\\, Konzerte und\r\n"
                          "\t Unterricht\\N(ab Mai)\r\n"
                          "X-LINK;LABEL=\"Site; main: new\":https://example.org/a\\,b\r\n"
                          "END:VCARD\r\n")
            << QList<QStringList> {{"FN", "", "Jörg Lind"},
                   {"TEL", "3:VALUE=uri 3:PREF=1 0:voice,home", "tel:+1-555-555-5555"},
                   {"NOTE", "3:LANGUAGE=de", "Proben, Konzerte und Unterricht\n(ab Mai)"},
                   {"X-LINK", "3:LABEL=Site; main: new", "https://example.org/a,b"}};
    }
    void standardCardsReadWhole()
    {
        QFETCH(QByteArray, text);
        QFETCH(QList<QStringList>, properties);
        const QList<vCard> cards = vCard::fromByteArray(text);
        QCOMPARE(cards.size(), 1);
        QCOMPARE(fields(cards.first()), properties);
        // The same text with LF line ends reads the same.
        QCOMPARE(fields(vCard::fromByteArray(QByteArray(text).replace("\r\n", "\n")).value(0)),
            properties);
    }

    void writtenValuesReadBackEqual_data()
    {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QByteArray>("line21");
        QTest::addColumn<QByteArray>("line30");
        const QByteArray printable = "NOTE;ENCODING=QUOTED-PRINTABLE:";
        QTest::newRow("comma and colon")
            << "a, b: c" << QByteArray("NOTE:a, b: c") << QByteArray("NOTE:a\\, b: c");
        QTest::newRow("semicolons stay in the value")
            << "one; two;;three;" << QByteArray("NOTE:one\\; two\\;\\;three\\;")
            << QByteArray("NOTE:one\\; two\\;\\;three\\;");
        QTest::newRow("line breaks, CR LF and CR")
            << "first\nsecond\r\nthird\rfourth" << printable + "first=0Asecond=0D=0Athird=0Dfourth"
            << QByteArray("NOTE:first\\nsecond\\nthird\\nfourth");
        QTest::newRow("backslashes, one before n")
            << "C:\\new\\, end\\" << printable + "C:=5Cnew=5C, end=5C"
            << QByteArray("NOTE:C:\\\\new\\\\\\, end\\\\");
        QTest::newRow("quotes and begin line inside")
            << "\"x\"\nEND:VCARD" << printable + "\"x\"=0AEND:VCARD"
            << QByteArray("NOTE:\"x\"\\nEND:VCARD");
        QTest::newRow("inner white space and indented lines")
            << "two  spaces,\ta tab\n    indented"
            << printable + "two  spaces,=09a tab=0A    indented"
            << QByteArray("NOTE:two  spaces\\,\ta tab\\n    indented");
    }
    void writtenValuesReadBackEqual()
    {
        QFETCH(QString, note);
        QFETCH(QByteArray, line21);
        QFETCH(QByteArray, line30);
        const vCard card({P("FN", QStringList {"A, B"}), P("NOTE", QStringList {note}),
            P("ORG", QStringList {note, "unit;1"}, {Param("a;b:c,d", Param::Type)})});
        for (vCardVersion version : {VC21, VC30}) {
            // 3.0 has one escape for every line break; 2.1 keeps each as it is.
            const QString expected
                = version == VC21 ? note : QString(note).replace("\r\n", "\n").replace('\r', '\n');
            const QByteArray text = card.toByteArray(version);
            QCOMPARE(text.count('\n'), 5); // one line per property and the frame
            QVERIFY(text.split('\n').contains(version == VC21 ? line21 : line30));
            const QList<vCard> read = vCard::fromByteArray(text);
            QCOMPARE(read.size(), 1);
            const QList<P> properties = read.first().properties();
            QCOMPARE(properties.size(), 3);
            QCOMPARE(properties.at(0).values(), QStringList {"A, B"});
            QCOMPARE(properties.at(1).values(), QStringList {expected});
            QCOMPARE(properties.at(2).values(), QStringList({expected, "unit;1"}));
            QCOMPARE(properties.at(2).params().first().value(), QString("A;B:C,D"));
        }
    }

    void linesLikeTheFrameKeepTheRestOfTheCard_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("group with a lower-case letter before END") << QByteArray("Item1.END:VCARD");
        QTest::newRow("item group before END") << QByteArray("item1.END:VCARD");
        QTest::newRow("END in lower case") << QByteArray("end:VCARD");
        QTest::newRow("END with an empty parameter text") << QByteArray("END;:VCARD");
    }
    void linesLikeTheFrameKeepTheRestOfTheCard()
    {
        // GIVEN a card with a property line that looks like its END line
        QFETCH(QByteArray, line);
        const QList<vCard> read = vCard::fromByteArray(
            "BEGIN:VCARD\nVERSION:3.0\nFN:Anna\n" + line + "\nNOTE:kept\nTEL:1\nEND:VCARD");
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.first().count(), 4);
        for (vCardVersion version : {VC21, VC30}) {
            // WHEN written and read again, THEN every property comes back
            const QList<vCard> again = vCard::fromByteArray(read.first().toByteArray(version));
            QCOMPARE(again.size(), 1);
            QCOMPARE(namesAndValues(again.first()), namesAndValues(read.first()));
        }
    }

    void cardIn21ReadsBackEqual()
    {
        // GIVEN a card with a comma, a semicolon and a line break in NOTE and ORG
        const QString note = "Rehearsals Monday, Wednesday; bring\nthe score";
        const vCard card({P("FN", QStringList {"Anna Berg"}), P("NOTE", QStringList {note}),
            P::createOrganization("Quelmar, Keys; Strings", {"Sales\nNorth", "a,b"})});
        QTemporaryDir dir;
        const QString path = dir.filePath("card.vcf");
        // WHEN saved (in 2.1) and read again
        QVERIFY(card.saveToFile(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        const QList<vCard> read = vCard::fromFile(path);
        // THEN the text holds no 3.0 escapes, and every value comes back
        QVERIFY(text.startsWith("BEGIN:VCARD\nVERSION:2.1\n"));
        QVERIFY2(!text.contains("\\,") && !text.contains("\\n"), text.constData());
        QVERIFY(text.contains(
            "ORG;ENCODING=QUOTED-PRINTABLE:Quelmar, Keys\\; Strings;Sales=0ANorth;a,b"));
        QCOMPARE(read.size(), 1);
        QCOMPARE(namesAndValues(read.first()), namesAndValues(card));
    }

    // A value of nothing but "=" is read in time that grows with its length.
    void quotedPrintableOfEqualSigns()
    {
        const QByteArray text = "BEGIN:VCARD\nNOTE;ENCODING=QUOTED-PRINTABLE:"
            + QByteArray(4 << 20, '=') + "x\nEND:VCARD\n";
        RunawayWatch watch("reading the card", runawayBoundMs(1000));
        const QList<vCard> read = vCard::fromByteArray(text);
        QVERIFY2(watch.withinBound(), qPrintable(QString::number(watch.elapsedMs())));
        QCOMPARE(read.size(), 1);
    }

    void failedSaveKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("card.vcf");
        const vCard old({P("FN", QStringList {"Anna"})});
        QVERIFY(old.saveToFile(path));
        // WHEN a larger card is saved over it on a full disk
        const vCard larger({P("NOTE", QStringList {QString(8192, 'x')})});
        const QString saved
            = onFullDisk(4096, [&] { return larger.saveToFile(path) ? "saved" : "failed"; });
        // THEN the save fails and the old card is still there, whole
        QCOMPARE(saved, QString("failed"));
        QCOMPARE(namesAndValues(vCard::fromFile(path).value(0)), namesAndValues(old));
    }

    void readingHoldsAtMostItsBound_data()
    {
        QTest::addColumn<QByteArray>("card");
        QTest::addColumn<bool>("read");
        QTest::newRow("address book of real cards, read") << QByteArray(
            "BEGIN:VCARD\nVERSION:3.0\nFN:Anna Berg\nN:Berg;Anna;;;\n"
            "EMAIL;TYPE=INTERNET:anna@example.org\nTEL;TYPE=CELL:+49 170 "
            "1234567\nEND:VCARD\n") << true;
        QTest::newRow("a card of empty properties, refused") << QByteArray(":\n") << false;
        QTest::newRow("a card of tiny properties, refused") << QByteArray("A:1\n") << false;
    }
    void readingHoldsAtMostItsBound()
    {
        QFETCH(QByteArray, card);
        QFETCH(bool, read);
#if defined(__SANITIZE_ADDRESS__)
        const int size = 4 << 20; // the sanitizer's own bookkeeping is no part of the bound
#else
        const int size = 32 << 20;
#endif
        const QByteArray text = read
            ? card.repeated(size / card.size())
            : "BEGIN:VCARD\n" + card.repeated(size / card.size()) + "END:VCARD\n";
        if (!read)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("would take more than"));
        QVERIFY(resetPeakMemory());
        const qint64 before = peakMemoryKiB();
        QCOMPARE(vCard::fromByteArray(text).isEmpty(), !read);
        const qint64 growth = (peakMemoryKiB() - before) << 10;
#if !defined(__SANITIZE_ADDRESS__)
        // Beside the text: what the bound lets the cards hold, and a little for the line at hand.
        const qint64 bound
            = vCardReader::maxHeldPerByte * text.size() + vCardReader::maxHeldAtLeast + (4 << 20);
        QVERIFY2(growth <= bound, qPrintable(QString("%1 > %2").arg(growth).arg(bound)));
#endif
        Q_UNUSED(growth)
    }

    void roundTripIn21()
    {
        const vCard card({P("fn", "Anna Berg", {home}), P::createBirthday(birth),
            P::createOrganization("a;b", {})});
        const QList<vCard> read = vCard::fromByteArray(card.toByteArray(VC21));
        QCOMPARE(describe(read),
            Cards({{"FN|Anna Berg|3:HOME", "BDAY|1985-03-09T23:05:07Z|", "ORG|a;b|"}}));
        QCOMPARE(read.first().properties().last().values(), QStringList({"a;b"}));
    }

    void charsetsComeBackAsTheyWere_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<int>("version");
        const auto row = [](const char* name, const QByteArray& line, const QStringList& values,
                             vCardVersion version = VC21) {
            QTest::newRow(name) << line << values << int(version);
        };
        row("Latin-1, quoted-printable",
            "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=F6rg", {"Müller", "Jörg"});
        row("Latin-1, 8-bit", "FN;CHARSET=ISO-8859-1:J\xF6rg M\xFCller", {"Jörg Müller"});
        row("Latin-1 in a 3.0 card", "N;CHARSET=ISO-8859-1:M\xFCller;J\xF6rg", {"Müller", "Jörg"},
            VC30);
        row("Windows-1252, quoted-printable",
            "NOTE;CHARSET=WINDOWS-1252;ENCODING=QUOTED-PRINTABLE:=80 5 =96 Caf=E9", {"€ 5 – Café"});
        row("Shift_JIS, quoted-printable",
            "TITLE;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=93=FA=96{", {"日本"});
        row("Shift_JIS, 8-bit with a backslash byte inside a letter",
            "ORG;CHARSET=SHIFT_JIS:\x83\x5C\x93\xFA;\x96\x7B", {"ソ日", "本"});
        row("unknown charset, quoted-printable: bytes kept, read as Latin-1",
            "N;CHARSET=X-UNKNOWN;ENCODING=QUOTED-PRINTABLE:M=FCller;J=F6rg", {"Müller", "Jörg"});
        row("unknown charset, 8-bit UTF-8", "N;CHARSET=X-UNKNOWN:M\xC3\xBCller", {"Müller"});
        row("no charset, Latin-1 bytes kept", "N:M\xFCller;J\xF6rg", {"Müller", "Jörg"});
        row("UTF-8 that is not, kept", "NOTE;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=FF=FE",
            {"ÿþ"});
        row("zero byte in a UTF-8 value", QByteArrayLiteral("NOTE:a\0b"),
            {QString("a") + QChar(0) + "b"});
        const QByteArray wide = ";ENCODING=QUOTED-PRINTABLE:";
        row("UTF-16 without a mark: big-endian", "FN;CHARSET=UTF-16" + wide + "=00A=00B", {"AB"});
        row("UTF-16 with a big-endian mark", "FN;CHARSET=UTF-16" + wide + "=FE=FF=00J=00=F6=00r",
            {"Jör"});
        row("UTF-16 with a little-endian mark", "FN;CHARSET=UTF-16" + wide + "=FF=FEJ=00=F6=00r=00",
            {"Jör"});
        row("UTF-16BE", "FN;CHARSET=UTF-16BE" + wide + "=00J=00=F6=00r", {"Jör"});
        row("UTF-16BE with a mark", "FN;CHARSET=UTF-16BE" + wide + "=FE=FF=00J=00=F6", {"Jö"});
        row("UTF-16LE", "FN;CHARSET=UTF-16LE" + wide + "J=00=F6=00r=00", {"Jör"});
        row("UTF-16LE with a mark", "FN;CHARSET=UTF-16LE" + wide + "=FF=FEJ=00=F6=00", {"Jö"});
        row("UTF-16LE, 8-bit", QByteArrayLiteral("FN;CHARSET=UTF-16LE:J\0\xF6\0r\0"), {"Jör"});
        row("UTF-16, a structured name in a 3.0 card",
            "N;CHARSET=UTF-16" + wide + "=00B=00e=00r=00g=00;=00A=00n=00n=00a", {"Berg", "Anna"},
            VC30);
        row("UTF-16, half a character kept", "FN;CHARSET=UTF-16" + wide + "=00A=00", {"A"});
        row("UTF-32", "FN;CHARSET=UTF-32" + wide + "=00=00=00A=00=00=00B", {"AB"});
        row("UTF-32 with a big-endian mark", "FN;CHARSET=UTF-32" + wide + "=00=00=FE=FF=00=00=00A",
            {"A"});
        row("UTF-32LE", "FN;CHARSET=UTF-32LE" + wide + "J=00=00=00=F6=00=00=00", {"Jö"});
    }
    void charsetsComeBackAsTheyWere()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, values);
        QFETCH(int, version);
        // GIVEN a card with a property in a charset
        const QByteArray text = QByteArray("BEGIN:VCARD\nVERSION:") + (version ? "3.0" : "2.1")
            + "\n" + line + "\nEND:VCARD";
        // WHEN read, THEN its values are the letters
        const QList<vCard> read = vCard::fromByteArray(text);
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.first().properties().value(0).values(), values);
        // and written again, it is the same bytes
        QCOMPARE(read.first().toByteArray(vCardVersion(version)), text);
        // and written in the other version, the same values
        const QByteArray other = read.first().toByteArray(vCardVersion(1 - version));
        QCOMPARE(vCard::fromByteArray(other).value(0).properties().value(0).values(), values);
    }

    void valuesWrittenInTheirCharset_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("params");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("fits Latin-1, quoted-printable")
            << "Grüß"
            << "CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE"
            << QByteArray("X;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Gr=FC=DF");
        QTest::newRow("fits Latin-1, 8-bit")
            << "Grüß"
            << "CHARSET=latin1" << QByteArray("X;CHARSET=LATIN1:Gr\xFC\xDF");
        QTest::newRow("beyond Latin-1: UTF-8, and the charset says so")
            << "5 €"
            << "CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE"
            << QByteArray("X;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:5 =E2=82=AC");
        QTest::newRow("unknown charset, ASCII as it is")
            << "abc"
            << "CHARSET=X-UNKNOWN" << QByteArray("X;CHARSET=X-UNKNOWN:abc");
        QTest::newRow("unknown charset, beyond ASCII: UTF-8")
            << "é"
            << "CHARSET=X-UNKNOWN" << QByteArray("X;CHARSET=UTF-8:\xC3\xA9");
        QTest::newRow("UTF-16, quoted-printable: big-endian with a mark")
            << "Jö, A\\B"
            << "CHARSET=UTF-16;ENCODING=QUOTED-PRINTABLE"
            << QByteArray("X;CHARSET=UTF-16;ENCODING=QUOTED-PRINTABLE:=FE=FF=00J=00=F6=00,=00 "
                          "=00A=00=5C=00=5C=00B");
        QTest::newRow("UTF-16LE, quoted-printable: no mark")
            << "Jö"
            << "CHARSET=UTF-16LE;ENCODING=QUOTED-PRINTABLE"
            << QByteArray("X;CHARSET=UTF-16LE;ENCODING=QUOTED-PRINTABLE:J=00=F6=00");
        QTest::newRow("UTF-32, 8-bit: UTF-8")
            << "Jö"
            << "CHARSET=UTF-32" << QByteArray("X;CHARSET=UTF-8:J\xC3\xB6");
    }
    void valuesWrittenInTheirCharset()
    {
        QFETCH(QString, value);
        QFETCH(QString, params);
        QFETCH(QByteArray, line);
        const P property("X", QStringList {value}, params);
        QCOMPARE(property.toByteArray(VC21), line);
        QCOMPARE(P::fromByteArray(line).value(0).values(), QStringList {value});
    }

    void commaListsKeepTheirForm_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("version");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QByteArray>("otherLine"); // written in the other version
        const auto row = [](const char* name, const QByteArray& line, vCardVersion version,
                             const QStringList& values, const QByteArray& otherLine) {
            QTest::newRow(name) << line << int(version) << values << otherLine;
        };
        row("categories", "CATEGORIES:friends,band", VC30, {"friends,band"},
            "CATEGORIES:friends,band");
        row("nickname", "NICKNAME:Bob,Rob", VC30, {"Bob,Rob"}, "NICKNAME:Bob,Rob");
        row("an escaped comma beside bare ones", "CATEGORIES:friends,choir\\, alto,VIP", VC30,
            {"friends,choir, alto,VIP"}, "CATEGORIES:friends,choir\\, alto,VIP");
        row("an escaped comma beside bare ones in 2.1", "CATEGORIES:a\\,b,c", VC21, {"a,b,c"},
            "CATEGORIES:a\\,b,c");
        row("name components as lists", "N:Berg;Anna;Maria,Luise;Dr.\\, med.;", VC30,
            {"Berg", "Anna", "Maria,Luise", "Dr., med.", ""},
            "N:Berg;Anna;Maria,Luise;Dr.\\, med.;");
        row("address with a list of streets", "ADR:;;Hauptstr. 1,Hof\\, 2;Berlin;;10115;", VC30,
            {"", "", "Hauptstr. 1,Hof, 2", "Berlin", "", "10115", ""},
            "ADR:;;Hauptstr. 1,Hof\\, 2;Berlin;;10115;");
        row("2.1 geographic position", "GEO:52.52,13.405", VC21, {"52.52,13.405"},
            "GEO:52.52,13.405");
        row("quoted-printable list, an encoded comma inside an item",
            "NOTE;ENCODING=QUOTED-PRINTABLE:a,b\\,c=0Ad\\,e", VC21, {"a,b,c\nd,e"},
            "NOTE;ENCODING=QUOTED-PRINTABLE:a,b\\,c=0Ad\\,e");
        row("UTF-16 list",
            "X-LIST;CHARSET=UTF-16;ENCODING=QUOTED-PRINTABLE:=FE=FF=00a=00,=00b=00=5C=00,=00c",
            VC30, {"a,b,c"},
            "X-LIST;CHARSET=UTF-16;ENCODING=QUOTED-PRINTABLE:=FE=FF=00a=00,=00b=00=5C=00,=00c");
    }
    void commaListsKeepTheirForm()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, version);
        QFETCH(QStringList, values);
        QFETCH(QByteArray, otherLine);
        const auto card = [](int version, const QByteArray& line) {
            return "BEGIN:VCARD\nVERSION:" + QByteArray(version == VC21 ? "2.1" : "3.0") + "\n"
                + line + "\nEND:VCARD";
        };
        // GIVEN a card whose property holds bare and escaped commas
        const vCard read = vCard::fromByteArray(card(version, line)).value(0);
        QCOMPARE(read.properties().value(0).values(), values);
        // WHEN it is written, in either version, THEN every comma keeps its form
        QCOMPARE(read.toByteArray(vCardVersion(version)), card(version, line));
        QCOMPARE(read.toByteArray(vCardVersion(1 - version)), card(1 - version, otherLine));
        // and so through the other version and back, and in a card the property is added to
        const vCard other = vCard::fromByteArray(card(1 - version, otherLine)).value(0);
        QCOMPARE(other.toByteArray(vCardVersion(version)), card(version, line));
        vCard edited({P("FN", "Anna")});
        edited.addProperties(read.properties());
        QCOMPARE(edited.properties().last().toByteArray(vCardVersion(version)), line);
    }

    void commasOfACallersValueEscapedIn30()
    {
        const P read = P::fromByteArray("CATEGORIES:friends,band").value(0);
        const P set("CATEGORIES", read.values());
        QCOMPARE(set.toByteArray(VC30), QByteArray("CATEGORIES:friends\\,band"));
        QCOMPARE(set.toByteArray(VC21), QByteArray("CATEGORIES:friends,band"));
    }

    void groupNamesInAnyCase_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("name");
        QTest::newRow("capital I") << QByteArray("Item3.TEL:+1 666") << "TEL";
        QTest::newRow("mixed case") << QByteArray("iTEM1.tel;TYPE=CELL:1") << "tel";
        QTest::newRow("two item groups and a blank")
            << QByteArray("Item1. item2.EMAIL:a@b") << "EMAIL";
        QTest::newRow("other groups stay") << QByteArray("Home.TEL:1") << "Home.TEL";
    }
    void groupNamesInAnyCase()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, name);
        const QList<vCard> read = vCard::fromByteArray("BEGIN:VCARD\n" + line + "\nEND:VCARD");
        QCOMPARE(read.value(0).properties().value(0).name(), name);
        for (vCardVersion version : {VC21, VC30}) {
            const QList<vCard> again = vCard::fromByteArray(read.first().toByteArray(version));
            QCOMPARE(again.value(0).properties().value(0).name(), name.toUpper());
        }
    }

    void largePropertiesRefusedCheaply_data()
    {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<bool>("refused");
        QTest::newRow("3 MB line of TYPE values")
            << "A;TYPE=a" + QByteArray(",a").repeated(1500000) + ":x" << true;
        QTest::newRow("2 MB of semicolons in the values")
            << "A:" + QByteArray(2 << 20, ';') << true;
        QTest::newRow("2 MB of semicolons in the parameters")
            << "A" + QByteArray(2 << 20, ';') + ":x" << true;
        QTest::newRow("63 MiB of tiny properties")
            << QByteArray("A:1\n").repeated((63 << 20) / 4) << true;
        QTest::newRow("as many values as a property may have")
            << "A:" + QByteArray(vCardReader::maxParts - 1, ';') << false;
        QTest::newRow("one value more") << "A:" + QByteArray(vCardReader::maxParts, ';') << true;
        QTest::newRow("2 MB of commas in a value, read")
            << "A:" + QByteArray(2 << 20, ',') << false;
        QTest::newRow("2 MB of commas in a quoted-printable value, read")
            << "A;ENCODING=QUOTED-PRINTABLE:" + QByteArray(2 << 20, ',') << false;
    }
    void largePropertiesRefusedCheaply()
    {
        QFETCH(QByteArray, lines);
        QFETCH(bool, refused);
        const QByteArray text = "BEGIN:VCARD\n" + lines + "\nEND:VCARD\n";
        QVERIFY(resetPeakMemory());
        const qint64 before = peakMemoryKiB();
        const ThreadTime clock;
        QString error = "left from before";
        const QList<vCard> read = vCard::fromByteArray(text, &error);
        const qint64 elapsed = clock.elapsedMs();
        const qint64 growthKiB = peakMemoryKiB() - before;
        QCOMPARE(read.isEmpty(), refused);
        QCOMPARE(error.isEmpty(), !refused);
        QVERIFY2(elapsed < runawayBoundMs(500), qPrintable(QString::number(elapsed)));
#if !defined(__SANITIZE_ADDRESS__)
        // The sanitizer's own bookkeeping, a stack for every allocation, is no part of it.
        QVERIFY2(growthKiB < 100 << 10, qPrintable(QString::number(growthKiB)));
#endif
        Q_UNUSED(growthKiB)
    }

    void refusedTextToldFromOneWithoutCards()
    {
        QString error = "left from before";
        QVERIFY(vCard::fromByteArray("no card here\n", &error).isEmpty());
        QVERIFY(error.isEmpty());
        QVERIFY(vCard::fromByteArray(
            "BEGIN:VCARD\nA;TYPE=a" + QByteArray(",a").repeated(5000) + ":1\nEND:VCARD\n", &error)
                    .isEmpty());
        QVERIFY(error.contains("more than 4096 values or parameters"));
        QTemporaryDir dir;
        QVERIFY(vCard::fromFile(dir.filePath("missing.vcf"), &error).isEmpty());
        QVERIFY2(error.contains("missing.vcf can't be opened"), qPrintable(error));
        QFile huge(dir.filePath("huge.vcf"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize((qint64(64) << 20) + 1));
        huge.close();
        QVERIFY(vCard::fromFile(huge.fileName(), &error).isEmpty());
        QVERIFY2(error.contains("huge.vcf is larger than"), qPrintable(error));
        QVERIFY(vCard({P("FN", "Anna")}).saveToFile(huge.fileName()));
        QCOMPARE(vCard::fromFile(huge.fileName(), &error).size(), 1);
        QVERIFY(error.isEmpty());
    }

    void files()
    {
        QTemporaryDir dir;
        const vCard card({P("FN", "Anna"), P("TEL", "1", {home})});
        const QString path = dir.filePath("card.vcf");
        QVERIFY(card.saveToFile(path));
        QFile crlf(dir.filePath("crlf.vcf"));
        QVERIFY(crlf.open(QIODevice::WriteOnly));
        crlf.write(card.toByteArray(VC21).replace("\n", "\r\n") + "\r\n");
        crlf.close();
        const Cards expected {{"FN|Anna|", "TEL|1|3:HOME"}};
        QCOMPARE(describe(vCard::fromFile(path)), expected);
        QCOMPARE(describe(vCard::fromFile(crlf.fileName())), expected);
        QVERIFY(!card.saveToFile(dir.filePath("missing/card.vcf")));
        QVERIFY(vCard::fromFile(dir.filePath("missing.vcf")).isEmpty());
        // Work bounded by a limit, not by the file: a card behind 64 MiB of blanks and an
        // endless device are refused.
        QFile huge(dir.filePath("huge.vcf"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        huge.seek((qint64(64) << 20) - 1);
        huge.write(card.toByteArray(VC30));
        huge.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("huge.vcf is larger than"));
        QVERIFY(vCard::fromFile(huge.fileName()).isEmpty());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("/dev/zero is larger than"));
        QVERIFY(vCard::fromFile("/dev/zero").isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestvCard)
#include "test_vCard.moc"
