#include "../common/OpenedUrls.h"
#include "App.h"
#include "BanjoTuner.h"
#include "GuitarTuner.h"
#include "ModesPanel.h"
#include "TunerInstruments.h"
#include "ViolinTuner.h"

#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace VADirur;

namespace {

QString shop(const QString& storefront, int node)
{
    const QString host = storefront == QLatin1String("us") ? QStringLiteral("www") : storefront;
    return QStringLiteral("http://%1.musicshop.example/quelmar-%2?_encoding=UTF8&node=%3")
        .arg(host, storefront)
        .arg(node);
}

QStringList links(
    const QList<QPair<QString, int>>& nodes, const QString& language, const QString& title)
{
    QStringList result;
    for (const auto& node : nodes)
        result << shop(node.first, node.second);
    return result << QStringLiteral("http://%1.encyclopedia.example/wiki/%2").arg(language, title);
}

QStringList links(
    const QString& storefront, int firstNode, const QString& language, const QString& title)
{
    QList<QPair<QString, int>> nodes;
    for (int node = firstNode; node < firstNode + 5; ++node)
        nodes.append({storefront, node});
    return links(nodes, language, title);
}

QPushButton* buttonWithText(QWidget* panel, const QString& prefix)
{
    for (QPushButton* button : panel->findChildren<QPushButton*>()) {
        if (button->text().startsWith(prefix))
            return button;
    }
    return nullptr;
}

QStringList entries(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return texts;
}

void setSetting(const char* key, const QVariant& value)
{
    DORuverud::App::theApp()->setSettingsValue(QLatin1String(key), value);
}

QVariant setting(const char* key)
{
    return DORuverud::App::theApp()->settingsValue(QLatin1String(key));
}

} // namespace

class TestTunerPanels : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void menusOfTheCommonPanel();
    void pitchButton_data();
    void pitchButton();
    void repeatSwitchSignalsThenStores();
    void linksForACountry_data();
    void linksForACountry();
    void moreMenuOpensItsLinks_data();
    void moreMenuOpensItsLinks();
    void linksPanelKeepsWhatItIsGiven();
};

void TestTunerPanels::init()
{
    DORuverud::App::theApp()->settings()->clear();
}

void TestTunerPanels::menusOfTheCommonPanel()
{
    TunersCommonPanel panel(nullptr);
    QCOMPARE(entries(buttonWithText(&panel, "A4:")->menu()),
        QStringList({"A4:415Hz (Baroque Pitch)", "A4:430Hz (Scintific Pitch)",
            "A4:435Hz (France1859 Pitch)", "A4:439Hz (New Philarmonic Pitch)",
            "A4:440Hz (Concert Pitch)", "A4:442Hz (Boston Symphony Orchestra Pitch)",
            "A4:443Hz (New Berliner Philharmonic Pitch)",
            "A4:445Hz (Old Berliner Philharmonic Pitch)", "A4:452Hz (Old Philarmonic Pitch)",
            "A4:460Hz (Renaissance Pitch)"}));
    // The bundle is not a store build: no "Rate this App".
    QMenu* app = buttonWithText(&panel, "App")->menu();
    QCOMPARE(entries(app),
        QStringList({"Share", "More Apps", "Contacts Us", "Support Page", "About", "|", "Quit"}));
    for (QAction* action : app->actions())
        QVERIFY(action->isSeparator() || action->text() == "Quit" || !action->icon().isNull());
}

void TestTunerPanels::pitchButton_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("pitch");
    QTest::newRow("first start") << QVariant() << QString() << "A4:440Hz" << 440;
    QTest::newRow("old philharmonic chosen") << QVariant(440) << "A4:452Hz (Old Philarmonic Pitch)"
                                             << "A4:452Hz" << 452;
    QTest::newRow("baroque chosen") << QVariant(460) << "A4:415Hz (Baroque Pitch)"
                                    << "A4:415Hz" << 415;
    QTest::newRow("stored pitch off the menu") << QVariant(500) << QString() << "A4:500Hz" << 500;
    QTest::newRow("stored text reads as 0") << QVariant("high") << QString() << "A4:0Hz" << 0;
}

