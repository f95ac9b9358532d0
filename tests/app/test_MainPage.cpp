#include "App.h"
#include "AudioEngine.h"
#include "AudioEngineObserver.h"
#include "ChordsMainPage.h"
#include "IntroductionSlides.h"
#include "ItemsPanel.h"
#include "MainPage.h"
#include "MoreMenuLinks.h"
#include "NativeAudioPlayer.h"
#include "PromoMenuBar.h"
#include "TranslationsManager.h"

#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

using DORuverud::App;
using VADirur::ChordsMainPage;

// The names of the sounds the engine starts, in order.
class SoundLog : public DIReridArazi::AudioEngineObserver
{
public:
    SoundLog()
    {
        DIReridArazi::AudioEngine::instance()->addObserver(this);
    }
    ~SoundLog() override
    {
        DIReridArazi::AudioEngine::instance()->removeObserver(this);
    }
    void voiceStarted(const QString& name, qint64) override
    {
        names << name;
    }

    // Plays the bell and waits until it is heard: every sound started
    // before it has been reported by then.
    bool markWithBell()
    {
        DIReridArazi::NativeAudioPlayer bell;
        bell.play(App::theApp()->bundleResourcePath() + QStringLiteral("bell.wav"));
        return QTest::qWaitFor(
            [this]() { return !names.isEmpty() && names.last().contains("bell"); }, 20000);
    }

    QStringList names;
};

static ChordsMainPage* shownPage(MainPage& window)
{
    return qobject_cast<ChordsMainPage*>(window.findChild<QStackedWidget*>()->currentWidget());
}

static void clickItem(MainPage& window, const QString& item)
{
    QTest::mouseClick(window.findChild<QPushButton*>(item), Qt::LeftButton);
}

class TestMainPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sizeIsStoredAndRestored();
    void startsWithThePiano();
    void switchCarriesChordAndSequence_data();
    void switchCarriesChordAndSequence();
    void checkedButtonReappliesItsPage();
    void unknownItemChangesNothing();
    void moreMenusListLinksBeforeShops_data();
    void moreMenusListLinksBeforeShops();
    void arabicLaysOutRightToLeft();
    void slideLanguage_data();
    void slideLanguage();
    void closingTheWindowEndsTheLoop();
};

void TestMainPage::initTestCase()
{
    App::theApp()->setSettingsValue(QStringLiteral("NeverShowItAgain"), true);
    ChordsMainPage::applyStyle();
}

void TestMainPage::sizeIsStoredAndRestored()
{
    // GIVEN a first start
    MainPage window(nullptr);
    window.show();
    QCOMPARE(window.size(), QSize(620, 620));

    // WHEN the user resizes the window
    window.resize(900, 700);

    // THEN both sides are stored and the next window takes them
    QTRY_COMPARE(App::theApp()->settingsValue(QStringLiteral("Width")).toInt(), 900);
    QCOMPARE(App::theApp()->settingsValue(QStringLiteral("Height")).toInt(), 700);
    MainPage next(nullptr);
    QCOMPARE(next.size(), QSize(900, 700));
    App::theApp()->setSettingsValue(QStringLiteral("Width"), 620);
    App::theApp()->setSettingsValue(QStringLiteral("Height"), 620);
}

void TestMainPage::startsWithThePiano()
{
    MainPage window(nullptr);

    QVERIFY(shownPage(window)->inherits("VADirur::PianoChordsMainPage"));
    QVERIFY(window.findChild<QPushButton*>(QStringLiteral("PianoItem"))->isChecked());
    QStringList captions;
    for (QLabel* label :
        window.findChild<ItemsPanel*>()->findChildren<QLabel*>(QStringLiteral("SimpleText")))
        captions << label->text();
    QCOMPARE(captions,
        (QStringList {
            "Piano", "Guitar", "Bass Guitar", "Ukulele", "Banjo", "Mandolin", "Balalaika"}));
    QStringList column;
    QWidget* panel = window.findChild<ItemsPanel*>();
    for (int i = 0; i < panel->layout()->count(); ++i) {
        if (QWidget* widget = panel->layout()->itemAt(i)->widget();
            widget && widget->inherits("QPushButton"))
            column << widget->objectName();
    }
    QCOMPARE(column,
        (QStringList {"PianoItem", "GuitarItem", "BassItem", "UkuleleItem", "BanjoItem",
            "MandolinItem", "BalalaikaItem"}));
}

