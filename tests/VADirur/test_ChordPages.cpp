#include "App.h"
#include "BalalaikaChordsMainPage.h"
#include "BanjoChordsMainPage.h"
#include "BassChordsMainPage.h"
#include "BassChordsMainPage2.h"
#include "ChordFiles.h"
#include "GuitarChordsMainPage.h"
#include "MandolinChordsMainPage.h"
#include "PianoChordsMainPage.h"
#include "UkuleleChordsMainPage.h"

#include <QtTest>

#include <algorithm>

using namespace VADirur;

namespace {

// A page's book of fingerings and sound lists.
struct Book
{
    QVector<QVector<int>> tabs;
    QVector<QStringList> sounds;
};

template <class Page> Book readBook()
{
    struct Probe : Page
    {
        Probe()
            : Page(nullptr)
        {
        }
        Book book() const
        {
            return {Page::m_vecTabs, Page::m_vecSounds};
        }
    };
    return Probe().book();
}

const QStringList noteNames = {"C", "Cd", "D", "Dd", "E", "F", "Fd", "G", "Gd", "A", "Ad", "B"};

int midi(const QString& note)
{
    return (note.right(1).toInt() + 1) * 12 + noteNames.indexOf(note.left(note.size() - 1));
}

QString noteName(int note)
{
    return noteNames.at(note % 12) + QString::number(note / 12 - 1);
}

// The instrument as a musician knows it, written down apart from the code.
// The piano's 24 keys from C3 count as strings that sound at "fret" 0 only.
struct Instrument
{
    QString page;
    QString samples;
    QStringList openNotes;
    int highestFret;
    int photographs; // distinct photographs painted; 0 for none
};

QStringList pianoKeys()
{
    QStringList keys;
    for (int key = 48; key < 72; ++key)
        keys << noteName(key);
    return keys;
}

const QVector<Instrument>& instruments()
{
    static const QVector<Instrument> all {
        {"ukulele", "ukulele", {"G4", "C4", "E4", "A4"}, 8, 93},
        {"piano", "piano", pianoKeys(), 0, 103},
        {"guitar", "guitar", {"E2", "A2", "D3", "G3", "B3", "E4"}, 8, 124},
        {"mandolin", "mandolin", {"G3", "D4", "A4", "E5"}, 8, 103},
        {"banjo", "banjo", {"G4", "D3", "G3", "B3", "D4"}, 11, 112},
        {"bass", "bass", {"E1", "A1", "D2", "G2"}, 8, 0},
        {"bass2", "bass", {"E1", "A1", "D2", "G2"}, 13, 105},
        {"balalaika", "balalaika", {"E4", "E4", "A4"}, 11, 100},
    };
    return all;
}

// Chord index order: roots, then types, with each type's intervals in
// semitones (dim is the diminished seventh).
const char* const rootNames[12] = {"A", "Ab", "B", "Bb", "C", "D", "Db", "E", "Eb", "F", "G", "Gb"};
const int rootPitchClasses[12] = {9, 8, 11, 10, 0, 2, 1, 4, 3, 5, 7, 6};
const char* const typeNames[11]
    = {"", "m", "aug", "dim", "6", "m6", "7", "maj7", "m7", "9", "sus4"};
const QVector<int> formulas[11] = {{0, 4, 7}, {0, 3, 7}, {0, 4, 8}, {0, 3, 6, 9}, {0, 4, 7, 9},
    {0, 3, 7, 9}, {0, 4, 7, 10}, {0, 4, 7, 11}, {0, 3, 7, 10}, {0, 2, 4, 7, 10}, {0, 5, 7}};

QString chordName(int chord)
{
    return QLatin1String(rootNames[chord / 11]) + QLatin1String(typeNames[chord % 11]);
}

int chordIndex(const QString& name)
{
    for (int chord = 0; chord < 132; ++chord) {
        if (chordName(chord) == name)
            return chord;
    }
    return -1;
}

QSet<int> chordTones(int chord)
{
    QSet<int> tones;
    for (int interval : formulas[chord % 11])
        tones.insert((rootPitchClasses[chord / 11] + interval) % 12);
    return tones;
}

// The tones that tell each type's name, in semitones above the root, as
// chord books voice it: the third (the fourth for sus4), the sixth of a
// sixth chord, the seventh of a seventh chord, the ninth and the seventh of
// a ninth chord, the altered fifth of aug. The root and a perfect fifth may
// be left out, as books leave them out where the strings are too few. The
// four tones of dim lie a minor third apart, each as much its root as the
// others: any three of them tell it, and it needs no other.
const QVector<int> namingTones[11]
    = {{4}, {3}, {4, 8}, {}, {4, 9}, {3, 9}, {4, 10}, {4, 11}, {3, 10}, {2, 4, 10}, {5}};
const int diminishedTonesNeeded = 3;

const char* const pitchClassNames[12]
    = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

QString pitchClassList(const QSet<int>& classes)
{
    QList<int> sorted = classes.values();
    std::sort(sorted.begin(), sorted.end());
    QStringList names;
    for (int pitchClass : sorted)
        names << QLatin1String(pitchClassNames[pitchClass]);
    return names.join(' ');
}

// The pitch classes a chord's samples sound.
QSet<int> soundingClasses(const QStringList& sounds)
{
    QSet<int> classes;
    for (const QString& path : sounds) {
        if (!path.isEmpty())
            classes.insert(midi(path.section('_', -1).chopped(4)) % 12);
    }
    return classes;
}

// What the chord lacks of the tones that tell its name, "" when nothing.
QString missingTones(int chord, const QSet<int>& sounding)
{
    if (chord % 11 == 3) {
        const int heard = (chordTones(chord) & sounding).size();
        return heard >= diminishedTonesNeeded ? QString()
                                              : QStringLiteral("sounds %1 of its tones").arg(heard);
    }
    QSet<int> missing;
    for (int interval : namingTones[chord % 11])
        missing.insert((rootPitchClasses[chord / 11] + interval) % 12);
    missing -= sounding;
    return missing.isEmpty() ? QString() : QStringLiteral("lacks ") + pitchClassList(missing);
}

QString tabText(const QVector<int>& tab)
{
    QStringList values;
    for (int fret : tab)
        values << (fret < 0 ? QStringLiteral("X") : QString::number(fret));
    return values.join(' ');
}

// The sample each string sounds, "" where the fret has none.
QStringList expectedSounds(const Instrument& ins, const QVector<int>& tab)
{
    const QString folder = DORuverud::App::theApp()->bundleResourcePath();
    QStringList sounds;
    for (int s = 0; s < tab.size() && s < ins.openNotes.size(); ++s) {
        const int fret = tab.at(s);
        sounds << (fret < 0 || fret > ins.highestFret ? QString()
                                                      : folder + ins.samples + "_440_"
                    + noteName(midi(ins.openNotes.at(s)) + fret) + ".mp3");
    }
    return sounds;
}

QStringList pictures(const QString& page, const QVector<int>& tab)
{
    if (page == QLatin1String("bass"))
        return {};
    const QString photo = ChordFiles::photoName(page, tab);
    if (page != QLatin1String("piano"))
        return {photo};
    const QString code = ChordFiles::pitchClassCode(tab);
    return {ChordFiles::staffPictureName(code), photo};
}

QString picturePath(const QString& name)
{
    return QStringLiteral(":/") + ChordFiles::resourcePrefix() + ChordFiles::pictureFolder() + name;
}

QVector<int> pressed(std::initializer_list<int> keys)
{
    QVector<int> tab(24, -1);
    for (int key : keys)
        tab[key] = 0;
    return tab;
}

} // namespace

class TestChordPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyChord_data();
    void everyChord();
    void everyChordSoundsItsName_data();
    void everyChordSoundsItsName();
    void workedExamples_data();
    void workedExamples();
    void firstPositionBassMirrorsMandolin();

private:
    QMap<QString, Book> m_books;
};

void TestChordPages::initTestCase()
{
    m_books["ukulele"] = readBook<UkuleleChordsMainPage>();
    m_books["piano"] = readBook<PianoChordsMainPage>();
    m_books["guitar"] = readBook<GuitarChordsMainPage>();
    m_books["mandolin"] = readBook<MandolinChordsMainPage>();
    m_books["banjo"] = readBook<BanjoChordsMainPage>();
    m_books["bass"] = readBook<BassChordsMainPage>();
    m_books["bass2"] = readBook<BassChordsMainPage2>();
    m_books["balalaika"] = readBook<BalalaikaChordsMainPage>();
}

void TestChordPages::everyChord_data()
{
    QTest::addColumn<int>("instrument");
    for (int i = 0; i < instruments().size(); ++i)
        QTest::newRow(qPrintable(instruments().at(i).page)) << i;
}

// Every chord: one sound per string, "" exactly where the fret has no
// sample, only notes of its chord (on the piano all of them), every sample
// and picture present, and as many photographs as the tree holds.
void TestChordPages::everyChord()
{
    QFETCH(int, instrument);
    const Instrument& ins = instruments().at(instrument);
    const QString page = ins.page;
    const Book& book = m_books[page];
    QCOMPARE(book.tabs.size(), 132);
    QCOMPARE(book.sounds.size(), 132);
    QSet<QString> photos;
    for (int chord = 0; chord < 132; ++chord) {
        const QString name = chordName(chord);
        const QVector<int> tab = book.tabs.at(chord);
        QVERIFY2(tab.size() == ins.openNotes.size(), qPrintable(name));
        QVERIFY2(book.sounds.at(chord) == expectedSounds(ins, tab), qPrintable(name));
        for (const QString& path : book.sounds.at(chord))
            QVERIFY2(path.isEmpty() || QFile::exists(path), qPrintable(path));
        const QSet<int> sounding = soundingClasses(book.sounds.at(chord));
        const QSet<int> allowed = chordTones(chord);
        QVERIFY2(allowed.contains(sounding) && sounding.size() >= 2, qPrintable(name));
        if (page == QLatin1String("piano"))
            QVERIFY2(sounding == allowed, qPrintable(name));
        for (const QString& picture : pictures(page, tab))
            QVERIFY2(QFile::exists(picturePath(picture)), qPrintable(picture));
        photos.insert(ChordFiles::photoName(page, tab));
    }
    if (ins.photographs == 0)
        return;
    QCOMPARE(photos.size(), ins.photographs);
    const QStringList painted = QDir(picturePath(QString())).entryList({page + "_*.jpg"});
    QCOMPARE(painted.size(), ins.photographs);
}

