#include "../common/OpenedUrls.h"
#include "App.h"
#include "ButtonsPanel.h"
#include "TunerBasePage.h"
#include "TunerStyleSheet.h"
#include "TunersMainPage.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

using namespace VADirur;

namespace {

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

} // namespace

class TestTunersMainPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void keepsItsSizeInTheSettings_data();
    void keepsItsSizeInTheSettings();
    void chooserShowsEachPage_data();
    void chooserShowsEachPage();
    void chordApplicationButtonOpensTheStore();
    void repeatSwitchReachesEveryPage();
    void hostsMayHideTheChooserAndTheOptions();
    void everyPictureIsInTheResourceTree();
    void checkedButtonShowsItsPressedPicture();
};

void TestTunersMainPage::init()
{
    DORuverud::App::theApp()->settings()->clear();
}

void TestTunersMainPage::keepsItsSizeInTheSettings_data()
{
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<QSize>("opened");
    QTest::newRow("first start") << QSize() << QSize(736, 636);
    QTest::newRow("stored size") << QSize(900, 700) << QSize(900, 700);
}

void TestTunersMainPage::keepsItsSizeInTheSettings()
{
    QFETCH(QSize, stored);
    QFETCH(QSize, opened);
    DORuverud::App* app = DORuverud::App::theApp();
    if (stored.isValid()) {
        app->setSettingsValue("Width", stored.width());
        app->setSettingsValue("Height", stored.height());
    }
    // GIVEN the page at the size it keeps, or wider when its texts need it
    TunersMainPage page(nullptr, false);
    QCOMPARE(page.size(), opened);
    page.show();
    const QSize shown = opened.expandedTo(page.minimumSizeHint());
    QCOMPARE(page.size(), shown);
    QCOMPARE(setting("Width").toInt(), shown.width());
    QCOMPARE(setting("Height").toInt(), shown.height());
    // WHEN the user resizes it, THEN the settings follow at once
    page.resize(shown + QSize(40, 30));
    QCOMPARE(setting("Width").toInt(), shown.width() + 40);
    QCOMPARE(setting("Height").toInt(), shown.height() + 30);
    // AND the tuner's look is the application's
    QCOMPARE(qApp->styleSheet(), strStyle);
}

void TestTunersMainPage::chooserShowsEachPage_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("page");
    for (const char* name : {"Violin", "Viola", "Cello", "DoubleBass", "Guitar", "BassGuitar",
             "Ukulele", "Banjo", "Balalaika", "Mandolin", "Dombra"})
        QTest::newRow(name) << QString(name) + "Button" << QString("VADirur::%1Tuner").arg(name);
}

void TestTunersMainPage::chooserShowsEachPage()
{
    QFETCH(QString, button);
    QFETCH(QString, page);
    TunersMainPage tuner(nullptr, false);
    QCOMPARE(shownPage(tuner), QString("VADirur::GuitarTuner"));
    QCOMPARE(checkedButtons(tuner), QStringList("GuitarButton"));
    chooserButton(tuner, button)->click();
    QCOMPARE(shownPage(tuner), page);
    QCOMPARE(checkedButtons(tuner), QStringList(button));
}

void TestTunersMainPage::chordApplicationButtonOpensTheStore()
{
    TunersMainPage tuner(nullptr, false);
    chooserButton(tuner, "ViolinButton")->click();
    OpenedUrls opened;
    chooserButton(tuner, "TessivarButton")->click();
    QCOMPARE(opened.urls, QStringList("https://store.example/app/tessivar/id735204196?ls=1&mt=12"));
    QCOMPARE(shownPage(tuner), QString("VADirur::ViolinTuner"));
    QCOMPARE(checkedButtons(tuner), QStringList("ViolinButton"));
}

void TestTunersMainPage::repeatSwitchReachesEveryPage()
{
    TunersMainPage tuner(nullptr, false);
    QCheckBox* chooserRepeat = tuner.findChild<QFrame*>("TunersExplorer")->findChild<QCheckBox*>();
    const QList<ButtonsPanel*> panels = tuner.findChildren<ButtonsPanel*>();
    QCOMPARE(panels.size(), 11);
    for (bool on : {true, false}) {
        chooserRepeat->click();
        for (ButtonsPanel* panel : panels)
            QCOMPARE(panel->findChild<QTimer*>()->isActive(), on);
    }
}

void TestTunersMainPage::hostsMayHideTheChooserAndTheOptions()
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
void TestTunersMainPage::everyPictureIsInTheResourceTree()
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

void TestTunersMainPage::checkedButtonShowsItsPressedPicture()
{
    TunersMainPage tuner(nullptr, false);
    tuner.show();
    auto faceColour = [&tuner](const char* name) {
        return chooserButton(tuner, name)->grab().toImage().pixelColor(14, 46);
    };
    const QColor checked = faceColour("GuitarButton");
    const QColor unchecked = faceColour("ViolinButton");
    QVERIFY2(checked.blue() > 2 * checked.red(), qPrintable(checked.name()));
    QVERIFY2(unchecked.blue() < unchecked.red() + 20, qPrintable(unchecked.name()));
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    // Where the menus' style finds "background.png".
    QDir::setCurrent(app.bundleResourcePath());
    TestTunersMainPage test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_TunersMainPage.moc"