// The button shows the pitch, and the settings hold it at once.
void TestTunerPanels::pitchButton()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, choice);
    QFETCH(QString, caption);
    QFETCH(int, pitch);
    if (stored.isValid())
        setSetting("Pitch", stored);
    TunersCommonPanel panel(nullptr);
    QPushButton* button = buttonWithText(&panel, "A4:");
    for (QAction* action : button->menu()->actions()) {
        if (action->text() == choice)
            action->trigger();
    }
    QCOMPARE(button->text(), caption);
    QCOMPARE(setting("Pitch"), QVariant(pitch));
}

void TestTunerPanels::repeatSwitchSignalsThenStores()
{
    // GIVEN a first start: the box is clear
    TunersCommonPanel panel(nullptr);
    auto* box = panel.findChild<QCheckBox*>();
    QVERIFY(!box->isChecked());
    QVariantList storedWhenSignalled;
    connect(&panel, &TunersCommonPanel::repeatModeChangedTo,
        [&] { storedWhenSignalled << setting("Repeat"); });
    QSignalSpy changed(&panel, &TunersCommonPanel::repeatModeChangedTo);
    // WHEN the user clicks it twice
    box->click();
    QVERIFY(setting("Repeat").toBool());
    box->click();
    // THEN each click announces the new mode before storing it
    QCOMPARE(changed.size(), 2);
    QCOMPARE(changed[0][0].toBool(), true);
    QCOMPARE(changed[1][0].toBool(), false);
    QCOMPARE(storedWhenSignalled, QVariantList({QVariant(), true}));
    QCOMPARE(setting("Repeat"), QVariant(false));
}

void TestTunerPanels::linksForACountry_data()
{
    QTest::addColumn<int>("instrument");
    QTest::addColumn<int>("country");
    QTest::addColumn<QStringList>("links");
    QTest::newRow("guitar in Switzerland")
        << int(TunerInstruments::Guitar) << int(QLocale::Switzerland)
        << links({{"de", 8}, {"de", 9}, {"de", 10}, {"de", 12}, {"de", 13}}, "de", "Gitarre");
    QTest::newRow("dombra in Germany keeps two default links")
        << int(TunerInstruments::Dombra) << int(QLocale::Germany)
        << links({{"de", 50}, {"de", 51}, {"us", 47}, {"de", 52}, {"us", 49}}, "de", "Dombra");
    QTest::newRow("ukulele in France, accents kept")
        << int(TunerInstruments::Ukulele) << int(QLocale::France)
        << links({{"fr", 31}, {"fr", 32}, {"fr", 33}, {"fr", 34}, {"fr", 36}}, "fr",
               QStringLiteral("Ukul\u00e9l\u00e9"));
    QTest::newRow("cello in Canada, English article")
        << int(TunerInstruments::Cello) << int(QLocale::Canada) << links("ca", 36, "en", "Cello");
    QTest::newRow("viola in the United Kingdom")
        << int(TunerInstruments::Viola) << int(QLocale::UnitedKingdom)
        << links("uk", 22, "en", "Viola");
    QTest::newRow("double bass in Japan as in the United States")
        << int(TunerInstruments::DoubleBass) << int(QLocale::Japan)
        << links("us", 55, "en", "Double_bass");
    QTest::newRow("violin's default set skips nodes")
        << int(TunerInstruments::Violin) << int(QLocale::UnitedStates)
        << links({{"us", 1}, {"us", 3}, {"us", 4}, {"us", 5}, {"us", 7}}, "en", "Violin");
}

void TestTunerPanels::linksForACountry()
{
    QFETCH(int, instrument);
    QFETCH(int, country);
    QFETCH(QStringList, links);
    QCOMPARE(
        ShopLinks::forCountry(TunerInstruments::shopTable(TunerInstruments::Instrument(instrument)),
            QLocale::Country(country)),
        links);
}

