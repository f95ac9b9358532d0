#include "../common/SoundStartLog.h"
#include "../common/WholeControls.h"
#include "App.h"
#include "AudioEngine.h"
#include "ChordView.h"
#include "ChordsButtonsPanel.h"
#include "ChordsMainPage.h"
#include "IntroductionSlides.h"
#include "ItemsPanel.h"
#include "MainPage.h"
#include "MoreMenuLinks.h"
#include "NativeAudioPlayer.h"
#include "PromoMenuBar.h"
#include "TranslationsManager.h"
#include "Transposer.h"

#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

using DORuverud::App;
using VADirur::ChordsMainPage;

namespace {

ChordsMainPage* shownPage(MainPage& window)
{
    return qobject_cast<ChordsMainPage*>(window.findChild<QStackedWidget*>()->currentWidget());
}

void clickItem(MainPage& window, const QString& item)
{
    QTest::mouseClick(window.findChild<QPushButton*>(item), Qt::LeftButton);
}

// Plays the bell and waits until it is heard: every sound started before
// it has been reported by then.
bool markWithBell(const SoundStartLog& log)
{
    DIReridArazi::NativeAudioPlayer bell;
    bell.play(App::theApp()->bundleResourcePath() + QStringLiteral("bell.wav"));
    return QTest::qWaitFor(
        [&log]() { return !log.names.isEmpty() && log.names.last().contains("bell"); }, 20000);
}

// Whether the icon draws anything at menu size: the pictures are read when
// a menu first draws them.
bool drawsAPicture(const QIcon& icon)
{
    const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
        }
    }
    return false;
}

// The pixels a button's menu indicator covers: those that change when the
// menu goes, the caption set aside (the indicator takes room from it).
QRect menuIndicatorOf(QPushButton* button, int* pixels)
{
    const QString caption = button->text();
    QMenu* menu = button->menu();
    button->setText(QString());
    const QImage with = button->grab().toImage();
    button->setMenu(nullptr);
    const QImage without = button->grab().toImage();
    button->setMenu(menu);
    button->setText(caption);
    QRect covered;
    *pixels = 0;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (with.pixel(x, y) != without.pixel(x, y)) {
                covered |= QRect(x, y, 1, 1);
                ++*pixels;
            }
        }
    }
    return covered;
}

} // namespace

// The window's size and its closing are shown on the real program by test_Program.
class TestMainPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startsWithThePiano();
    void switchCarriesChordAndSequence_data();
    void switchCarriesChordAndSequence();
    void checkedOrUnknownItemKeepsThePage();
    void hiddenPageShowsWholeInItsFirstFrame_data();
    void hiddenPageShowsWholeInItsFirstFrame();
    void moreMenusListLinksBeforeShops_data();
    void moreMenusListLinksBeforeShops();
    void menuButtonsShowTheirIndicatorWhole_data();
    void menuButtonsShowTheirIndicatorWhole();
    void controlsShowWholeAtTheMinimumSize_data();
    void controlsShowWholeAtTheMinimumSize();
    void arabicLaysOutRightToLeft();
    void slideLanguage_data();
    void slideLanguage();
};

void TestMainPage::initTestCase()
{
    App::theApp()->setSettingsValue(QStringLiteral("NeverShowItAgain"), true);
    ChordsMainPage::applyStyle();
}

void TestMainPage::startsWithThePiano()
{
    MainPage window(nullptr);

    QVERIFY(shownPage(window)->inherits("VADirur::PianoChordsMainPage"));
    QVERIFY(window.findChild<QPushButton*>(QStringLiteral("PianoItem"))->isChecked());
    QStringList column;
    QStringList captions;
    QWidget* panel = window.findChild<ItemsPanel*>();
    for (int i = 0; i < panel->layout()->count(); ++i) {
        if (QWidget* widget = panel->layout()->itemAt(i)->widget();
            widget && widget->inherits("QPushButton"))
            column << widget->objectName();
    }
    for (QLabel* label : panel->findChildren<QLabel*>(QStringLiteral("SimpleText")))
        captions << label->text();
    QCOMPARE(column,
        (QStringList {"PianoItem", "GuitarItem", "BassItem", "UkuleleItem", "BanjoItem",
            "MandolinItem", "BalalaikaItem"}));
    QCOMPARE(captions,
        (QStringList {
            "Piano", "Guitar", "Bass Guitar", "Ukulele", "Banjo", "Mandolin", "Balalaika"}));
}

