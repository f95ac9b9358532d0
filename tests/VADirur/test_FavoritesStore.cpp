#include "../common/RunawayBound.h"
#include "../common/ThreadTime.h"
#include "App.h"
#include "FavoritesMenu.h"
#include "Transposer.h"

#include <QSettings>
#include <QtTest>

#include <memory>

using VADirur::Transposer;
using namespace FavoritesMenu;

namespace {

DORuverud::App* app()
{
    return DORuverud::App::theApp();
}

// "Favorite<i>=Song <i>:A" lines of a settings file, one per index.
QString entries(const QList<int>& indices)
{
    QString lines;
    for (int i : indices)
        lines += QString("Favorite%1=Song %1:A\\n\n").arg(i);
    return lines;
}

QStringList songs(const QList<int>& indices)
{
    QStringList names;
    for (int i : indices)
        names << QString("Song %1").arg(i);
    return names;
}

// Writes the settings file as a user's disk holds it, and has the
// application read it again.
void writeSettingsFile(const QString& group)
{
    app()->settings()->clear();
    app()->settings()->sync();
    QFile file(app()->supportDirectory() + "settings.plist");
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(("[Tessivar]\n" + group).toUtf8());
    file.close();
    app()->settings()->sync();
}

// A start of the favourites: the names the menu offers; elapsedMs, where
// given, receives the time it took.
QStringList start(std::unique_ptr<Transposer>& transposer, qint64* elapsedMs = nullptr)
{
    const ThreadTime time;
    transposer = std::make_unique<Transposer>(nullptr);
    if (elapsedMs)
        *elapsedMs = time.elapsedMs();
    QStringList shown = names(*transposer);
    shown.sort();
    return shown;
}

// The first start on a settings file holding group; no names, and no
// start, when the file could not be written.
QStringList startOnFile(
    const QString& group, std::unique_ptr<Transposer>& transposer, qint64* elapsedMs = nullptr)
{
    writeSettingsFile(group);
    if (QTest::currentTestFailed())
        return {};
    return start(transposer, elapsedMs);
}

// The names shown once the user has saved one more favourite.
QStringList withAdded(QStringList shown)
{
    shown << "Added";
    shown.sort();
    return shown;
}

// The user saves one more favourite: a start shows it beside the others,
// and so does a start after the count is lost.
void saveOneMoreAndLoseTheCount(std::unique_ptr<Transposer>& transposer, const QStringList& shown)
{
    transposer->setCurrentChords({"E\nm"});
    saveAs(*transposer, "Added");
    QCOMPARE(start(transposer), withAdded(shown));
    app()->removeSettingsValue("FavoritesCount");
    QCOMPARE(start(transposer), withAdded(shown));
}

} // namespace

class TestFavoritesStore : public QObject
{
    Q_OBJECT

private slots:
    void damagedCountKeepsEveryStoredFavorite_data();
    void damagedCountKeepsEveryStoredFavorite();
    void previousVersionFileShowsItsFavorites_data();
    void previousVersionFileShowsItsFavorites();
};

void TestFavoritesStore::damagedCountKeepsEveryStoredFavorite_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("shown");
    const QString caption = Transposer::defaultFavorite().section(':', 0, 0);
    const QList<int> six {0, 1, 2, 3, 4, 5};
    QTest::newRow("file cut before the count") << entries(six) << songs(six);
    QTest::newRow("empty count") << entries(six) + "FavoritesCount=\n" << songs(six);
    QTest::newRow("negative count") << entries(six) + "FavoritesCount=-2\n" << songs(six);
    QTest::newRow("huge count, one far entry") << entries({2147483646})
            + "FavoritesCount=2147483647\n" << QStringList {caption, "Song 2147483646"};
    QTest::newRow("far entry, no count") << entries({0, 2147483646}) << songs({0, 2147483646});
    QTest::newRow("a count hides what a delete left above it") << entries({0, 1, 2})
            + "FavoritesCount=2\n" << songs({0, 1});
}

void TestFavoritesStore::damagedCountKeepsEveryStoredFavorite()
{
    QFETCH(QString, group);
    QFETCH(QStringList, shown);
    // GIVEN a settings file with these favourites, WHEN the program starts,
    // THEN it shows every favourite stored, at once
    std::unique_ptr<Transposer> transposer;
    qint64 elapsedMs = 0;
    QCOMPARE(startOnFile(group, transposer, &elapsedMs), shown);
    QVERIFY2(elapsedMs < runawayBoundMs(250), qPrintable(QString::number(elapsedMs) + " ms"));

    // WHEN the user saves one more, THEN a second start shows them all, and
    // so does one after the count is lost: nothing deleted comes back
    saveOneMoreAndLoseTheCount(transposer, shown);
    if (QTest::currentTestFailed())
        return;

    // AND every stored favourite still holds its chords
    for (const QString& name : shown.filter("Song ")) {
        choose(*transposer, name);
        QCOMPARE(transposer->currentChords(), QStringList("A\n"));
    }
}

void TestFavoritesStore::previousVersionFileShowsItsFavorites_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("shown");
    // The default favourite's entry cut short inside its name.
    const QString cut = "Favorite1=" + Transposer::defaultFavorite().left(8) + "\n";
    QTest::newRow("stale entry above the count") << entries({0, 1, 2}) + "FavoritesCount=2\n"
                                                 << songs({0, 1});
    QTest::newRow("cut entry under the count") << entries({0}) + cut + "FavoritesCount=2\n"
                                               << songs({0});
    QTest::newRow("count, cut entry and stale entry") << entries({0}) + cut + entries({2})
            + "FavoritesCount=2\n" << songs({0});
    QTest::newRow("cut entry, count lost") << entries({0}) + cut << songs({0});
}

// A file the previous version wrote shows what it showed, whether or not it
// later loses its count; a stale or cut entry never comes back.
void TestFavoritesStore::previousVersionFileShowsItsFavorites()
{
    QFETCH(QString, group);
    QFETCH(QStringList, shown);
    // GIVEN such a settings file, WHEN the program starts, THEN it shows its favourites
    std::unique_ptr<Transposer> transposer;
    QCOMPARE(startOnFile(group, transposer), shown);

    // AND once that file loses its count, the next start shows the same
    app()->removeSettingsValue("FavoritesCount");
    QCOMPARE(start(transposer), shown);

    // WHEN the user saves one more, THEN it stands beside them, with or
    // without the count
    saveOneMoreAndLoseTheCount(transposer, shown);
    if (QTest::currentTestFailed())
        return;

    // AND the file holds exactly those favourites
    app()->settings()->sync();
    QFile file(app()->supportDirectory() + "settings.plist");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QCOMPARE(text.count(QRegularExpression("\\nFavorite\\d+=")), withAdded(shown).size());
    for (const QString& name : withAdded(shown))
        QVERIFY2(text.contains("=" + name + ":"), qPrintable(text));
}

int main(int argc, char** argv)
{
    DORuverud::App application(argc, argv, "Quelmar", "Tessivar");
    TestFavoritesStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_FavoritesStore.moc"
