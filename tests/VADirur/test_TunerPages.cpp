#include "../common/LivePlayers.h"
#include "../common/SoundStartLog.h"
#include "App.h"
#include "BalalaikaTuner.h"
#include "BanjoTuner.h"
#include "BassGuitarTuner.h"
#include "ButtonsPanel.h"
#include "CelloTuner.h"
#include "DombraTuner.h"
#include "DoubleBassTuner.h"
#include "GuitarTuner.h"
#include "MandolinTuner.h"
#include "ModesPanel.h"
#include "TuneButton.h"
#include "TunersCommonPanel.h"
#include "UkuleleTuner.h"
#include "ViolaTuner.h"
#include "ViolinTuner.h"

#include <QMenu>
#include <QPushButton>
#include <QSignalMapper>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace VADirur;

namespace {

std::vector<std::unique_ptr<TunerBasePage>> allPages()
{
    std::vector<std::unique_ptr<TunerBasePage>> pages;
    pages.emplace_back(new ViolinTuner(nullptr));
    pages.emplace_back(new ViolaTuner(nullptr));
    pages.emplace_back(new CelloTuner(nullptr));
    pages.emplace_back(new DoubleBassTuner(nullptr));
    pages.emplace_back(new GuitarTuner(nullptr));
    pages.emplace_back(new BassGuitarTuner(nullptr));
    pages.emplace_back(new UkuleleTuner(nullptr));
    pages.emplace_back(new BanjoTuner(nullptr));
    pages.emplace_back(new BalalaikaTuner(nullptr));
    pages.emplace_back(new MandolinTuner(nullptr));
    pages.emplace_back(new DombraTuner(nullptr));
    return pages;
}

void setSetting(const char* key, const QVariant& value)
{
    DORuverud::App::theApp()->setSettingsValue(QLatin1String(key), value);
}

QString sample(const QString& name)
{
    return DORuverud::App::theApp()->bundleResourcePath() + name;
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
    void initTestCase();
    void init();
    void cleanup();
    void everyFileAButtonAsksForExists();
    void aPressPlaysItsStringAtTheStoredPitch_data();
    void aPressPlaysItsStringAtTheStoredPitch();
    void pressesThatSoundNothing_data();
    void pressesThatSoundNothing();
    void repeatMode_data();
    void repeatMode();
    void repeatSettingAtConstruction_data();
    void repeatSettingAtConstruction();
    void buttonsFollowThePanelWidth_data();
    void buttonsFollowThePanelWidth();
    void bassGuitarSwitchesItsLowString();
};

void TestTunerPages::initTestCase()
{
    LivePlayers::install();
}

void TestTunerPages::init()
{
    setSetting("Pitch", 440);
    setSetting("Repeat", false);
}

void TestTunerPages::cleanup()
{
    QTRY_COMPARE_WITH_TIMEOUT(LivePlayers::count(), 0, 20000);
}

// At every pitch of the menu, each button of each page (the bass guitar's
// hidden "B0" too) asks for a sample of its own caption that exists.
void TestTunerPages::everyFileAButtonAsksForExists()
{
    TunersCommonPanel panel(nullptr);
    const auto pages = allPages();
    QSet<QString> files;
    for (QAction* choice : panel.findChild<QPushButton*>("PanelButton")->menu()->actions()) {
        choice->trigger();
        const int pitch = DORuverud::App::theApp()->settingsValue("Pitch").toInt();
        for (const auto& page : pages) {
            auto* mapper = page->findChild<QSignalMapper*>(QString(), Qt::FindDirectChildrenOnly);
            QSignalSpy asked(mapper, &QSignalMapper::mappedString);
            for (int i = 0; page->button(i) && !page->button(i)->text().isEmpty(); ++i) {
                page->button(i)->sendPlay();
                const QString file = asked.takeFirst().at(0).toString().arg(pitch);
                QVERIFY2(QFile::exists(file), qPrintable(file));
                QVERIFY(
                    file.endsWith(QString("_%1_%2.mp3").arg(pitch).arg(page->button(i)->text())));
                files << file;
            }
        }
    }
    QCOMPARE(files.size(), 410);
}

void TestTunerPages::aPressPlaysItsStringAtTheStoredPitch_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("string");
    QTest::addColumn<int>("pitch");
    QTest::addColumn<QString>("file");
    QTest::newRow("violin G3 at 415") << 0 << 0 << 415 << "violine_415_G3.mp3";
    QTest::newRow("viola G3 is the violin's file") << 1 << 1 << 440 << "violine_440_G3.mp3";
    QTest::newRow("balalaika's second E4") << 8 << 1 << 452 << "balalaika_452_E4.mp3";
}

