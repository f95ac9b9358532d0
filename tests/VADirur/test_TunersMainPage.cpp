#include "../common/OpenedUrls.h"
#include "../common/PaintedText.h"
#include "App.h"
#include "BanjoTuner.h"
#include "ButtonsPanel.h"
#include "GuitarTuner.h"
#include "ModesPanel.h"
#include "TunerInstruments.h"
#include "TunerShops.h"
#include "TunerStyleSheet.h"
#include "TunersMainPage.h"
#include "ViolinTuner.h"

#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

using namespace VADirur;
using Page = std::function<TunerBasePage*()>;
Q_DECLARE_METATYPE(Page)

namespace {

QStringList links(
    const QList<QPair<QString, int>>& nodes, const QString& language, const QString& title)
{
    QStringList result;
    for (const auto& [storefront, node] : nodes)
        result << QStringLiteral("http://%1.musicshop.example/quelmar-%2?_encoding=UTF8&node=%3")
                      .arg(storefront == "us" ? QStringLiteral("www") : storefront, storefront)
                      .arg(node);
    return result << QStringLiteral("http://%1.encyclopedia.example/wiki/%2").arg(language, title);
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

QString shownPage(const TunersMainPage& page)
{
    return page.findChild<QStackedWidget*>()->currentWidget()->metaObject()->className();
}

QStringList checkedButtons(const TunersMainPage& page)
{
    QStringList names;
    for (QPushButton* button : page.findChildren<QPushButton*>(QRegularExpression("Button$"))) {
        if (button->isChecked())
            names << button->objectName();
    }
    return names;
}

QPushButton* chooserButton(const TunersMainPage& page, const QString& name)
{
    return page.findChild<QPushButton*>(name);
}

// The warnings of pictures that could not be loaded, while collecting.
QStringList missingPictures;

void collectMissingPictures(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg && message.contains(QLatin1String("pixmap")))
        missingPictures << message;
}

// Every shown control of a strip lies inside it, its text inside the control
// and, for a button with a menu, above the menu arrow.
bool stripIsWhole(QFrame* strip)
{
    for (QAbstractButton* control : strip->findChildren<QAbstractButton*>()) {
        if (!control->isVisible())
            continue;
        const QString name = control->text();
        const QRect place(control->mapTo(strip, QPoint()), control->size());
        const PaintedText painted(control);
        QRect text;
        QString shown;
        for (const PaintedText::Line& line : painted.lines) {
            text |= QFontMetrics(line.font).boundingRect(line.text).translated(
                line.position.toPoint());
            shown += line.text;
        }
        const auto* button = qobject_cast<QPushButton*>(control);
        const int arrowTop = button && button->menu()
            ? control->height() - 10
            : control->height(); // a 9 px arrow, 1 px from the foot
        if (!strip->rect().contains(place) || shown != name || !control->rect().contains(text)
            || text.bottom() >= arrowTop) {
            qWarning() << name << "painted at" << text << "in" << place << "of" << strip->size();
            return false;
        }
    }
    return true;
}

} // namespace

