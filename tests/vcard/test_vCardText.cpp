#include "vCard.h"

#include <QtTest>

Q_DECLARE_METATYPE(vCard)

namespace {

// NAME|value;value|group:value,group:value
QString describe(const vCardProperty& property)
{
    QStringList params;
    for (const vCardParam& param : property.params())
        params << QString::number(param.group()) + ':' + param.value();
    return property.name() + '|' + property.value() + '|' + params.join(',');
}

QStringList describe(const vCard& card)
{
    QStringList lines;
    for (const vCardProperty& property : card.properties())
        lines << describe(property);
    return lines;
}

QList<QStringList> describe(const QList<vCard>& cards)
{
    QList<QStringList> described;
    for (const vCard& card : cards)
        described << describe(card);
    return described;
}

const vCardParam home("home", vCardParam::Type);

} // namespace

// Writing and reading vCard 2.1 and 3.0 text and files.
class TestvCardText : public QObject
{
    Q_OBJECT

private slots:
    void writing_data();
    void writing();
    void readingLines_data();
    void readingLines();
    void readingCards_data();
    void readingCards();
    void roundTripIn21();
    void files();
};

void TestvCardText::writing_data()
{
    QTest::addColumn<vCard>("card");
    QTest::addColumn<QByteArray>("text21");
    QTest::addColumn<QByteArray>("text30");
    const QList<vCardParam> mixed {home, vCardParam("b", vCardParam::Encoding),
        vCardParam("pref", vCardParam::Undefined), vCardParam("work", vCardParam::Type),
        vCardParam("utf-8", vCardParam::Charset)};
    QTest::newRow("empty card") << vCard() << QByteArray("BEGIN:VCARD\nVERSION:2.1\nEND:VCARD")
                                << QByteArray("BEGIN:VCARD\nVERSION:3.0\nEND:VCARD");
    QTest::newRow("type parameter")
        << vCard({vCardProperty("tel", "123", {home})})
        << QByteArray("BEGIN:VCARD\nVERSION:2.1\nTEL;HOME:123\nEND:VCARD")
        << QByteArray("BEGIN:VCARD\nVERSION:3.0\nTEL;TYPE=HOME:123\nEND:VCARD");
    QTest::newRow("parameter orders")
        << vCard({vCardProperty("x", "v", mixed)})
        << QByteArray(
               "BEGIN:VCARD\nVERSION:2.1\nX;HOME;ENCODING=B;PREF;WORK;CHARSET=UTF-8:v\nEND:VCARD")
        << QByteArray("BEGIN:VCARD\nVERSION:3.0\nX;TYPE=HOME,WORK;PREF;CHARSET=UTF-8;ENCODING=B:"
                      "v\nEND:VCARD");
    QTest::newRow("values as stored, only ASCII upper-cased")
        << vCard({vCardProperty::createName("Jörg", "d;x", "", "", ""),
               vCardProperty("nöte", "a:b\\,c", {vCardParam("é", vCardParam::Undefined)})})
        << QByteArray("BEGIN:VCARD\nVERSION:2.1\nN:d;x;Jörg;;;\nNöTE;é:a:b\\,c\nEND:VCARD")
        << QByteArray("BEGIN:VCARD\nVERSION:3.0\nN:d;x;Jörg;;;\nNöTE;é:a:b\\,c\nEND:VCARD");
}

void TestvCardText::writing()
{
    QFETCH(vCard, card);
    QFETCH(QByteArray, text21);
    QFETCH(QByteArray, text30);
    QCOMPARE(card.toByteArray(VC21), text21);
    QCOMPARE(card.toByteArray(VC30), text30);
    QVERIFY(card.toByteArray(vCardVersion(2)).isEmpty());
}

void TestvCardText::readingLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("properties");
    QTest::newRow("type list") << QByteArray("TEL;type=home,work:123")
                               << QStringList {"TEL|123|0:home,0:work"};
    QTest::newRow("bare parameters")
        << QByteArray("tel;HOME;VOICE:123") << QStringList {"tel|123|3:HOME,3:VOICE"};
    QTest::newRow("encoding, charset, value")
        << QByteArray("NOTE;ENCODING=QUOTED-PRINTABLE;charset=utf-8;VALUE=uri:a=3D")
        << QStringList {"NOTE|a=3D|1:QUOTED-PRINTABLE,2:utf-8,3:VALUE=uri"};
    QTest::newRow("empty and bare type")
        << QByteArray("X;TYPE=;TYPE:1") << QStringList {"X|1|0:,0:TYPE"};
    QTest::newRow("empty values kept")
        << QByteArray("N:a;;b\nNOTE:") << QStringList {"N|a;;b|", "NOTE||"};
    QTest::newRow("colons in the value")
        << QByteArray("BDAY:1985-03-09T23:05:07Z") << QStringList {"BDAY|1985-03-09T23:05:07Z|"};
    QTest::newRow("version and colon-less lines skipped")
        << QByteArray("VERSION:3.0\nno colon\nFN:A") << QStringList {"FN|A|"};
    QTest::newRow("begin line ends the reading")
        << QByteArray("BEGIN:VCARD\nFN:A") << QStringList();
    QTest::newRow("end line ends the reading")
        << QByteArray("FN:A\nEND:VCARD\nFN:B") << QStringList {"FN|A|"};
}

