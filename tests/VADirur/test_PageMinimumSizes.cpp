#include "../common/WholeControls.h"
#include "App.h"
#include "AppStyleSheet.h"
#include "ChordsMainPage.h"
#include "FavoritesDeleteDlg.h"
#include "MetronomeMainPage.h"
#include "PageStyleSheets.h"
#include "PianoNotesFinderMainPage.h"
#include "PromoMenuBar.h"
#include "TunersMainPage.h"

#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace VADirur;

namespace {

// The pages styled as a host shows them (the gallery does the same).
std::unique_ptr<QWidget> metronomePage(int beats)
{
    auto page = std::make_unique<MetronomeMainPage>(nullptr);
    page->setStyleSheet(PageStyleSheets::metronome());
    page->promoMenuBar()->setStyleSheet(AppStyleSheet::text());
    QMenu* menu = page->findChild<QPushButton*>(QStringLiteral("BeatCombo"))->menu();
    for (QAction* action : menu->actions()) {
        if (action->text() == QString::number(beats))
            action->trigger();
    }
    return page;
}

std::unique_ptr<QWidget> notesFinderPage()
{
    auto page = std::make_unique<PianoNotesFinderMainPage>(nullptr);
    page->addShopMenu();
    page->setStyleSheet(PageStyleSheets::notesFinder());
    page->promoMenuBar()->setStyleSheet(AppStyleSheet::text());
    return page;
}

// "tuners, Cello" shows the cello's page; "tuners, no explorer" the guitar's alone.
std::unique_ptr<QWidget> tunersPage(const QString& page)
{
    const bool noExplorer = page.endsWith(QLatin1String("no explorer"));
    auto tuners = std::make_unique<TunersMainPage>(nullptr, noExplorer);
    const QString instrument = page.section(QStringLiteral(", "), 1);
    if (!noExplorer && !instrument.isEmpty())
        QMetaObject::invokeMethod(tuners.get(), qPrintable("slotShow" + instrument));
    return tuners;
}

std::unique_ptr<QWidget> favoritesDeleteDialog()
{
    ChordsMainPage::applyStyle();
    auto dialog = std::make_unique<FavoritesDeleteDlg>(nullptr);
    dialog->addItem(QStringLiteral("Odile Marsk - Lanterns Over Keldmoor"));
    return dialog;
}

std::unique_ptr<QWidget> createPage(const QString& page)
{
    qApp->setStyleSheet(QString());
    if (page == QLatin1String("metronome"))
        return metronomePage(4);
    if (page == QLatin1String("metronome, 12 beats"))
        return metronomePage(12);
    if (page == QLatin1String("notes finder"))
        return notesFinderPage();
    if (page.startsWith(QLatin1String("tuners")))
        return tunersPage(page);
    if (page == QLatin1String("favourites delete dialog"))
        return favoritesDeleteDialog();
    return nullptr;
}

} // namespace

// Every page of the library, at its minimum size and a little above, shows
// each of its controls whole: captions with the room they need, inside their
// parents, clear of their neighbours.
class TestPageMinimumSizes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void controlsShowWhole_data();
    void controlsShowWhole();
};

void TestPageMinimumSizes::initTestCase()
{
    DORuverud::App::theApp()->setSettingsValue(QStringLiteral("NeverShowItAgain"), true);
}

void TestPageMinimumSizes::controlsShowWhole_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QSize>("extra");
    for (const char* page :
        {"metronome", "metronome, 12 beats", "notes finder", "tuners", "tuners, no explorer",
            "tuners, Violin", "tuners, Viola", "tuners, Cello", "tuners, DoubleBass",
            "tuners, BassGuitar", "tuners, Ukulele", "tuners, Banjo", "tuners, Balalaika",
            "tuners, Mandolin", "tuners, Dombra", "favourites delete dialog"}) {
        QTest::addRow("%s at its minimum", page) << QString(page) << QSize(0, 0);
        QTest::addRow("%s a little larger", page) << QString(page) << QSize(17, 23);
    }
}

void TestPageMinimumSizes::controlsShowWhole()
{
    QFETCH(QString, page);
    QFETCH(QSize, extra);
    std::unique_ptr<QWidget> window = createPage(page);
    QVERIFY(window);

    const QStringList faults = WholeControls::faultsAtMinimumSize(
        window.get(), extra, QString(QTest::currentDataTag()).replace(' ', '-'));

    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestPageMinimumSizes test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_PageMinimumSizes.moc"
