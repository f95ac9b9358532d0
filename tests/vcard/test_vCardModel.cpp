#include "vCard.h"

#include <QtTest>

Q_DECLARE_METATYPE(vCardParam)
Q_DECLARE_METATYPE(vCardProperty)
Q_DECLARE_METATYPE(vCard)

// Factories, validity, lookup and equality of cards, properties and parameters.
class TestvCardModel : public QObject
{
    Q_OBJECT

private slots:
    void factories_data()
    {
        QTest::addColumn<vCardProperty>("property");
        QTest::addColumn<QString>("line");
        QTest::newRow("name: family first") << vCardProperty::createName("given", "family", "",
            "prefix", "") << "N:family;given;;prefix;";
        QTest::newRow("address: box and extended first") << vCardProperty::createAddress("street",
            "city", "region", "code", "country", "box",
            "ext") << "ADR:box;ext;street;city;region;code;country";
        QTest::newRow("organization and units") << vCardProperty::createOrganization(
            "Quelmar", {"Sound", "Keys"}) << "ORG:Quelmar;Sound;Keys";
        QTest::newRow("geo: six significant digits")
            << vCardProperty::createGeographicPosition(52.520008, 13.404954) << "GEO:52.52;13.405";
        QTest::newRow("geo: negative and tiny") << vCardProperty::createGeographicPosition(
            -122.419416, 0.00001) << "GEO:-122.419;1e-05";
        QTest::newRow("geo: large")
            << vCardProperty::createGeographicPosition(1234567, 0) << "GEO:1.23457e+06;0";
        QTest::newRow("birthday date")
            << vCardProperty::createBirthday(QDate(1985, 3, 9)) << "BDAY:1985-03-09";
        QTest::newRow("birthday in UTC unchanged")
            << vCardProperty::createBirthday(QDateTime(QDate(1985, 3, 9), QTime(23, 5, 7), Qt::UTC))
            << "BDAY:1985-03-09T23:05:07Z";
        QTest::newRow("birthday two hours east moves back a day") << vCardProperty::createBirthday(
            QDateTime(QDate(1985, 3, 10), QTime(1, 5, 7), Qt::OffsetFromUTC, 7200))
                                                                  << "BDAY:1985-03-09T23:05:07Z";
    }
    void factories()
    {
        QFETCH(vCardProperty, property);
        QFETCH(QString, line);
        QCOMPARE(property.name() + ':' + property.value(), line);
        QCOMPARE(property.values().size(), line.count(';') + 1);
    }

    void validity_data()
    {
        QTest::addColumn<vCard>("card");
        QTest::addColumn<bool>("valid");
        const vCardProperty named("X", QString());
        QTest::newRow("no properties") << vCard() << false;
        QTest::newRow("one empty value is a value") << vCard({named}) << true;
        QTest::newRow("no values") << vCard({named, vCardProperty("X", QStringList())}) << false;
        QTest::newRow("no name") << vCard({named, vCardProperty(QString(), "1")}) << false;
        QTest::newRow("parameter without value")
            << vCard({named, vCardProperty("X", "1", {vCardParam("", vCardParam::Type)})}) << false;
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
        QTest::addColumn<QList<vCardParam>>("params");
        QTest::addColumn<bool>("strict");
        QTest::addColumn<QString>("found");
        const vCardParam home("home", vCardParam::Type), work("work", vCardParam::Type);
        QTest::newRow("strict, part of the parameters") << "TEL" << QList {home} << true << "";
        QTest::newRow("loose, part of the parameters") << "TEL" << QList {home} << false << "123";
        QTest::newRow("strict, all in order") << "TEL" << QList {home, work} << true << "123";
        QTest::newRow("strict, another order") << "TEL" << QList {work, home} << true << "";
        QTest::newRow("loose, another order") << "TEL" << QList {work, home} << false << "123";
        QTest::newRow("no parameters") << "EMAIL" << QList<vCardParam>() << true << "a@b.de";
        QTest::newRow("name case counts") << "tel" << QList<vCardParam>() << false << "";
        QTest::newRow("group counts")
            << "TEL" << QList {vCardParam("home", vCardParam::Undefined)} << false << "";
    }
    void lookup()
    {
        QFETCH(QString, name);
        QFETCH(QList<vCardParam>, params);
        QFETCH(bool, strict);
        QFETCH(QString, found);
        vCard card;
        card.addProperty(vCardProperty("EMAIL", "a@b.de"));
        card.addProperties(
            {vCardProperty("TEL", "123",
                 {vCardParam("home", vCardParam::Type), vCardParam("work", vCardParam::Type)}),
                vCardProperty("TEL", "456")});
        const vCardProperty property = card.property(name, params, strict);
        QCOMPARE(property.value(), found);
        QCOMPARE(property.isValid(), !found.isEmpty());
        QCOMPARE(card.contains(name, params, strict), !found.isEmpty());
    }

    void equalityLeavesParametersOut()
    {
        const vCardProperty home("TEL", "123", {vCardParam("HOME", vCardParam::Undefined)});
        const vCardProperty work("TEL", "123", {vCardParam("WORK", vCardParam::Undefined)});
        QVERIFY(home == work && vCard({home}).contains(work));
        QVERIFY(home != vCardProperty("tel", "123") && home != vCardProperty("TEL", "123;"));
        QVERIFY(!vCard({home}).contains(vCardProperty("TEL", "124")));
        QVERIFY(vCardParam("a", vCardParam::Type) != vCardParam("A", vCardParam::Type));
        QVERIFY(vCardParam("a", vCardParam::Type) != vCardParam("a", vCardParam::Charset));
    }
};

QTEST_APPLESS_MAIN(TestvCardModel)
#include "test_vCardModel.moc"