void TestvCardText::readingLines()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, properties);
    QStringList read;
    for (const vCardProperty& property : vCardProperty::fromByteArray(text))
        read << describe(property);
    QCOMPARE(read, properties);
}

void TestvCardText::readingCards_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<QStringList>>("cards");
    QTest::newRow("two cards, text around them")
        << QByteArray("junk\nBEGIN:VCARD\nVERSION:2.1\nFN:A\nEND:VCARD\nFN:out\n"
                      "BEGIN:VCARD\nFN:B\nTEL:1\nEND:VCARD\n")
        << QList<QStringList> {{"FN|A|"}, {"FN|B|", "TEL|1|"}};
    QTest::newRow("photo unfolded")
        << QByteArray("BEGIN:VCARD\nPHOTO;ENCODING=b:AAA\n  BBB\n CCC \n\tDDD\n EEE\nEND:VCARD")
        << QList<QStringList> {{"PHOTO|AAABBBCCC|1:b"}};
    QTest::newRow("photo with three continuations before the end")
        << QByteArray("BEGIN:VCARD\nPHOTO:AA\n BB\n CC\n DD\nEND:VCARD")
        << QList<QStringList> {{"PHOTO|AABBCCDD|"}};
    QTest::newRow("other folded lines not joined") << QByteArray(
        "BEGIN:VCARD\nNOTE:a\n b\n c:d\nEND:VCARD") << QList<QStringList> {{"NOTE|a|", "c|d|"}};
    QTest::newRow("numbered item prefixes removed") << QByteArray(
        "BEGIN:VCARD\nitem1.TEL;type=CELL:123\nITEM2.X:1\nitemA.TEL:5\nhome.TEL:6\nEND:VCARD")
                                                    << QList<QStringList> {{"TEL|123|0:CELL",
                                                           "X|1|", "itemA.TEL|5|", "home.TEL|6|"}};
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

void TestvCardText::readingCards()
{
    QFETCH(QByteArray, text);
    QFETCH(QList<QStringList>, cards);
    QCOMPARE(describe(vCard::fromByteArray(text)), cards);
}

void TestvCardText::roundTripIn21()
{
    vCard card({vCardProperty("fn", "Anna Berg", {home}),
        vCardProperty::createBirthday(QDateTime(QDate(1985, 3, 9), QTime(23, 5, 7), Qt::UTC)),
        vCardProperty::createOrganization("a;b", {})});
    const QList<vCard> read = vCard::fromByteArray(card.toByteArray(VC21));
    QCOMPARE(read.size(), 1);
    QCOMPARE(describe(read.first()),
        QStringList({"FN|Anna Berg|3:HOME", "BDAY|1985-03-09T23:05:07Z|", "ORG|a;b|"}));
    QCOMPARE(read.first().properties().last().values(), QStringList({"a", "b"}));
}

void TestvCardText::files()
{
    QTemporaryDir dir;
    const vCard card({vCardProperty("FN", "Anna"), vCardProperty("TEL", "1", {home})});
    const QString path = dir.filePath("card.vcf");
    QVERIFY(card.saveToFile(path));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), card.toByteArray(VC21));

    QFile crlf(dir.filePath("crlf.vcf"));
    QVERIFY(crlf.open(QIODevice::WriteOnly));
    crlf.write(card.toByteArray(VC21).replace("\n", "\r\n") + "\r\n");
    crlf.close();
    QCOMPARE(describe(vCard::fromFile(crlf.fileName())), describe(vCard::fromFile(path)));
    QCOMPARE(describe(vCard::fromFile(path)), QList<QStringList>({{"FN|Anna|", "TEL|1|3:HOME"}}));

    QVERIFY(!card.saveToFile(dir.filePath("missing/card.vcf")));
    QVERIFY(!card.saveToFile("/dev/full"));
    QVERIFY(vCard::fromFile(dir.filePath("missing.vcf")).isEmpty());
}

QTEST_APPLESS_MAIN(TestvCardText)
#include "test_vCardText.moc"
