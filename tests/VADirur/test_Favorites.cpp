#include "App.h"
#include "ChordsButtonsPanel.h"
#include "FavoritesMenu.h"
#include "Transposer.h"

#include <QProcess>
#include <QSettings>
#include <QtTest>
#include <cstdio>

using VADirur::ChordsButtonsPanel;
using VADirur::Transposer;
using namespace FavoritesMenu;

namespace {

const QString flat = QString(QChar(0x266D));

DORuverud::App* app()
{
    return DORuverud::App::theApp();
}

// Every favourite as the menu loads it: "name=chord,chord" lines, with the
// line feeds inside the chords written as "|".
QString describe(Transposer& t)
{
    QStringList lines;
    for (const QString& name : names(t)) {
        entry(t, name)->trigger();
        lines << name + "=" + t.currentChords().join(",").replace('\n', '|');
    }
    return lines.join('\n');
}

QMap<QString, QVariant> stored()
{
    app()->settings()->sync();
    QMap<QString, QVariant> values;
    for (const QString& key : app()->settings()->allKeys())
        values.insert(key, app()->settings()->value(key));
    return values;
}

// Whether the icon shows a picture, not an empty square.
bool painted(const QIcon& icon)
{
    const QImage image = icon.pixmap(32, 32).toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 200)
                return true;
        }
    }
    return false;
}

// What a fresh application object sees in the settings.
QString describedByFreshProcess()
{
    app()->settings()->sync();
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--describe"});
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        return "child failed: " + QString::fromUtf8(child.readAllStandardError());
    return QString::fromUtf8(child.readAllStandardOutput());
}

// Arguments travel as hex so that no locale can change them.
QString hex(const QString& text)
{
    return QString::fromLatin1(text.toUtf8().toHex());
}

QString unhex(const QString& text)
{
    return QString::fromUtf8(QByteArray::fromHex(text.toLatin1()));
}

const QStringList defaultChords
    = {"B\nm", "E\nm", "F #\n7", "A\n7", "D\n", "D\nm", "G\nm", "A\n7", "C\n7", "F\n"};

} // namespace

class TestFavorites : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void firstStartOffersTheDefaultFavorite();
    void savedFavoriteSurvivesRestart();
    void refusedNamesChangeNothing_data();
    void refusedNamesChangeNothing();
    void deleteListsNamesLastFirst();
    void deletingDownToNoneStoresZero();
    void countReadsNoFurtherThanTheEntries_data();
    void countReadsNoFurtherThanTheEntries();
    void twoInstancesKeepEachOthersFavorites();
    void transposerMayGoWhileItsDialogIsOpen_data();
    void transposerMayGoWhileItsDialogIsOpen();
};

void TestFavorites::init()
{
    app()->settings()->clear();
    app()->settings()->sync();
}

void TestFavorites::firstStartOffersTheDefaultFavorite()
{
    // GIVEN a first start
    Transposer t;

    // THEN the menu offers New, a disabled Save, Delete and one caption
    const QList<QAction*> actions = favoritesMenu(t)->actions();
    QCOMPARE(actions.size(), 5);
    QCOMPARE(actions.at(0)->text(), QString("&New"));
    QCOMPARE(actions.at(1)->text(), QString("&Save..."));
    QVERIFY(!actions.at(1)->isEnabled());
    QCOMPARE(actions.at(2)->text(), QString("&Delete..."));
    QVERIFY(actions.at(3)->isSeparator());
    for (int i = 0; i < 3; ++i)
        QVERIFY2(painted(actions.at(i)->icon()), qPrintable(actions.at(i)->text()));
    const QString caption = actions.at(4)->text();
    QVERIFY2(QRegularExpression("^[^:]+ - [^:]+$").match(caption).hasMatch(), qPrintable(caption));

    // WHEN the user chooses it
    ChordsButtonsPanel panel;
    t.setChordsButtonsPanel(&panel);
    QSignalSpy chords(&panel, &ChordsButtonsPanel::chordChanged);
    QSignalSpy play(&t, &Transposer::play);
    choose(t, caption);

    // THEN its ten chords stand in the strip, the first selected, nothing sounds
    QCOMPARE(t.currentChords(), defaultChords);
    QCOMPARE(t.currentChordIndex(), 0);
    QCOMPARE(chords.count() + play.count(), 0);
    QVERIFY(entry(t, "&Save...")->isEnabled());

    // WHEN the user chooses New, THEN the strip empties and nothing is stored
    choose(t, "&New");
    QVERIFY(t.currentChords().isEmpty());
    QVERIFY(!entry(t, "&Save...")->isEnabled());
    QVERIFY(stored().isEmpty());
}