void TestMainPage::switchCarriesChordAndSequence_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("sequence");
    QTest::addColumn<int>("position");

    const QStringList three {"C", "G7", "Dm"};
    QTest::newRow("piano to guitar") << QString("PianoItem") << QString("GuitarItem")
                                     << QString("VADirur::GuitarChordsMainPage") << three << 1;
    QTest::newRow("guitar to piano") << QString("GuitarItem") << QString("PianoItem")
                                     << QString("VADirur::PianoChordsMainPage") << three << 1;
    QTest::newRow("piano to bass") << QString("PianoItem") << QString("BassItem")
                                   << QString("VADirur::BassChordsMainPage2") << three << 2;
    QTest::newRow("empty sequence")
        << QString("MandolinItem") << QString("BalalaikaItem")
        << QString("VADirur::BalalaikaChordsMainPage") << QStringList() << -1;
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
    SoundStartLog sounds;
    QVERIFY(markWithBell(sounds));
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
    QVERIFY(markWithBell(sounds));
    QCOMPARE(sounds.names.size(), 1);
}

void TestMainPage::checkedOrUnknownItemKeepsThePage()
{
    MainPage window(nullptr);
    window.show();
    ChordsMainPage* piano = shownPage(window);
    piano->setCurrentChord(QStringLiteral("E7"));
    QSignalSpy changes(window.findChild<ItemsPanel*>(), SIGNAL(itemChanged(QString)));

    // WHEN the checked button is clicked again, THEN its page is applied again
    clickItem(window, QStringLiteral("PianoItem"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.first().first().toString(), QStringLiteral("PianoItem"));

    // and an unknown item changes nothing
    QVERIFY(QMetaObject::invokeMethod(&window, "slotItemChanged", Q_ARG(QString, "pianoitem")));
    QVERIFY(QMetaObject::invokeMethod(&window, "slotItemChanged", Q_ARG(QString, "DrumItem")));
    QCOMPARE(shownPage(window), piano);
    QCOMPARE(piano->currentChord(), QStringLiteral("E7"));
}

void TestMainPage::hiddenPageShowsWholeInItsFirstFrame_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("samples");
    QTest::newRow("guitar") << "GuitarItem"
                            << "guitar E2 A2 E3 A3 Cd4 E4";
    QTest::newRow("ukulele") << "UkuleleItem"
                             << "ukulele A4 Cd4 E4";
    QTest::newRow("bass") << "BassItem" << QString();
    QTest::newRow("balalaika") << "BalalaikaItem" << QString();
    QTest::newRow("banjo") << "BanjoItem" << QString();
    QTest::newRow("mandolin") << "MandolinItem" << QString();
}

// The seven pages exist from the start; a page shown for the first time has
// its selector, chord view and sequence on screen at once, and the shown
// chord's samples are decoded once it has been painted.
void TestMainPage::hiddenPageShowsWholeInItsFirstFrame()
{
    QFETCH(QString, item);
    QFETCH(QString, samples);
    MainPage window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.findChild<QStackedWidget*>()->count(), 7);
    shownPage(window)->setCurrentChord(QStringLiteral("A"));

    clickItem(window, item);
    ChordsMainPage* page = shownPage(window);
    QVERIFY(page->findChild<VADirur::ChordsButtonsPanel*>()->isVisible());
    QVERIFY(page->findChild<VADirur::ChordView*>()->isVisible());
    QVERIFY(page->findChild<VADirur::Transposer*>()->isVisible());
    QCOMPARE(page->currentChord(), QStringLiteral("A"));

    QStringList notes = samples.split(' ', Qt::SkipEmptyParts);
    if (notes.isEmpty())
        return;
    const QString instrument = notes.takeFirst();
    auto* engine = DIReridArazi::AudioEngine::instance();
    for (const QString& note : qAsConst(notes)) {
        const QString path
            = App::theApp()->bundleResourcePath() + instrument + "_440_" + note + ".mp3";
        QTRY_VERIFY2_WITH_TIMEOUT(engine->isReady(path), qPrintable(note), 10000);
    }
}

void TestMainPage::moreMenusListLinksBeforeShops_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("instrument");
    for (const char* instrument :
        {"Guitar", "Balalaika", "Ukulele", "Banjo", "Piano", "Mandolin", "Bass"})
        QTest::newRow(instrument) << QString(instrument) + "Item" << QString(instrument).toLower();
}