void TestChordPages::everyChordSoundsItsName_data()
{
    everyChord_data();
}

// Every chord sounds the tones that tell its name, and no two types of one
// root sound the same pitch classes: a musician reading a name hears that
// chord and no other. Each fault is reported on a line of its own.
void TestChordPages::everyChordSoundsItsName()
{
    QFETCH(int, instrument);
    const Book& book = m_books[instruments().at(instrument).page];
    QStringList faults;
    for (int root = 0; root < 12; ++root) {
        QMap<QString, int> typeOfSound;
        for (int chord = root * 11; chord < root * 11 + 11; ++chord) {
            const QSet<int> sounding = soundingClasses(book.sounds.at(chord));
            const QString heard = pitchClassList(sounding);
            const QString missing = missingTones(chord, sounding);
            if (!missing.isEmpty()) {
                faults << QStringLiteral("%1 (%2: %3) %4")
                              .arg(chordName(chord), tabText(book.tabs.at(chord)), heard, missing);
            }
            if (typeOfSound.contains(heard)) {
                faults << QStringLiteral("%1 and %2 both sound %3")
                              .arg(chordName(typeOfSound.value(heard)), chordName(chord), heard);
            } else {
                typeOfSound.insert(heard, chord);
            }
        }
    }
    for (const QString& fault : faults)
        qWarning().noquote() << fault;
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 faults").arg(faults.size())));
}

void TestChordPages::workedExamples_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("chord");
    QTest::addColumn<QVector<int>>("tab");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("pictures");

    // clang-format off
    QTest::newRow("ukulele A") << "ukulele" << "A" << QVector<int> {2, 1, 0, 0} << "A4 Cd4 E4 A4"
        << "ukulele_2100.jpg";
    QTest::newRow("piano A, one code for both pictures") << "piano" << "A"
        << pressed({9, 13, 16}) << "A3 Cd4 E4"
        << "a_X0XX0XXXX0XX.png piano_X0XX0XXXX0XX.jpg";
    QTest::newRow("guitar D, low E muted") << "guitar" << "D" << QVector<int> {-1, 0, 0, 2, 3, 2}
        << "A2 D3 A3 D4 Fd4" << "guitar_X00232.jpg";
    QTest::newRow("banjo A, drone muted") << "banjo" << "A" << QVector<int> {-1, 2, 2, 2, 2}
        << "E3 A3 Cd4 E4" << "banjo_X2222.jpg";
    QTest::newRow("bass2 A") << "bass2" << "A" << QVector<int> {9, 7, 7, 6} << "Cd2 E2 A2 Cd3"
        << "bass2_9776.jpg";
    QTest::newRow("bass2 E m7, two-digit frets") << "bass2" << "Em7" << QVector<int> {10, 10, 9, 9}
        << "D2 G2 B2 E3" << "bass2_101099.jpg";
    QTest::newRow("balalaika B, one note twice") << "balalaika" << "B" << QVector<int> {7, 7, 6}
        << "B4 B4 Dd5" << "balalaika_776.jpg";
    QTest::newRow("balalaika Db9, its E string sounding at fret 11") << "balalaika" << "Db9"
        << QVector<int> {7, 11, 8} << "B4 Dd5 F5" << "balalaika_7118.jpg";
    // clang-format on
}

// The examples a musician checks first: fingering, notes in string order
// and the names of the pictures.
void TestChordPages::workedExamples()
{
    QFETCH(QString, page);
    QFETCH(QString, chord);
    QFETCH(QVector<int>, tab);
    QFETCH(QString, notes);
    QFETCH(QString, pictures);
    const int index = chordIndex(chord);
    QCOMPARE(m_books[page].tabs.at(index), tab);
    QStringList sounding;
    for (const QString& path : m_books[page].sounds.at(index)) {
        if (!path.isEmpty())
            sounding << path.section('_', -1).chopped(4);
    }
    QCOMPARE(sounding.join(' '), notes);
    QCOMPARE(::pictures(page, tab).join(' '), pictures);
}

void TestChordPages::firstPositionBassMirrorsMandolin()
{
    for (int chord = 0; chord < 132; ++chord) {
        QVector<int> reversed = m_books["mandolin"].tabs.at(chord);
        std::reverse(reversed.begin(), reversed.end());
        QVERIFY2(m_books["bass"].tabs.at(chord) == reversed, qPrintable(chordName(chord)));
    }
    QCOMPARE(m_books["bass"].tabs.at(chordIndex("Dbmaj7")), (QVector<int> {4, 4, 3, 5}));
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    app.setResourceOffset(ChordFiles::resourcePrefix());
    TestChordPages test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ChordPages.moc"