void TestFavorites::savedFavoriteSurvivesRestart()
{
    // GIVEN a sequence of A minor and E major
    Transposer t;
    const QString caption = names(t).value(0);
    t.setCurrentChords({"A\nm", "E\n"});

    // WHEN the user saves it as "Intro"
    QCOMPARE(saveAs(t, "Intro"), QString());

    // THEN both favourites are written in key order
    const QMap<QString, QVariant> values = stored();
    QCOMPARE(values.value("Tessivar/FavoritesCount").toInt(), 2);
    QCOMPARE(values.value("Tessivar/Favorite0").toString(), QString("Intro:A\nm,E\n"));
    QCOMPARE(values.value("Tessivar/Favorite1").toString(), Transposer::defaultFavorite());
    QCOMPARE(names(t), QStringList({"Intro", caption}));

    // AND a restarted application offers both
    QCOMPARE(describedByFreshProcess(),
        "Intro=A|m,E|\n" + caption + "=" + defaultChords.join(",").replace('\n', '|'));

    // WHEN the user saves another sequence under the same name, THEN it replaces the first
    t.setCurrentChords({"C\n", "G\n7"});
    saveAs(t, "Intro");
    QCOMPARE(names(t), QStringList({"Intro", caption}));
    QCOMPARE(stored().value("Tessivar/FavoritesCount").toInt(), 2);
    choose(t, "Intro");
    QCOMPARE(t.currentChords(), QStringList({"C\n", "G\n7"}));
}

void TestFavorites::refusedNamesChangeNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("warning");
    QTest::newRow("colon in the name") << "Verse: slow"
                                       << "Ok"
                                       << "\":\"";
    QTest::newRow("empty name") << ""
                                << "Ok"
                                << "without name";
    QTest::newRow("cancelled") << "Chorus"
                               << "Cancel"
                               << "";
}

void TestFavorites::refusedNamesChangeNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, button);
    QFETCH(QString, warning);
    // GIVEN one stored favourite besides the default
    Transposer t;
    t.setCurrentChords({"A\nm"});
    saveAs(t, "Verse");
    const QMap<QString, QVariant> before = stored();
    const QStringList menuBefore = names(t);
    t.setCurrentChords({"D\n", "G\n"});

    // WHEN the user tries to save under the name
    const QString shown = saveAs(t, name, button);

    // THEN a warning says why (none after Cancel) and nothing changed
    QCOMPARE(shown.isEmpty(), warning.isEmpty());
    QVERIFY2(shown.contains(warning), qPrintable(shown));
    QCOMPARE(stored(), before);
    QCOMPARE(names(t), menuBefore);
}

void TestFavorites::deleteListsNamesLastFirst()
{
    // GIVEN names of both cases: upper case sorts first in the menu
    Transposer t;
    t.setCurrentChords({"A\n"});
    saveAs(t, "bridge");
    saveAs(t, "Chorus");
    saveAs(t, "Verse / coda");
    const QString caption = Transposer::defaultFavorite().section(':', 0, 0);
    QCOMPARE(names(t), QStringList({"Chorus", caption, "Verse / coda", "bridge"}));
    const QMap<QString, QVariant> before = stored();

    // WHEN the page is shown again and the user opens the delete dialog but
    // answers "No", or cancels it
    t.recreateFavoritesMenu();
    const QStringList listed = deleteNamed(t, "bridge", "No");
    QObject watches;
    whenShown(&watches, "Dialog", [](QWidget* dialog) { click(dialog, "&Cancel"); });
    entry(t, "&Delete...")->trigger();

    // THEN it listed each name once, the other way round, the top one
    // selected, and nothing changed
    QCOMPARE(
        listed, QStringList({"bridge", "Verse / coda", caption, "Chorus", "selected: bridge"}));
    QCOMPARE(stored(), before);

    // WHEN the user answers "Yes", THEN the name goes
    deleteNamed(t, "bridge", "Yes");
    QCOMPARE(names(t), QStringList({"Chorus", caption, "Verse / coda"}));
    QCOMPARE(t.currentChords(), QStringList({"A\n"}));
}

void TestFavorites::deletingDownToNoneStoresZero()
{
    // GIVEN the default favourite and "Intro"
    Transposer t;
    t.setCurrentChords({"A\nm", "E\n"});
    saveAs(t, "Intro");
    const QString caption = names(t).at(1);

    // WHEN the user deletes both
    deleteNamed(t, "Intro", "Yes");
    deleteNamed(t, caption, "Yes");

    // THEN a count of 0 is stored, the sequence stays, and after a restart
    // no favourite, not even the default, comes back
    QCOMPARE(stored().value("Tessivar/FavoritesCount").toString(), QString("0"));
    QVERIFY(names(t).isEmpty());
    QCOMPARE(t.currentChords(), QStringList({"A\nm", "E\n"}));
    QCOMPARE(describedByFreshProcess(), QString());
}