void TestMainPage::moreMenusListLinksBeforeShops()
{
    QFETCH(QString, item);
    QFETCH(QString, instrument);

    MainPage window(nullptr);
    clickItem(window, item);
    const QList<QAction*> entries = shownPage(window)->promoMenuBar()->shopMenu()->actions();

    QStringList titles;
    for (const auto& link : VADirur::MoreMenuLinks::webLinks(instrument))
        titles << link.title;
    for (const auto& link : VADirur::MoreMenuLinks::appLinks(instrument))
        titles << link.title;
    QVERIFY(titles.size() >= 6 && entries.size() > titles.size() + 1);
    for (int i = 0; i < titles.size(); ++i) {
        QCOMPARE(entries.at(i)->text(), titles.at(i));
        QVERIFY2(drawsAPicture(entries.at(i)->icon()), qPrintable(titles.at(i)));
    }
    QVERIFY(entries.at(titles.size())->isSeparator());
    QCOMPARE(entries.at(titles.size() + 1)->text(), QStringLiteral("Must Have"));
    for (const QAction* entry : entries.mid(titles.size() + 1)) {
        if (!entry->isSeparator())
            QVERIFY2(drawsAPicture(entry->icon()), qPrintable(entry->text()));
    }
    const QList<QAction*> appEntries = shownPage(window)
                                           ->findChild<QPushButton*>(QStringLiteral("AppButton"))
                                           ->menu()
                                           ->actions();
    for (const QAction* entry : appEntries) {
        if (entry->text() != QLatin1String("Quit") && !entry->isSeparator())
            QVERIFY2(drawsAPicture(entry->icon()), qPrintable(entry->text()));
    }
}

void TestMainPage::menuButtonsShowTheirIndicatorWhole_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::newRow("three dots") << "MoreButton" << QString();
    QTest::newRow("application") << "AppButton" << QString();
    QTest::newRow("Transpose") << "TransposerButton"
                               << "Transpose";
    QTest::newRow("Favorites") << "TransposerButton"
                               << "Favorites";
}

// The arrow under a menu button is drawn whole (it is 7 by 4 pixels at the
// least) and clear of the button's edges.
void TestMainPage::menuButtonsShowTheirIndicatorWhole()
{
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    MainPage window(nullptr);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QPushButton* button = nullptr;
    for (QPushButton* candidate : shownPage(window)->findChildren<QPushButton*>(objectName)) {
        if (caption.isEmpty() || candidate->text() == caption)
            button = candidate;
    }
    QVERIFY(button && button->menu());

    int pixels = 0;
    const QRect indicator = menuIndicatorOf(button, &pixels);
    QVERIFY2(indicator.width() >= 7 && indicator.height() >= 4 && pixels >= 15,
        qPrintable(QString("%1 x %2, %3 pixels")
                       .arg(indicator.width())
                       .arg(indicator.height())
                       .arg(pixels)));
    QVERIFY(button->rect().adjusted(1, 1, -1, -1).contains(indicator));
}

void TestMainPage::controlsShowWholeAtTheMinimumSize_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("soundOn");
    QTest::addColumn<QSize>("extra");
    for (const char* instrument :
        {"Piano", "Guitar", "Bass", "Ukulele", "Banjo", "Mandolin", "Balalaika"}) {
        const QString item = QString(instrument) + "Item";
        QTest::addRow("%s, sound on", instrument) << item << true << QSize(0, 0);
        QTest::addRow("%s, sound off", instrument) << item << false << QSize(0, 0);
        QTest::addRow("%s, a little larger", instrument) << item << false << QSize(11, 7);
    }
}

// With a sequence long enough to scroll, every control of the shown page
// and the selector shows whole.
void TestMainPage::controlsShowWholeAtTheMinimumSize()
{
    QFETCH(QString, item);
    QFETCH(bool, soundOn);
    QFETCH(QSize, extra);
    App::theApp()->setSettingsValue(QStringLiteral("TransposerSoundOn"), soundOn);
    MainPage window(nullptr);
    window.show();
    clickItem(window, item);
    QStringList sequence;
    for (int i = 0; i < 12; ++i)
        sequence << QStringLiteral("C #\nmaj7");
    shownPage(window)->setCurrentTransposerChords(sequence);

    const QStringList faults = WholeControls::faultsAtMinimumSize(
        &window, extra, QString(QTest::currentDataTag()).replace(' ', '-'));

    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    QStringList captions;
    for (const QPushButton* button :
        shownPage(window)->findChildren<QPushButton*>(QStringLiteral("TransposerButton")))
        captions << button->text();
    QVERIFY(captions.contains(soundOn ? QStringLiteral("Sound On") : QStringLiteral("Sound Off")));
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
    QTest::newRow("English") << QString("en") << QString("en");
    QTest::newRow("Russian") << QString("ru") << QString("ru");
    QTest::newRow("Spanish shows English") << QString("es") << QString("en");
    QTest::newRow("German with a country shows English") << QString("de_DE") << QString("en");
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

int main(int argc, char** argv)
{
    App app(argc, argv, "Quelmar", "Tessivar");
    TestMainPage test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_MainPage.moc"