void TestMainPage::switchCarriesChordAndSequence_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("sequence");
    QTest::addColumn<int>("position");

    const QStringList three {"C", "G7", "Dm"};
    QTest::newRow("guitar to piano") << "GuitarItem"
                                     << "PianoItem"
                                     << "VADirur::PianoChordsMainPage" << three << 1;
    QTest::newRow("piano to guitar") << "PianoItem"
                                     << "GuitarItem"
                                     << "VADirur::GuitarChordsMainPage" << three << 1;
    QTest::newRow("piano to bass") << "PianoItem"
                                   << "BassItem"
                                   << "VADirur::BassChordsMainPage2" << three << 2;
    QTest::newRow("empty sequence") << "MandolinItem"
                                    << "BalalaikaItem"
                                    << "VADirur::BalalaikaChordsMainPage" << QStringList() << -1;
}

void TestMainPage::switchCarriesChordAndSequence()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, page);
    QFETCH(QStringList, sequence);
    QFETCH(int, position);

    // GIVEN a page with a sequence, one position selected, and Am chosen
    MainPage window(nullptr);
    window.show();
    clickItem(window, from);
    ChordsMainPage* source = shownPage(window);
    for (const QString& chord : sequence) {
        source->setCurrentChord(chord);
        QTest::mouseClick(
            source->findChild<QPushButton*>(QStringLiteral("PushButtonAdd")), Qt::LeftButton);
    }
    if (position >= 0)
        source->setCurrentTransposerChordIndex(position);
    source->setCurrentChord(QStringLiteral("Am"));
    const QStringList tabs = source->currentTransposerChords();
    QCOMPARE(tabs.size(), sequence.size());
    SoundLog sounds;
    QVERIFY(sounds.markWithBell());
    sounds.names.clear();

    // WHEN the user switches the instrument
    clickItem(window, to);

    // THEN the new page shows the same chord, sequence and position, silently
    ChordsMainPage* target = shownPage(window);
    QVERIFY(target->inherits(page.toLatin1()));
    QCOMPARE(target->currentChord(), QStringLiteral("Am"));
    QCOMPARE(target->currentTransposerChords(), tabs);
    QCOMPARE(target->currentTransposerChordIndex(), position);
    QVERIFY(window.findChild<QPushButton*>(to)->isChecked());
    QCoreApplication::processEvents();
    QVERIFY(sounds.markWithBell());
    QCOMPARE(sounds.names.size(), 1);
}

void TestMainPage::checkedButtonReappliesItsPage()
{
    MainPage window(nullptr);
    window.show();
    ChordsMainPage* piano = shownPage(window);
    piano->setCurrentChord(QStringLiteral("E7"));
    QSignalSpy changes(window.findChild<ItemsPanel*>(), SIGNAL(itemChanged(QString)));

    clickItem(window, QStringLiteral("PianoItem"));

    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.first().first().toString(), QStringLiteral("PianoItem"));
    QCOMPARE(shownPage(window), piano);
    QCOMPARE(piano->currentChord(), QStringLiteral("E7"));
}

void TestMainPage::unknownItemChangesNothing()
{
    MainPage window(nullptr);
    clickItem(window, QStringLiteral("BanjoItem"));
    ChordsMainPage* banjo = shownPage(window);

    QVERIFY(QMetaObject::invokeMethod(&window, "slotItemChanged", Q_ARG(QString, "pianoitem")));
    QVERIFY(QMetaObject::invokeMethod(&window, "slotItemChanged", Q_ARG(QString, "DrumItem")));

    QCOMPARE(shownPage(window), banjo);
}

