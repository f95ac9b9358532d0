#include "vCard.h"

#include <QtTest>

Q_DECLARE_METATYPE(vCard)

namespace {

// One card per list, one "NAME|value;value|group:value,..." per property.
QList<QStringList> describe(const QList<vCard>& cards)
{
    QList<QStringList> described;
    for (const vCard& card : cards) {
        QStringList properties;
        for (const vCardProperty& property : card.properties()) {
            QStringList params;
            for (const vCardParam& param : property.params())
                params << QString::number(param.group()) + ':' + param.value();
            properties << property.name() + '|' + property.value() + '|' + params.join(',');
        }
        described << properties;
    }
    return described;
}

// A card of one text line, read back.
QStringList readLine(const QByteArray& line)
{
    return describe({vCard(vCardProperty::fromByteArray(line))}).first();
}

const vCardParam home("home", vCardParam::Type);

} // namespace

// Writing and reading vCard 2.1 and 3.0 text and files.
class TestvCardText : public QObject
{
    Q_OBJECT

private slots:
    void writing_data()
    {
        QTest::addColumn<vCard>("card");
        QTest::addColumn<QByteArray>("lines21");
        QTest::addColumn<QByteArray>("lines30");
        const QList<vCardParam> mixed {home, vCardParam("b", vCardParam::Encoding),
            vCardParam("pref", vCardParam::Undefined), vCardParam("work", vCardParam::Type),
            vCardParam("utf-8", vCardParam::Charset)};
        QTest::newRow("empty card") << vCard() << QByteArray() << QByteArray();
        QTest::newRow("type parameter")
            << vCard({vCardProperty("tel", "123", {home})}) << QByteArray("TEL;HOME:123\n")
            << QByteArray("TEL;TYPE=HOME:123\n");
        QTest::newRow("parameter orders")
            << vCard({vCardProperty("x", "v", mixed)})
            << QByteArray("X;HOME;ENCODING=B;PREF;WORK;CHARSET=UTF-8:v\n")
            << QByteArray("X;TYPE=HOME,WORK;PREF;CHARSET=UTF-8;ENCODING=B:v\n");
        const QByteArray asStored = "N:d;x;Jörg;;;\nNöTE;é:a:b\\,c\n";
        QTest::newRow("values as stored, only ASCII upper-cased")
            << vCard({vCardProperty::createName("Jörg", "d;x", "", "", ""),
                   vCardProperty("nöte", "a:b\\,c", {vCardParam("é", vCardParam::Undefined)})})
            << asStored << asStored;
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

    void readingLines_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("properties");
        QTest::newRow("type list")
            << QByteArray("TEL;type=home,work:123") << QStringList {"TEL|123|0:home,0:work"};
        QTest::newRow("bare parameters")
            << QByteArray("tel;HOME;VOICE:123") << QStringList {"tel|123|3:HOME,3:VOICE"};
        QTest::newRow("encoding, charset, value")
            << QByteArray("NOTE;ENCODING=QUOTED-PRINTABLE;charset=utf-8;VALUE=uri:a=3D")
            << QStringList {"NOTE|a=3D|1:QUOTED-PRINTABLE,2:utf-8,3:VALUE=uri"};
        QTest::newRow("empty and bare type")
            << QByteArray("X;TYPE=;TYPE:1") << QStringList {"X|1|0:,0:TYPE"};
        QTest::newRow("empty values kept")
            << QByteArray("N:a;;b\nNOTE:") << QStringList {"N|a;;b|", "NOTE||"};
        QTest::newRow("version and colon-less lines skipped")
            << QByteArray("VERSION:3.0\nno colon\nFN:A") << QStringList {"FN|A|"};
        QTest::newRow("begin line ends the reading")
            << QByteArray("BEGIN:VCARD\nFN:A") << QStringList();
        QTest::newRow("end line ends the reading")
            << QByteArray("FN:A\nEND:VCARD\nFN:B") << QStringList {"FN|A|"};
    }
    void readingLines()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, properties);
        QCOMPARE(readLine(text), properties);
    }

    void readingCards_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<QStringList>>("cards");
        QTest::newRow("two cards, text around them") << QByteArray(
            "junk\nBEGIN:VCARD\nVERSION:2.1\nFN:A\nEND:VCARD\nFN:out\nBEGIN:VCARD\nFN:B\nTEL:"
            "1\nEND:VCARD\n") << QList<QStringList> {{"FN|A|"}, {"FN|B|", "TEL|1|"}};
        QTest::newRow("photo unfolded up to a line without a leading space")
            << QByteArray("BEGIN:VCARD\nPHOTO;ENCODING=b:AAA\n  BBB\n CCC \n\tDDD\n EEE\nEND:VCARD")
            << QList<QStringList> {{"PHOTO|AAABBBCCC|1:b"}};
        QTest::newRow("other folded lines not joined") << QByteArray(
            "BEGIN:VCARD\nNOTE:a\n b\n c:d\nEND:VCARD") << QList<QStringList> {{"NOTE|a|", "c|d|"}};
        QTest::newRow("numbered item prefixes removed") << QByteArray(
            "BEGIN:VCARD\nitem1.TEL;type=CELL:123\nITEM2.X:1\nitemA.TEL:5\nhome.TEL:6\nEND:VCARD")
                                                        << QList<QStringList> {
                                                               {"TEL|123|0:CELL", "X|1|",
                                                                   "itemA.TEL|5|", "home.TEL|6|"}};
        QTest::newRow("white space simplified")
            << QByteArray("BEGIN:VCARD\r\n  FN:Anna   \t Berg \r\nEND:VCARD\r\n")
            << QList<QStringList> {{"FN|Anna Berg|"}};
        QTest::newRow("lower-case begin opens nothing")
            << QByteArray("begin:vcard\nFN:A\nEND:VCARD") << QList<QStringList>();
        QTest::newRow("cut-off card dropped")
            << QByteArray("BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B")
            << QList<QStringList> {{"FN|A|"}};
        QTest::newRow("second begin inside a card ignored")
            << QByteArray("BEGIN:VCARD\nFN:A\nBEGIN:VCARD\nTEL:1\nEND:VCARD")
            << QList<QStringList> {{"FN|A|", "TEL|1|"}};
    }
    void readingCards()
    {
        QFETCH(QByteArray, text);
        QFETCH(QList<QStringList>, cards);
        QCOMPARE(describe(vCard::fromByteArray(text)), cards);
    }

    void roundTripIn21()
    {
        const vCard card({vCardProperty("fn", "Anna Berg", {home}),
            vCardProperty::createBirthday(QDateTime(QDate(1985, 3, 9), QTime(23, 5, 7), Qt::UTC)),
            vCardProperty::createOrganization("a;b", {})});
        const QList<vCard> read = vCard::fromByteArray(card.toByteArray(VC21));
        QCOMPARE(describe(read),
            QList<QStringList>(
                {{"FN|Anna Berg|3:HOME", "BDAY|1985-03-09T23:05:07Z|", "ORG|a;b|"}}));
        QCOMPARE(read.first().properties().last().values(), QStringList({"a", "b"}));
    }

    void files()
    {
        QTemporaryDir dir;
        const vCard card({vCardProperty("FN", "Anna"), vCardProperty("TEL", "1", {home})});
        const QString path = dir.filePath("card.vcf");
        QVERIFY(card.saveToFile(path));
        QFile crlf(dir.filePath("crlf.vcf"));
        QVERIFY(crlf.open(QIODevice::WriteOnly));
        crlf.write(card.toByteArray(VC21).replace("\n", "\r\n") + "\r\n");
        crlf.close();
        const QList<QStringList> expected {{"FN|Anna|", "TEL|1|3:HOME"}};
        QCOMPARE(describe(vCard::fromFile(path)), expected);
        QCOMPARE(describe(vCard::fromFile(crlf.fileName())), expected);

        // Failures to write are reported, not only failures to open.
        QVERIFY(!card.saveToFile(dir.filePath("missing/card.vcf")));
        QVERIFY(!card.saveToFile("/dev/full"));
        QVERIFY(vCard::fromFile(dir.filePath("missing.vcf")).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestvCardText)
#include "test_vCardText.moc"