void TestTunerPanels::moreMenuOpensItsLinks_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("products");
    QTest::addColumn<QString>("firstAddress");
    QTest::newRow("violin: common, then shared products")
        << int(TunerInstruments::Violin)
        << "Pendulo Metronome,Aurelle Ear Trainer,|,Modalia Scales,Tamboro Drum Loops,"
           "Versello Song Book,Takeone Recorder"
        << "https://store.example/app/pendulo/id604118273?ls=1&mt=12";
    QTest::newRow("guitar: a shared product moves first")
        << int(TunerInstruments::Guitar)
        << "Modalia Scales,Pendulo Metronome,Aurelle Ear Trainer,|,Tamboro Drum Loops,"
           "Versello Song Book,Takeone Recorder"
        << "https://store.example/app/modalia/id604119682?ls=1&mt=12";
    QTest::newRow("banjo: a product of its own first")
        << int(TunerInstruments::Banjo)
        << "Rollwerk Banjo Rolls,Pendulo Metronome,Aurelle Ear Trainer,|,Modalia Scales,"
           "Tamboro Drum Loops,Versello Song Book,Takeone Recorder"
        << "https://store.example/app/rollwerk/id604121217?ls=1&mt=12";
}

// The test runs with LC_ALL=C: no country, the default set.
void TestTunerPanels::moreMenuOpensItsLinks()
{
    QFETCH(int, page);
    QFETCH(QString, products);
    QFETCH(QString, firstAddress);
    std::unique_ptr<TunerBasePage> tuner;
    if (page == TunerInstruments::Violin)
        tuner = std::make_unique<ViolinTuner>(nullptr);
    else if (page == TunerInstruments::Guitar)
        tuner = std::make_unique<GuitarTuner>(nullptr);
    else
        tuner = std::make_unique<BanjoTuner>(nullptr);
    QMenu* more = buttonWithText(tuner->modesPanel(), "More")->menu();
    const QStringList expected = products.split(',')
        + QStringList({"|", "Must Have", "Nice to Have", "Read", "Hear", "See", "|", "Wikipedia"});
    QCOMPARE(entries(more), expected);

    OpenedUrls opened;
    for (QAction* action : more->actions())
        action->trigger();
    QCOMPARE(opened.urls.size(), expected.size() - expected.count("|"));
    QCOMPARE(opened.urls.first(), firstAddress);
    QCOMPARE(opened.urls.mid(opened.urls.size() - 6),
        ShopLinks::forCountry(TunerInstruments::shopTable(TunerInstruments::Instrument(page)),
            QLocale::UnitedStates));
}

void TestTunerPanels::linksPanelKeepsWhatItIsGiven()
{
    // GIVEN a new links panel: "Modes" hidden, the More menu empty
    ModesPanel panel(nullptr);
    panel.show();
    QVERIFY(!panel.modesButton()->isVisible());
    QMenu* more = buttonWithText(&panel, "More")->menu();
    QVERIFY(more->isEmpty());
    // WHEN a mixed-case product and the shop entries are added, "See" set after them
    panel.addMenuAppLink(QPixmap(), "Tuner", "StringWise", "id42");
    panel.addBaseActions();
    panel.setSee("http://see.example/later");
    OpenedUrls opened;
    more->actions().first()->trigger();
    more->actions().at(5)->trigger();
    more->actions().at(1)->trigger();
    // THEN the store name is lower-cased, "See" opens the newer address, and an
    // address never set opens nothing
    QCOMPARE(opened.urls,
        QStringList(
            {"https://store.example/app/stringwise/id42?ls=1&mt=12", "http://see.example/later"}));
    // AND hiding the application's options leaves "More"
    panel.hideAppOptions();
    QVERIFY(!buttonWithText(&panel, "App")->isVisible());
    QVERIFY(!buttonWithText(&panel, "A4:")->isVisible());
    QVERIFY(!panel.findChild<QCheckBox*>()->isVisible());
    QVERIFY(buttonWithText(&panel, "More")->isVisible());
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestTunerPanels test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_TunerPanels.moc"