// The tuner's main page, its instrument chooser, and the panels each page shows.
// Runs with LC_ALL=C: no country, the default links.
class TestTunersMainPage : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DORuverud::App::theApp()->settings()->clear();
    }

    void menusOfTheCommonPanel()
    {
        TunersCommonPanel panel(nullptr);
        QCOMPARE(entries(buttonWithText(&panel, "A4:")->menu()),
            QStringList({"A4:415Hz (Baroque Pitch)", "A4:430Hz (Scientific Pitch)",
                "A4:435Hz (France1859 Pitch)", "A4:439Hz (New Philarmonic Pitch)",
                "A4:440Hz (Concert Pitch)", "A4:442Hz (Boston Symphony Orchestra Pitch)",
                "A4:443Hz (New Berliner Philharmonic Pitch)",
                "A4:445Hz (Old Berliner Philharmonic Pitch)", "A4:452Hz (Old Philarmonic Pitch)",
                "A4:460Hz (Renaissance Pitch)"}));
        // The bundle is not a store build: no "Rate this App".
        QMenu* app = buttonWithText(&panel, "App")->menu();
        QCOMPARE(entries(app),
            QStringList(
                {"Share", "More Apps", "Contacts Us", "Support Page", "About", "|", "Quit"}));
        for (QAction* action : app->actions())
            QVERIFY(action->isSeparator() || action->text() == "Quit" || !action->icon().isNull());
    }

    void pitchButton_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("pitch");
        QTest::newRow("first start") << QVariant() << QString() << "A4:440Hz" << 440;
        QTest::newRow("old philharmonic chosen")
            << QVariant(440) << "A4:452Hz (Old Philarmonic Pitch)"
            << "A4:452Hz" << 452;
        QTest::newRow("stored pitch off the menu")
            << QVariant(500) << QString() << "A4:500Hz" << 500;
        QTest::newRow("stored text reads as 0") << QVariant("high") << QString() << "A4:0Hz" << 0;
    }
    // The button shows the pitch, and the settings hold it at once.
    void pitchButton()
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

    // Each click announces the new mode before storing it.
    void repeatSwitchSignalsThenStores()
    {
        TunersCommonPanel panel(nullptr);
        auto* box = panel.findChild<QCheckBox*>();
        QVERIFY(!box->isChecked());
        QVariantList storedWhenSignalled;
        connect(&panel, &TunersCommonPanel::repeatModeChangedTo,
            [&](bool on) { storedWhenSignalled << on << setting("Repeat"); });
        box->click();
        box->click();
        QCOMPARE(storedWhenSignalled, QVariantList({true, QVariant(), false, true}));
        QCOMPARE(setting("Repeat"), QVariant(false));
    }

    void linksForACountry_data()
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
    }
    void linksForACountry()
    {
        QFETCH(int, instrument);
        QFETCH(int, country);
        QFETCH(QStringList, links);
        QCOMPARE(ShopLinks::forCountry(TunerShops::table(TunerInstruments::Instrument(instrument)),
                     QLocale::Country(country)),
            links);
    }

    void moreMenuOpensItsLinks_data()
    {
        QTest::addColumn<Page>("page");
        QTest::addColumn<int>("instrument");
        QTest::addColumn<QString>("products");
        QTest::addColumn<QString>("firstAddress");
        QTest::newRow("violin: common, then shared products")
            << Page([] { return new ViolinTuner(nullptr); }) << int(TunerInstruments::Violin)
            << "Pendulo Metronome,Aurelle Ear Trainer,|,Modalia Scales,Tamboro Drum Loops,"
               "Versello Song Book,Takeone Recorder"
            << "https://store.example/app/pendulo/id604118273?ls=1&mt=12";
        QTest::newRow("guitar: a shared product moves first")
            << Page([] { return new GuitarTuner(nullptr); }) << int(TunerInstruments::Guitar)
            << "Modalia Scales,Pendulo Metronome,Aurelle Ear Trainer,|,Tamboro Drum Loops,"
               "Versello Song Book,Takeone Recorder"
            << "https://store.example/app/modalia/id604119682?ls=1&mt=12";
        QTest::newRow("banjo: a product of its own first")
            << Page([] { return new BanjoTuner(nullptr); }) << int(TunerInstruments::Banjo)
            << "Rollwerk Banjo Rolls,Pendulo Metronome,Aurelle Ear Trainer,|,Modalia Scales,"
               "Tamboro Drum Loops,Versello Song Book,Takeone Recorder"
            << "https://store.example/app/rollwerk/id604121217?ls=1&mt=12";
    }
    void moreMenuOpensItsLinks()
    {
        QFETCH(Page, page);
        QFETCH(int, instrument);
        QFETCH(QString, products);
        QFETCH(QString, firstAddress);
        const std::unique_ptr<TunerBasePage> tuner(page());
        QMenu* more = buttonWithText(tuner->modesPanel(), "More")->menu();
        const QStringList expected = products.split(',')
            + QStringList(
                {"|", "Must Have", "Nice to Have", "Read", "Hear", "See", "|", "Wikipedia"});
        QCOMPARE(entries(more), expected);
        OpenedUrls opened;
        for (QAction* action : more->actions())
            action->trigger();
        QCOMPARE(opened.urls.size(), expected.size() - expected.count("|"));
        QCOMPARE(opened.urls.first(), firstAddress);
        QCOMPARE(opened.urls.mid(opened.urls.size() - 6),
            ShopLinks::forCountry(TunerShops::table(TunerInstruments::Instrument(instrument)),
                QLocale::UnitedStates));
    }

    void linksPanelKeepsWhatItIsGiven()
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
        for (int entry : {0, 5, 1})
            more->actions().at(entry)->trigger();
        // THEN the store name is lower-cased, "See" opens the newer address, and an
        // address never set opens nothing
        QCOMPARE(opened.urls,
            QStringList({"https://store.example/app/stringwise/id42?ls=1&mt=12",
                "http://see.example/later"}));
        // AND hiding the application's options leaves "More"
        panel.hideAppOptions();
        QVERIFY(!buttonWithText(&panel, "App")->isVisible()
            && !buttonWithText(&panel, "A4:")->isVisible());
        QVERIFY(!panel.findChild<QCheckBox*>()->isVisible()
            && buttonWithText(&panel, "More")->isVisible());
    }

    void keepsItsSizeInTheSettings_data()
    {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<QSize>("opened");
        QTest::newRow("first start") << QSize() << QSize(736, 636);
        QTest::newRow("stored size") << QSize(900, 700) << QSize(900, 700);
    }
    void keepsItsSizeInTheSettings()
    {
        QFETCH(QSize, stored);
        QFETCH(QSize, opened);
        if (stored.isValid()) {
            setSetting("Width", stored.width());
            setSetting("Height", stored.height());
        }
        // GIVEN the page at the size it keeps
        TunersMainPage page(nullptr, false);
        page.show();
        QCOMPARE(page.size(), opened);
        QCOMPARE(QSize(setting("Width").toInt(), setting("Height").toInt()), opened);
        // WHEN the user resizes it, THEN the settings follow at once
        page.resize(opened + QSize(40, 30));
        QCOMPARE(
            QSize(setting("Width").toInt(), setting("Height").toInt()), opened + QSize(40, 30));
        // AND the tuner's look is the application's
        QCOMPARE(qApp->styleSheet(), strStyle);
    }

    // Started from a folder that holds none of its pictures, at its first
    // size, every page's top strip, the chooser's among them, shows each text
    // whole inside its control, each menu arrow below its caption, and the
    // pages and menus find every picture.
    void firstOpeningIsWholeFromAnyWorkingFolder()
    {
        QTemporaryDir elsewhere;
        const QString started = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        const QtMessageHandler previous = qInstallMessageHandler(collectMissingPictures);
        TunersMainPage tuner(nullptr, false);
        tuner.show();
        QCOMPARE(tuner.size(), QSize(736, 636));
        QVERIFY(stripIsWhole(tuner.findChild<QFrame*>("TunersCommonPanel")));
        auto* stack = tuner.findChild<QStackedWidget*>();
        for (int i = 0; i < stack->count(); ++i) {
            stack->setCurrentIndex(i);
            QVERIFY(stripIsWhole(stack->currentWidget()->findChild<QFrame*>("ModesPanel")));
        }
        for (QPushButton* button : tuner.findChildren<QPushButton*>("PanelButton")) {
            if (button->isVisible()) {
                button->menu()->popup(button->mapToGlobal(QPoint()));
                button->menu()->grab();
                button->menu()->hide();
            }
        }
        qInstallMessageHandler(previous);
        QDir::setCurrent(started);
        QCOMPARE(missingPictures, QStringList());
    }

    void chooserShowsEachPage_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("opened");
        for (const char* name : {"Violin", "Viola", "Cello", "DoubleBass", "Guitar", "BassGuitar",
                 "Ukulele", "Banjo", "Balalaika", "Mandolin", "Dombra"})
            QTest::newRow(name) << QString(name) + "Button" << QString("VADirur::%1Tuner").arg(name)
                                << QStringList();
        QTest::newRow("the chord application: the store, the page stays")
            << "TessivarButton"
            << "VADirur::GuitarTuner"
            << QStringList("https://store.example/app/tessivar/id735204196?ls=1&mt=12");
    }
    void chooserShowsEachPage()
    {
        QFETCH(QString, button);
        QFETCH(QString, page);
        QFETCH(QStringList, opened);
        TunersMainPage tuner(nullptr, false);
        QCOMPARE(shownPage(tuner), QString("VADirur::GuitarTuner"));
        QCOMPARE(checkedButtons(tuner), QStringList("GuitarButton"));
        OpenedUrls urls;
        chooserButton(tuner, button)->click();
        QCOMPARE(shownPage(tuner), page);
        QCOMPARE(checkedButtons(tuner), QStringList(opened.isEmpty() ? button : "GuitarButton"));
        QCOMPARE(urls.urls, opened);
    }

    void repeatSwitchReachesEveryPage()
    {
        TunersMainPage tuner(nullptr, false);
        QCheckBox* chooserRepeat
            = tuner.findChild<QFrame*>("TunersExplorer")->findChild<QCheckBox*>();
        const QList<ButtonsPanel*> panels = tuner.findChildren<ButtonsPanel*>();
        QCOMPARE(panels.size(), 11);
        for (bool on : {true, false}) {
            chooserRepeat->click();
            for (ButtonsPanel* panel : panels)
                QCOMPARE(panel->findChild<QTimer*>()->isActive(), on);
        }
    }

    void everyPanelShowsTheChoice_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("chosen on the violin page") << "VADirur::ViolinTuner";
        QTest::newRow("chosen in the chooser") << "VADirur::TunersExplorer";
    }
    // A pitch or a repeat switch chosen in one panel shows in all twelve, and
    // every page plays by it.
    void everyPanelShowsTheChoice()
    {
        QFETCH(QString, where);
        // GIVEN the tuner and the panel on that page
        TunersMainPage tuner(nullptr, false);
        const QList<TunersCommonPanel*> panels = tuner.findChildren<TunersCommonPanel*>();
        QCOMPARE(panels.size(), 12);
        TunersCommonPanel* chosenIn = *std::find_if(panels.begin(), panels.end(),
            [&](QWidget* panel) { return panel->parent()->metaObject()->className() == where; });
        // WHEN the user picks 442 Hz there, THEN every pitch button reads it
        for (QAction* action : buttonWithText(chosenIn, "A4:")->menu()->actions()) {
            if (action->text().startsWith("A4:442Hz"))
                action->trigger();
        }
        for (TunersCommonPanel* panel : panels)
            QCOMPARE(buttonWithText(panel, "A4:")->text(), QString("A4:442Hz"));
        // WHEN the user switches repeat on there and off again, THEN every
        // box shows it and every page repeats by it
        for (bool on : {true, false}) {
            chosenIn->findChild<QCheckBox*>()->click();
            for (TunersCommonPanel* panel : panels)
                QCOMPARE(panel->findChild<QCheckBox*>()->isChecked(), on);
            for (ButtonsPanel* buttons : tuner.findChildren<ButtonsPanel*>())
                QCOMPARE(buttons->findChild<QTimer*>()->isActive(), on);
        }
    }

    void hostsMayHideTheChooserAndTheOptions()
    {
        TunersMainPage tuner(nullptr, true);
        tuner.show();
        QVERIFY(!tuner.findChild<QFrame*>("TunersExplorer")->isVisible());
        QCOMPARE(shownPage(tuner), QString("VADirur::GuitarTuner"));
        tuner.hideAppOptionsOnEachPage();
        for (TunerBasePage* page : tuner.findChildren<TunerBasePage*>()) {
            for (QPushButton* button : page->findChildren<QPushButton*>("PanelButton")) {
                if (button->text() != "Modes")
                    QCOMPARE(button->isVisibleTo(page), button->text() == "More");
            }
        }
    }

    // The pages' pictures and every picture the style sheet names.
    void everyPictureIsInTheResourceTree()
    {
        for (TunerInstruments::Instrument instrument : TunerInstruments::all()) {
            const QImage picture(":/" + TunerInstruments::pictureName(instrument));
            QVERIFY(qMax(picture.width(), picture.height()) >= 900);
        }
        static const QRegularExpression url(R"(url\(:/([^)]+)\))");
        QStringList chooser;
        for (auto it = url.globalMatch(strStyle); it.hasNext();) {
            const QString name = it.next().captured(1);
            QVERIFY2(!QImage(":/" + name).isNull(), qPrintable(name));
            if (name.contains("Button"))
                chooser << name;
        }
        QCOMPARE(chooser.size(), 47);
        QVERIFY(chooser.contains("_resources/imgs/CelloButton.png"));
        for (const TunerInstruments::ChooserPicture& picture : TunerInstruments::chooserPictures())
            QVERIFY(chooser.contains(picture.path));
        QCOMPARE(QImage(":/TessivarButton.png").size(), QSize(184, 184));
    }

    void checkedButtonShowsItsPressedPicture()
    {
        TunersMainPage tuner(nullptr, false);
        tuner.show();
        const QColor checked
            = chooserButton(tuner, "GuitarButton")->grab().toImage().pixelColor(14, 46);
        const QColor unchecked
            = chooserButton(tuner, "ViolinButton")->grab().toImage().pixelColor(14, 46);
        QVERIFY2(checked.blue() > 2 * checked.red(), qPrintable(checked.name()));
        QVERIFY2(unchecked.blue() < unchecked.red() + 20, qPrintable(unchecked.name()));
    }
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestTunersMainPage test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_TunersMainPage.moc"