void TestMainPage::moreMenusListLinksBeforeShops_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("instrument");
    QTest::addColumn<int>("webLinks");
    QTest::addColumn<int>("appLinks");

    QTest::newRow("guitar") << "GuitarItem"
                            << "guitar" << 2 << 5;
    QTest::newRow("balalaika") << "BalalaikaItem"
                               << "balalaika" << 2 << 5;
    QTest::newRow("ukulele") << "UkuleleItem"
                             << "ukulele" << 2 << 5;
    QTest::newRow("banjo") << "BanjoItem"
                           << "banjo" << 2 << 4;
    QTest::newRow("piano") << "PianoItem"
                           << "piano" << 3 << 3;
    QTest::newRow("mandolin") << "MandolinItem"
                              << "mandolin" << 2 << 5;
    QTest::newRow("bass") << "BassItem"
                          << "bass" << 2 << 4;
}

void TestMainPage::moreMenusListLinksBeforeShops()
{
    QFETCH(QString, item);
    QFETCH(QString, instrument);
    QFETCH(int, webLinks);
    QFETCH(int, appLinks);

    MainPage window(nullptr);
    clickItem(window, item);
    const QList<QAction*> entries = shownPage(window)->promoMenuBar()->shopMenu()->actions();

    QCOMPARE(VADirur::MoreMenuLinks::webLinks(instrument).size(), webLinks);
    QCOMPARE(VADirur::MoreMenuLinks::appLinks(instrument).size(), appLinks);
    const int links = webLinks + appLinks;
    QVERIFY(entries.size() > links + 1);
    QStringList titles;
    for (const auto& link : VADirur::MoreMenuLinks::webLinks(instrument))
        titles << link.title;
    for (const auto& link : VADirur::MoreMenuLinks::appLinks(instrument))
        titles << link.title;
    for (int i = 0; i < links; ++i) {
        QCOMPARE(entries.at(i)->text(), titles.at(i));
        QVERIFY2(!entries.at(i)->icon().isNull(), qPrintable(titles.at(i)));
    }
    QVERIFY(entries.at(links)->isSeparator());
    QCOMPARE(entries.at(links + 1)->text(), QStringLiteral("Must Have"));
}

void TestMainPage::arabicLaysOutRightToLeft()
{
    DORuverud::TranslationsManager::instance()->setTranslation(QStringLiteral("ar"));
    MainPage window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QVERIFY(window.findChild<ItemsPanel*>()->x() > window.findChild<QStackedWidget*>()->x());
    DORuverud::TranslationsManager::instance()->setTranslation(QStringLiteral("en"));
}

void TestMainPage::slideLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("slides");

    QTest::newRow("English") << "en"
                             << "en";
    QTest::newRow("German") << "de"
                            << "de";
    QTest::newRow("Russian") << "ru"
                             << "ru";
    QTest::newRow("Spanish shows English") << "es"
                                           << "en";
    QTest::newRow("Chinese shows English") << "zh_CN"
                                           << "en";
    QTest::newRow("German with a country") << "de_DE"
                                           << "en";
}

void TestMainPage::slideLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, slides);

    const QStringList paths = IntroductionSlides::paths(QStringLiteral("/b/Resources/"), language);

    QCOMPARE(paths.size(), 9);
    for (int n = 0; n < 9; ++n)
        QCOMPARE(paths.at(n), QStringLiteral("/b/Resources/TQSlide%1_%2.jpg").arg(n).arg(slides));
}

void TestMainPage::closingTheWindowEndsTheLoop()
{
    MainPage window(nullptr);
    window.show();
    QTimer::singleShot(0, &window, &QWidget::close);

    QCOMPARE(QCoreApplication::exec(), 0);
}

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestMainPage test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_MainPage.moc"