void TestTunerPages::aPressPlaysItsStringAtTheStoredPitch()
{
    QFETCH(int, page);
    QFETCH(int, string);
    QFETCH(int, pitch);
    QFETCH(QString, file);
    // GIVEN a page in front and a stored reference pitch
    const auto pages = allPages();
    pages[page]->show();
    setSetting("Pitch", pitch);
    SoundStartLog log;
    // WHEN a string is pressed
    pages[page]->button(string)->click();
    // THEN the engine starts its sample, and the player goes when it ends
    QCOMPARE(LivePlayers::count(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(log.names, QStringList {sample(file)}, 10000);
}

void TestTunerPages::pressesThatSoundNothing_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("pitch");
    QTest::newRow("no sample at a pitch off the menu: no player left") << true << 500;
    QTest::newRow("a page behind another") << false << 440;
}

void TestTunerPages::pressesThatSoundNothing()
{
    QFETCH(bool, shown);
    QFETCH(int, pitch);
    GuitarTuner page(nullptr);
    page.setVisible(shown);
    setSetting("Pitch", pitch);
    page.button(0)->click();
    QCOMPARE(LivePlayers::count(), 0);
}

void TestTunerPages::repeatMode_data()
{
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<bool>("switchOffAndOn");
    QTest::addColumn<QList<int>>("tickPitches");
    QTest::addColumn<QStringList>("played");
    QTest::addColumn<int>("checked");

    // clang-format off
    QTest::newRow("repeat off: once per click, nothing checked")
        << false << true << QList<int> {1} << false << QList<int> {440}
        << QStringList {"440_D4"} << -1;
    QTest::newRow("repeat on: the clicked string again at each tick")
        << true << true << QList<int> {1} << false << QList<int> {440, 440}
        << QStringList {"440_D4", "440_D4", "440_D4"} << 1;
    QTest::newRow("a click on another string moves the check")
        << true << true << QList<int> {1, 3} << false << QList<int> {440}
        << QStringList {"440_D4", "440_E5", "440_E5"} << 3;
    QTest::newRow("a click on the checked string ends the repeat")
        << true << true << QList<int> {1, 1} << false << QList<int> {440, 440}
        << QStringList {"440_D4", "440_D4"} << -1;
    QTest::newRow("no string checked: silent ticks")
        << true << true << QList<int> {} << false << QList<int> {440, 440}
        << QStringList {} << -1;
    QTest::newRow("switching repeat off and on clears the check")
        << true << true << QList<int> {2} << true << QList<int> {440}
        << QStringList {"440_A4"} << -1;
    QTest::newRow("the pitch is read afresh at each tick")
        << true << true << QList<int> {2} << false << QList<int> {452, 415}
        << QStringList {"440_A4", "452_A4", "415_A4"} << 2;
    QTest::newRow("a page behind another sounds no tick")
        << true << false << QList<int> {0} << false << QList<int> {440}
        << QStringList {} << 0;
    // clang-format on
}

void TestTunerPages::repeatMode()
{
    QFETCH(bool, repeat);
    QFETCH(bool, shown);
    QFETCH(QList<int>, clicks);
    QFETCH(bool, switchOffAndOn);
    QFETCH(QList<int>, tickPitches);
    QFETCH(QStringList, played);
    QFETCH(int, checked);
    // GIVEN the violin page in repeat mode or not
    ViolinTuner page(nullptr);
    page.setVisible(shown);
    page.slotSetRepeatMode(repeat);
    auto* panel = page.findChild<ButtonsPanel*>();
    QCOMPARE(panel->findChild<QTimer*>()->isActive(), repeat);
    SoundStartLog log;
    // WHEN strings are clicked and the timer ticks
    for (int string : clicks)
        page.button(string)->click();
    if (switchOffAndOn) {
        page.slotSetRepeatMode(false);
        page.slotSetRepeatMode(true);
    }
    for (int pitch : tickPitches) {
        setSetting("Pitch", pitch);
        panel->slotTimeOut();
    }
    // THEN each tone heard is the checked string's at the pitch of its moment
    QCOMPARE(checkedString(page), checked);
    QCOMPARE(LivePlayers::count(), played.size());
    for (QString& file : played)
        file = sample("violine_" + file + ".mp3");
    QTRY_COMPARE_WITH_TIMEOUT(log.names, played, 10000);
}

void TestTunerPages::repeatSettingAtConstruction_data()
{
    QTest::addColumn<bool>("repeat");
    QTest::newRow("on") << true;
    QTest::newRow("off") << false;
}

void TestTunerPages::repeatSettingAtConstruction()
{
    QFETCH(bool, repeat);
    setSetting("Repeat", repeat);
    QTest::ignoreMessage(QtDebugMsg, repeat ? "!!!RepeatMode: true" : "!!!RepeatMode: false");
    ButtonsPanel panel(nullptr);
    QCOMPARE(panel.findChild<QTimer*>()->isActive(), repeat);
    QCOMPARE(panel.button(0)->isCheckable(), repeat);
    QVERIFY(!panel.button(10) && !panel.button(-1));
}

void TestTunerPages::buttonsFollowThePanelWidth_data()
{
    QTest::addColumn<QSize>("panel");
    QTest::addColumn<int>("side");
    QTest::newRow("650 wide, 100 high") << QSize(650, 100) << 100;
    QTest::newRow("the page's narrowest") << QSize(300, 500) << 46;
}

void TestTunerPages::buttonsFollowThePanelWidth()
{
    QFETCH(QSize, panel);
    QFETCH(int, side);
    ButtonsPanel buttons(nullptr);
    buttons.show();
    buttons.resize(panel);
    QCOMPARE(buttons.button(0)->size(), QSize(side, side));
    QCOMPARE(buttons.button(9)->size(), QSize(side, side));
}

void TestTunerPages::bassGuitarSwitchesItsLowString()
{
    // GIVEN the bass guitar page, in repeat mode
    BassGuitarTuner page(nullptr);
    page.show();
    QPushButton* modes = page.modesPanel()->modesButton();
    QVERIFY(modes->isVisible());
    QCOMPARE(shownStrings(page), QStringList({"E1", "A1", "D2", "G2"}));
    // WHEN five strings are chosen, twice
    triggerMenuEntry(modes, "5 Strings");
    triggerMenuEntry(modes, "5 Strings");
    // THEN "B0" stands at the left
    QCOMPARE(shownStrings(page), QStringList({"B0", "E1", "A1", "D2", "G2"}));
    // AND when it sounds in repeat mode and goes away with "4 Strings"
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

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestTunerPages test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_TunerPages.moc"
