#include "../common/LivePlayers.h"
#include "../common/SoundStartLog.h"
#include "App.h"
#include "ButtonsPanel.h"
#include "ModesPanel.h"
#include "TuneButton.h"
#include "TunerPageFactory.h"
#include "TunersCommonPanel.h"
#include "TunersMainPage.h"

#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace VADirur;

namespace {

void setSetting(const char* key, const QVariant& value)
{
    DORuverud::App::theApp()->setSettingsValue(QLatin1String(key), value);
}

// The sample files of the violin page, or of another page when the names carry their prefix.
QStringList samples(const QString& names)
{
    QStringList files;
    for (const QString& name : names.split(' ', Qt::SkipEmptyParts))
        files << DORuverud::App::theApp()->bundleResourcePath()
                + (name.contains('.') ? name : "violine_" + name + ".mp3");
    return files;
}

// The captions of the buttons shown, left to right.
QStringList shownStrings(const TunerBasePage& page)
{
    QStringList captions;
    for (int i = 0; i < 10; ++i) {
        if (page.button(i)->isVisibleTo(&page))
            captions << page.button(i)->text();
    }
    return captions;
}

int checkedString(const TunerBasePage& page)
{
    for (int i = 0; i < 10; ++i) {
        if (page.button(i)->isChecked())
            return i;
    }
    return -1;
}

// The sample pattern behind each string button of a page, button 0 first.
struct SoundPatterns : TunerBasePage
{
    static QStringList of(const TunerBasePage& page)
    {
        return page.*(&SoundPatterns::soundPatterns);
    }
};

// A page whose instrument is set twice, as a page that changes its instrument would.
template <TunerInstruments::Instrument first, TunerInstruments::Instrument second> Page resetPage()
{
    struct ResetPage : TunerBasePage
    {
        ResetPage()
            : TunerBasePage(nullptr)
        {
            setInstrument(first);
            setInstrument(second);
        }
    };
    return [] { return new ResetPage; };
}

void triggerMenuEntry(QPushButton* button, const QString& text)
{
    for (QAction* action : button->menu()->actions()) {
        if (action->text() == text)
            action->trigger();
    }
}

} // namespace

class TestTunerPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        LivePlayers::install();
    }
    void init()
    {
        setSetting("Pitch", 440);
        setSetting("Repeat", false);
    }
    void cleanup()
    {
        QTRY_COMPARE_WITH_TIMEOUT(LivePlayers::count(), 0, 20000);
    }

    // At every pitch of the menu, each button of each page (the bass guitar's
    // hidden "B0" too) asks for a sample of its own caption that exists.
    void everyFileAButtonAsksForExists()
    {
        TunersMainPage main(nullptr, false);
        const QList<TunerBasePage*> pages = main.findChildren<TunerBasePage*>();
        QCOMPARE(pages.size(), 11);
        QSet<QString> files;
        for (QAction* choice :
            pages[0]->findChild<QPushButton*>("PanelButton")->menu()->actions()) {
            choice->trigger();
            const int pitch = DORuverud::App::theApp()->settingsValue("Pitch").toInt();
            for (TunerBasePage* page : pages) {
                const QStringList patterns = SoundPatterns::of(*page);
                for (int i = 0; page->button(i) && !page->button(i)->text().isEmpty(); ++i) {
                    const QString file = patterns.value(i).arg(pitch);
                    QVERIFY2(QFile::exists(file), qPrintable(file));
                    QVERIFY(file.endsWith(
                        QString("_%1_%2.mp3").arg(pitch).arg(page->button(i)->text())));
                    files << file;
                }
            }
        }
        QCOMPARE(files.size(), 410);
    }

    void aPressPlaysItsStringAtTheStoredPitch_data()
    {
        QTest::addColumn<Page>("page");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("string");
        QTest::addColumn<int>("pitch");
        QTest::addColumn<QString>("file");
        QTest::newRow("violin G3 at 415")
            << page<ViolinTuner>() << true << 0 << 415 << "violine_415_G3.mp3";
        QTest::newRow("viola G3 is the violin's file")
            << page<ViolaTuner>() << true << 1 << 440 << "violine_440_G3.mp3";
        QTest::newRow("balalaika's second E4")
            << page<BalalaikaTuner>() << true << 1 << 452 << "balalaika_452_E4.mp3";
        QTest::newRow("the violin set twice: one tone")
            << resetPage<TunerInstruments::Violin, TunerInstruments::Violin>() << true << 1 << 440
            << "violine_440_D4.mp3";
        QTest::newRow("the violin, then the dombra: the dombra's tone")
            << resetPage<TunerInstruments::Violin, TunerInstruments::Dombra>() << true << 1 << 440
            << "dombra_440_G3.mp3";
        QTest::newRow("no sample at a pitch off the menu: no player left")
            << page<GuitarTuner>() << true << 0 << 500 << "";
        QTest::newRow("a page behind another") << page<GuitarTuner>() << false << 0 << 440 << "";
    }
    void aPressPlaysItsStringAtTheStoredPitch()
    {
        QFETCH(Page, page);
        QFETCH(bool, shown);
        QFETCH(int, string);
        QFETCH(int, pitch);
        QFETCH(QString, file);
        const std::unique_ptr<TunerBasePage> tuner(page());
        tuner->setVisible(shown);
        setSetting("Pitch", pitch);
        SoundStartLog log;
        tuner->button(string)->click();
        // The engine starts the sample, and the player goes when it ends.
        QCOMPARE(LivePlayers::count(), file.isEmpty() ? 0 : 1);
        QTRY_COMPARE_WITH_TIMEOUT(log.names, samples(file), 10000);
    }

    void repeatMode_data()
    {
        QTest::addColumn<QString>("steps"); // on the violin page
        QTest::addColumn<QString>("played");
        QTest::addColumn<int>("checked");
        QTest::newRow("repeat off: once per click, nothing checked") << "click 1, tick 440"
                                                                     << "440_D4" << -1;
        QTest::newRow("repeat on: the clicked string again at each tick")
            << "repeat, click 1, tick 440, tick 440"
            << "440_D4 440_D4 440_D4" << 1;
        QTest::newRow("a click on another string moves the check")
            << "repeat, click 1, click 3, tick 440"
            << "440_D4 440_E5 440_E5" << 3;
        QTest::newRow("a click on the checked string ends the repeat")
            << "repeat, click 1, click 1, tick 440, tick 440"
            << "440_D4 440_D4" << -1;
        QTest::newRow("no string checked: silent ticks") << "repeat, tick 440, tick 440"
                                                         << "" << -1;
        QTest::newRow("switching repeat off and on clears the check")
            << "repeat, click 2, off, repeat, tick 440"
            << "440_A4" << -1;
        QTest::newRow("the pitch is read afresh at each tick")
            << "repeat, click 2, tick 452, tick 415"
            << "440_A4 452_A4 415_A4" << 2;
        QTest::newRow("a page behind another sounds no tick") << "hide, repeat, click 0, tick 440"
                                                              << "" << 0;
    }
    void repeatMode()
    {
        QFETCH(QString, steps);
        QFETCH(QString, played);
        QFETCH(int, checked);
        ViolinTuner page(nullptr);
        page.show();
        auto* panel = page.findChild<ButtonsPanel*>();
        SoundStartLog log;
        // The ticks are the steps': the panel's own, each second, would add more
        // while a busy machine is slow to start the sounds.
        auto* ownTicks = panel->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
        for (const QString& step : steps.split(", ")) {
            const int number = step.section(' ', 1).toInt();
            if (step == "hide") {
                page.hide();
            } else if (step == "repeat" || step == "off") {
                page.slotSetRepeatMode(step == "repeat");
                QCOMPARE(ownTicks->isActive(), step == "repeat");
                ownTicks->stop();
            } else if (step.startsWith("click")) {
                page.button(number)->click();
            } else {
                setSetting("Pitch", number);
                panel->slotTimeOut();
            }
        }
        QCOMPARE(checkedString(page), checked);
        QCOMPARE(LivePlayers::count(), samples(played).size());
        QTRY_COMPARE_WITH_TIMEOUT(log.names, samples(played), 10000);
    }

    void repeatSettingAtConstruction()
    {
        for (bool repeat : {true, false}) {
            setSetting("Repeat", repeat);
            QTest::ignoreMessage(
                QtDebugMsg, repeat ? "!!!RepeatMode: true" : "!!!RepeatMode: false");
            ButtonsPanel panel(nullptr);
            QCOMPARE(panel.findChild<QTimer*>()->isActive(), repeat);
            QCOMPARE(panel.button(0)->isCheckable(), repeat);
            QVERIFY(!panel.button(10) && !panel.button(-1));
        }
    }

    void buttonsFollowThePanelWidth_data()
    {
        QTest::addColumn<QSize>("panel");
        QTest::addColumn<int>("side");
        QTest::newRow("650 wide, 100 high") << QSize(650, 100) << 100;
        QTest::newRow("the page's narrowest") << QSize(300, 500) << 46;
    }
    void buttonsFollowThePanelWidth()
    {
        QFETCH(QSize, panel);
        QFETCH(int, side);
        ButtonsPanel buttons(nullptr);
        buttons.show();
        buttons.resize(panel);
        QCOMPARE(buttons.button(0)->size(), QSize(side, side));
        QCOMPARE(buttons.button(9)->size(), QSize(side, side));
    }

    // A pitch chosen in the chooser's menu is the next tone's of any page.
    void aPitchChosenInOnePanelReachesEveryPage()
    {
        TunersMainPage main(nullptr, false);
        main.show();
        triggerMenuEntry(
            main.findChild<QFrame*>("TunersExplorer")->findChild<QPushButton*>("PanelButton"),
            "A4:452Hz (Old Philarmonic Pitch)");
        main.findChild<QPushButton*>("ViolinButton")->click();
        auto* violin = main.findChild<ViolinTuner*>();
        SoundStartLog log;
        violin->button(0)->click();
        QTRY_COMPARE_WITH_TIMEOUT(log.names, samples("452_G3"), 10000);
    }

    void bassGuitarSwitchesItsLowString()
    {
        // GIVEN the bass guitar page
        BassGuitarTuner page(nullptr);
        page.show();
        QPushButton* modes = page.modesPanel()->modesButton();
        QVERIFY(modes->isVisible());
        QCOMPARE(shownStrings(page), QStringList({"E1", "A1", "D2", "G2"}));
        // WHEN five strings are chosen, twice, THEN "B0" stands at the left
        triggerMenuEntry(modes, "5 Strings");
        triggerMenuEntry(modes, "5 Strings");
        QCOMPARE(shownStrings(page), QStringList({"B0", "E1", "A1", "D2", "G2"}));
        // WHEN it sounds in repeat mode and goes away with "4 Strings"
        page.slotSetRepeatMode(true);
        page.button(0)->click();
        triggerMenuEntry(modes, "4 Strings");
        QCOMPARE(shownStrings(page), QStringList({"E1", "A1", "D2", "G2"}));
        // THEN it is no longer checked, and the next tick is silent
        QCOMPARE(checkedString(page), -1);
        page.findChild<ButtonsPanel*>()->slotTimeOut();
        QCOMPARE(LivePlayers::count(), 1);
        // AND no other page has a Modes button
        ViolinTuner violin(nullptr);
        violin.show();
        QVERIFY(!violin.modesPanel()->modesButton()->isVisible());
    }
};

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestTunerPages test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_TunerPages.moc"