void TestFavorites::countReadsNoFurtherThanTheEntries_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("expected");
    const QString caption = Transposer::defaultFavorite().section(':', 0, 0);
    QTest::newRow("a missing entry under the count is the default")
        << 2 << QStringList {"Intro:A\n"} << QStringList {"Intro", caption};
    QTest::newRow("a count far beyond one entry")
        << 100000000 << QStringList {"Intro:A\n"} << QStringList {"Intro", caption};
    QTest::newRow("a count far beyond no entry")
        << 100000000 << QStringList() << QStringList {caption};
    QTest::newRow("entries above the count stay unread")
        << 1 << QStringList {"Intro:A\n", "Old:E\n"} << QStringList {"Intro"};
}

void TestFavorites::countReadsNoFurtherThanTheEntries()
{
    QFETCH(int, count);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, expected);
    app()->setSettingsValue("FavoritesCount", count);
    for (int i = 0; i < entries.size(); ++i)
        app()->setSettingsValue(QString("Favorite%1").arg(i), entries.at(i));
    Transposer t;
    QCOMPARE(names(t), expected);
}

// Two instances on one home folder: each save or delete starts from what
// the other stored.
void TestFavorites::twoInstancesKeepEachOthersFavorites()
{
    // GIVEN this instance with its menu read
    Transposer t;
    const QString caption = names(t).value(0);

    // WHEN another instance saves a favourite through its menu
    const QStringList chords = {"E" + flat + "\nm7", "C #\n9", "G\n", "A" + flat + "\naug"};
    const QString name = QString::fromUtf8("Ballade, f\xC3\xBCr \xC3\xA9t\xC3\xA9 ") + flat;
    app()->settings()->sync();
    QProcess child;
    child.start(
        QCoreApplication::applicationFilePath(), {"--save", hex(name), hex(chords.join(","))});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);

    // AND this one saves one of its own and deletes the default
    t.setCurrentChords({"A\nm"});
    saveAs(t, "Here");
    deleteNamed(t, caption, "Yes");

    // THEN the other's favourite is kept, with its texts whole
    QCOMPARE(stored().value("Tessivar/FavoritesCount").toInt(), 2);
    QCOMPARE(names(t), QStringList({name, "Here"}));
    entry(t, name)->trigger();
    QCOMPARE(t.currentChords(), chords);
}

void TestFavorites::transposerMayGoWhileItsDialogIsOpen_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("name of a new favourite") << "&Save..."
                                             << "InputDialog";
    QTest::newRow("list to delete from") << "&Delete..."
                                         << "Dialog";
    QTest::newRow("question before deleting") << "&Delete..."
                                              << "MessageBox";
}

void TestFavorites::transposerMayGoWhileItsDialogIsOpen()
{
    QFETCH(QString, action);
    QFETCH(QString, dialog);
    // GIVEN a strip whose page goes away while one of its dialogs is open
    QPointer<Transposer> t = new Transposer;
    t->setCurrentChords({"A\n"});
    QObject watches;
    whenShown(&watches, dialog, [&t](QWidget*) { delete t; });
    if (dialog == "MessageBox")
        whenShown(&watches, "Dialog", [](QWidget* list) {
            QTest::mouseClick(list->findChild<QPushButton*>("DeleteButton"), Qt::LeftButton);
        });

    // WHEN the user opens it, THEN the strip goes and nothing is stored
    choose(*t, action);
    QVERIFY(!t);
    QVERIFY(stored().isEmpty());
}

// Child process modes: print what a fresh application object reads, or
// save one favourite through the menu.
int runChild(int argc, char** argv)
{
    DORuverud::App application(argc, argv, "Quelmar", "Tessivar");
    const QStringList args = QCoreApplication::arguments();
    Transposer t;
    if (args.at(1) == "--describe") {
        std::fputs(describe(t).toUtf8().constData(), stdout);
        return 0;
    }
    t.setCurrentChords(unhex(args.at(3)).split(','));
    saveAs(t, unhex(args.at(2)));
    return 0;
}

int main(int argc, char** argv)
{
    if (argc > 1 && QByteArray(argv[1]).startsWith("--"))
        return runChild(argc, argv);
    DORuverud::App application(argc, argv, "Quelmar", "Tessivar");
    TestFavorites test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_Favorites.moc"
