#include "App.h"
#include "AudioEngine.h"
#include "AudioEngineObserver.h"
#include "BalalaikaChordsMainPage.h"
#include "BanjoChordsMainPage.h"
#include "BassChordsMainPage.h"
#include "BassChordsMainPage2.h"
#include "ChordFiles.h"
#include "GuitarChordsMainPage.h"
#include "MandolinChordsMainPage.h"
#include "NativeAudioPlayer.h"

#include <QAbstractButton>
#include <QMutex>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <utility>

// Qt's object hooks (the table debuggers use) let the test count players.
QT_BEGIN_NAMESPACE
extern quintptr Q_CORE_EXPORT qtHookData[];
QT_END_NAMESPACE

using namespace VADirur;

namespace {

const int addObjectHook = 3;
const int removeObjectHook = 4;

QMutex objectsMutex;
QSet<QObject*> liveObjects;

void objectAdded(QObject* object)
{
    QMutexLocker lock(&objectsMutex);
    liveObjects.insert(object);
}

void objectRemoved(QObject* object)
{
    QMutexLocker lock(&objectsMutex);
    liveObjects.remove(object);
}

int livePlayers()
{
    QMutexLocker lock(&objectsMutex);
    int count = 0;
    for (QObject* object : qAsConst(liveObjects))
        count += qobject_cast<DIReridArazi::NativeAudioPlayer*>(object) ? 1 : 0;
    return count;
}

// Opens the chord book of a page to the test.
template <class Page, std::size_t Strings> class Probe : public Page
{
public:
    Probe()
        : Page(nullptr)
    {
    }
    using Page::m_vecSounds;
    using Page::m_vecTabs;

    // setChord(index, v[0], v[1], ...) whatever the number of strings.
    void store(int index, const QVector<int>& v)
    {
        storeSpread(index, v, std::make_index_sequence<Strings>());
    }

private:
    template <std::size_t... I>
    void storeSpread(int index, const QVector<int>& v, std::index_sequence<I...>)
    {
        Page::setChord(index, v.at(int(I))...);
    }
};

// What a page holds, seen from outside.
struct Book
{
    QVector<QStringList> sounds;
    QVector<QVector<int>> tabs;
    std::function<std::pair<QStringList, QVector<int>>(const QVector<int>&)> store;
};

template <class Page, std::size_t Strings> Book readBook()
{
    Probe<Page, Strings> page;
    Book book {page.m_vecSounds, page.m_vecTabs, nullptr};
    book.store = [](const QVector<int>& values) {
        Probe<Page, Strings> fresh;
        fresh.store(0, values);
        return std::make_pair(fresh.m_vecSounds.at(0), fresh.m_vecTabs.at(0));
    };
    return book;
}

// Collects the samples the engine starts.
class StartedSounds : public DIReridArazi::AudioEngineObserver
{
public:
    StartedSounds()
    {
        DIReridArazi::AudioEngine::instance()->addObserver(this);
    }
    ~StartedSounds() override
    {
        DIReridArazi::AudioEngine::instance()->removeObserver(this);
    }
    void voiceStarted(const QString& name, qint64 frame) override
    {
        names << name;
        frames.insert(frame);
    }
    QStringList names;
    std::set<qint64> frames;
};

std::unique_ptr<ChordsMainPage> makePage(const QString& name)
{
    if (name == QLatin1String("guitar"))
        return std::make_unique<GuitarChordsMainPage>(nullptr);
    if (name == QLatin1String("mandolin"))
        return std::make_unique<MandolinChordsMainPage>(nullptr);
    if (name == QLatin1String("banjo"))
        return std::make_unique<BanjoChordsMainPage>(nullptr);
    if (name == QLatin1String("bass"))
        return std::make_unique<BassChordsMainPage>(nullptr);
    if (name == QLatin1String("bass2"))
        return std::make_unique<BassChordsMainPage2>(nullptr);
    return std::make_unique<BalalaikaChordsMainPage>(nullptr);
}

// The instrument as a musician knows it, written down apart from the code.
struct Instrument
{
    QString page;
    QString samples;
    QStringList openNotes;
    int highestFret;
    bool photographs;
    int distinctPhotographs;
};

const QVector<Instrument>& instruments()
{
    static const QVector<Instrument> all {
        {"guitar", "guitar", {"E2", "A2", "D3", "G3", "B3", "E4"}, 8, true, 124},
        {"mandolin", "mandolin", {"G3", "D4", "A4", "E5"}, 8, true, 103},
        {"banjo", "banjo", {"G4", "D3", "G3", "B3", "D4"}, 11, true, 111},
        {"bass", "bass", {"E1", "A1", "D2", "G2"}, 8, false, 103},
        {"bass2", "bass", {"E1", "A1", "D2", "G2"}, 13, true, 104},
        {"balalaika", "balalaika", {"E4", "E4", "A4"}, 9, true, 74},
    };
    return all;
}

const char* const sharpNames[12]
    = {"C", "Cd", "D", "Dd", "E", "F", "Fd", "G", "Gd", "A", "Ad", "B"};

int midi(const QString& note)
{
    const int octave = note.right(1).toInt();
    const QString pitch = note.left(note.size() - 1);
    for (int i = 0; i < 12; ++i) {
        if (pitch == QLatin1String(sharpNames[i]))
            return (octave + 1) * 12 + i;
    }
    return -1;
}

QString noteName(int note)
{
    return QLatin1String(sharpNames[note % 12]) + QString::number(note / 12 - 1);
}

// Chord index order: roots, then types, with each type's intervals in semitones.
const char* const rootNames[12] = {"A", "A♭", "B", "B♭", "C", "D", "D♭", "E", "E♭", "F", "G", "G♭"};
const int rootPitchClasses[12] = {9, 8, 11, 10, 0, 2, 1, 4, 3, 5, 7, 6};
const char* const typeNames[11]
    = {"major", "m", "aug", "dim", "6", "m6", "7", "maj7", "m7", "9", "sus4"};
const std::set<int> formulas[11] = {
    {0, 4, 7},
    {0, 3, 7},
    {0, 4, 8},
    {0, 3, 6, 9},
    {0, 4, 7, 9},
    {0, 3, 7, 9},
    {0, 4, 7, 10},
    {0, 4, 7, 11},
    {0, 3, 7, 10},
    {0, 2, 4, 7, 10},
    {0, 5, 7},
};

int chordIndex(const QString& root, const QString& type)
{
    for (int r = 0; r < 12; ++r) {
        for (int t = 0; t < 11; ++t) {
            if (root == QString::fromUtf8(rootNames[r]) && type == QLatin1String(typeNames[t]))
                return r * 11 + t;
        }
    }
    return -1;
}

std::set<int> chordTones(int index)
{
    std::set<int> tones;
    for (int interval : formulas[index % 11])
        tones.insert((rootPitchClasses[index / 11] + interval) % 12);
    return tones;
}

QString chordRowName(const QString& page, int index)
{
    return page + QLatin1Char(' ') + QString::fromUtf8(rootNames[index / 11]) + QLatin1Char(' ')
        + QLatin1String(typeNames[index % 11]);
}

QString pictureResource(const QString& name)
{
    return QStringLiteral(":/") + ChordFiles::resourcePrefix() + ChordFiles::pictureFolder() + name;
}

} // namespace

class TestStringChordPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyChord_data();
    void everyChord();
    void workedExamples_data();
    void workedExamples();
    void fretRange_data();
    void fretRange();
    void firstPositionBassMirrorsMandolin();
    void playSoundsTheChord_data();
    void playSoundsTheChord();
    void distinctPhotographs_data();
    void distinctPhotographs();

private:
    std::map<QString, Book> m_books;
    QString m_resources;
};

void TestStringChordPages::initTestCase()
{
    qtHookData[addObjectHook] = reinterpret_cast<quintptr>(&objectAdded);
    qtHookData[removeObjectHook] = reinterpret_cast<quintptr>(&objectRemoved);
    m_resources = DORuverud::App::theApp()->bundleResourcePath();
    m_books["guitar"] = readBook<GuitarChordsMainPage, 6>();
    m_books["mandolin"] = readBook<MandolinChordsMainPage, 4>();
    m_books["banjo"] = readBook<BanjoChordsMainPage, 5>();
    m_books["bass"] = readBook<BassChordsMainPage, 4>();
    m_books["bass2"] = readBook<BassChordsMainPage2, 4>();
    m_books["balalaika"] = readBook<BalalaikaChordsMainPage, 3>();
}

void TestStringChordPages::everyChord_data()
{
    QTest::addColumn<int>("instrument");
    QTest::addColumn<int>("index");
    for (int i = 0; i < instruments().size(); ++i) {
        for (int index = 0; index < 132; ++index)
            QTest::newRow(qPrintable(chordRowName(instruments().at(i).page, index))) << i << index;
    }
}

// Every chord: one sample per string where the fret has one, only chord
// notes, samples and photograph present.
void TestStringChordPages::everyChord()
{
    QFETCH(int, instrument);
    QFETCH(int, index);
    const Instrument& ins = instruments().at(instrument);
    const Book& book = m_books.at(ins.page);
    QCOMPARE(book.tabs.size(), 132);
    QCOMPARE(book.sounds.size(), 132);
    const QVector<int> tab = book.tabs.at(index);
    const QStringList sounds = book.sounds.at(index);
    QCOMPARE(tab.size(), ins.openNotes.size());
    QCOMPARE(sounds.size(), ins.openNotes.size());

    const std::set<int> tones = chordTones(index);
    int sounding = 0;
    for (int s = 0; s < tab.size(); ++s) {
        const int fret = tab.at(s);
        const int note = midi(ins.openNotes.at(s)) + fret;
        if (fret < 0 || fret > ins.highestFret) {
            QCOMPARE(sounds.at(s), QString());
            continue;
        }
        ++sounding;
        QCOMPARE(sounds.at(s), m_resources + ins.samples + "_440_" + noteName(note) + ".mp3");
        QVERIFY2(QFile::exists(sounds.at(s)), qPrintable(sounds.at(s)));
        QVERIFY2(tones.count(note % 12),
            qPrintable(QStringLiteral("string %1 sounds %2").arg(s + 1).arg(noteName(note))));
    }
    QVERIFY(sounding >= 2);
    if (ins.photographs) {
        const QString photo = ChordFiles::photoName(ins.page, tab);
        QVERIFY2(QImage(pictureResource(photo)).width() > 0, qPrintable(photo));
    }
}

void TestStringChordPages::workedExamples_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("index");
    QTest::addColumn<QVector<int>>("tab");
    QTest::addColumn<QStringList>("notes");
    QTest::addColumn<QString>("photo");

    QTest::newRow("guitar A, shown first")
        << "guitar" << 0 << QVector<int> {0, 0, 2, 2, 2, 0}
        << QStringList {"guitar_440_E2", "guitar_440_A2", "guitar_440_E3", "guitar_440_A3",
               "guitar_440_Cd4", "guitar_440_E4"}
        << "guitar_002220.jpg";
    QTest::newRow("guitar D, low E muted")
        << "guitar" << chordIndex("D", "major") << QVector<int> {-1, 0, 0, 2, 3, 2}
        << QStringList {"", "guitar_440_A2", "guitar_440_D3", "guitar_440_A3", "guitar_440_D4",
               "guitar_440_Fd4"}
        << "guitar_X00232.jpg";
    QTest::newRow("guitar E, all open strings")
        << "guitar" << chordIndex("E", "major") << QVector<int> {0, 2, 2, 1, 0, 0}
        << QStringList {"guitar_440_E2", "guitar_440_B2", "guitar_440_E3", "guitar_440_Gd3",
               "guitar_440_B3", "guitar_440_E4"}
        << "guitar_022100.jpg";
    QTest::newRow("mandolin A") << "mandolin" << 0 << QVector<int> {2, 2, 4, 0}
                                << QStringList {"mandolin_440_A3", "mandolin_440_E4",
                                       "mandolin_440_Cd5", "mandolin_440_E5"}
                                << "mandolin_2240.jpg";
    QTest::newRow("mandolin B, G string muted")
        << "mandolin" << chordIndex("B", "major") << QVector<int> {-1, 1, 2, 2}
        << QStringList {"", "mandolin_440_Dd4", "mandolin_440_B4", "mandolin_440_Fd5"}
        << "mandolin_X122.jpg";
    QTest::newRow("mandolin D♭ maj7, mended")
        << "mandolin" << chordIndex("D♭", "maj7") << QVector<int> {5, 3, 4, 4}
        << QStringList {"mandolin_440_C4", "mandolin_440_F4", "mandolin_440_Cd5",
               "mandolin_440_Gd5"}
        << "mandolin_5344.jpg";
    QTest::newRow("banjo A, drone muted")
        << "banjo" << 0 << QVector<int> {-1, 2, 2, 2, 2}
        << QStringList {"", "banjo_440_E3", "banjo_440_A3", "banjo_440_Cd4", "banjo_440_E4"}
        << "banjo_X2222.jpg";
    QTest::newRow("banjo G, open")
        << "banjo" << chordIndex("G", "major") << QVector<int> {0, 0, 0, 0, 0}
        << QStringList {"banjo_440_G4", "banjo_440_D3", "banjo_440_G3", "banjo_440_B3",
               "banjo_440_D4"}
        << "banjo_00000.jpg";
    QTest::newRow("banjo D♭ sus4, mended")
        << "banjo" << chordIndex("D♭", "sus4") << QVector<int> {-1, 4, 1, 2, 4}
        << QStringList {"", "banjo_440_Fd3", "banjo_440_Gd3", "banjo_440_Cd4", "banjo_440_Fd4"}
        << "banjo_X4124.jpg";
    QTest::newRow("bass A, first positions")
        << "bass" << 0 << QVector<int> {0, 4, 2, 2}
        << QStringList {"bass_440_E1", "bass_440_Cd2", "bass_440_E2", "bass_440_A2"}
        << "bass_0422.jpg";
    QTest::newRow("bass G♭ 6, first positions")
        << "bass" << chordIndex("G♭", "6") << QVector<int> {6, 6, 4, 6}
        << QStringList {"bass_440_Ad1", "bass_440_Dd2", "bass_440_Fd2", "bass_440_Cd3"}
        << "bass_6646.jpg";
    QTest::newRow("bass2 A, shown first")
        << "bass2" << 0 << QVector<int> {9, 7, 7, 6}
        << QStringList {"bass_440_Cd2", "bass_440_E2", "bass_440_A2", "bass_440_Cd3"}
        << "bass2_9776.jpg";
    QTest::newRow("bass2 A♭ m7, low E muted")
        << "bass2" << chordIndex("A♭", "m7") << QVector<int> {-1, 9, 6, 8}
        << QStringList {"", "bass_440_Fd2", "bass_440_Gd2", "bass_440_Dd3"} << "bass2_X968.jpg";
    QTest::newRow("bass2 B♭ 7, mended")
        << "bass2" << chordIndex("B♭", "7") << QVector<int> {6, 8, 6, 7}
        << QStringList {"bass_440_Ad1", "bass_440_F2", "bass_440_Gd2", "bass_440_D3"}
        << "bass2_6867.jpg";
    QTest::newRow("bass2 E m7, two-digit frets")
        << "bass2" << chordIndex("E", "m7") << QVector<int> {10, 10, 9, 9}
        << QStringList {"bass_440_D2", "bass_440_G2", "bass_440_B2", "bass_440_E3"}
        << "bass2_101099.jpg";
    QTest::newRow("bass2 G♭ sus4, the last chord")
        << "bass2" << 131 << QVector<int> {9, 9, 9, 6}
        << QStringList {"bass_440_Cd2", "bass_440_Fd2", "bass_440_B2", "bass_440_Cd3"}
        << "bass2_9996.jpg";
    QTest::newRow("balalaika A, shown first")
        << "balalaika" << 0 << QVector<int> {5, 0, 4}
        << QStringList {"balalaika_440_A4", "balalaika_440_E4", "balalaika_440_Cd5"}
        << "balalaika_504.jpg";
    QTest::newRow("balalaika B, one note twice")
        << "balalaika" << chordIndex("B", "major") << QVector<int> {2, 2, 2}
        << QStringList {"balalaika_440_Fd4", "balalaika_440_Fd4", "balalaika_440_B4"}
        << "balalaika_222.jpg";
    QTest::newRow("balalaika F sus4, mended")
        << "balalaika" << chordIndex("F", "sus4") << QVector<int> {1, 6, 3}
        << QStringList {"balalaika_440_F4", "balalaika_440_Ad4", "balalaika_440_C5"}
        << "balalaika_163.jpg";
}

void TestStringChordPages::workedExamples()
{
    QFETCH(QString, page);
    QFETCH(int, index);
    QFETCH(QVector<int>, tab);
    QFETCH(QStringList, notes);
    QFETCH(QString, photo);
    const Book& book = m_books.at(page);
    QCOMPARE(book.tabs.at(index), tab);
    QStringList expected;
    for (const QString& note : notes)
        expected << (note.isEmpty() ? QString() : m_resources + note + ".mp3");
    QCOMPARE(book.sounds.at(index), expected);
    QCOMPARE(ChordFiles::photoName(page, tab), photo);
}

void TestStringChordPages::fretRange_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QVector<int>>("tab");
    QTest::addColumn<QStringList>("notes");

    QTest::newRow("guitar fret 8 on top E") << "guitar" << QVector<int> {-1, -1, -1, -1, -1, 8}
                                            << QStringList {"", "", "", "", "", "guitar_440_C5"};
    QTest::newRow("guitar fret 9 and -2 are silent")
        << "guitar" << QVector<int> {9, -2, 0, 0, 0, 9}
        << QStringList {"", "", "guitar_440_D3", "guitar_440_G3", "guitar_440_B3", ""};
    QTest::newRow("mandolin fret 8 everywhere")
        << "mandolin" << QVector<int> {8, 8, 8, 8}
        << QStringList {
               "mandolin_440_Dd4", "mandolin_440_Ad4", "mandolin_440_F5", "mandolin_440_C6"};
    QTest::newRow("mandolin fret 9 is silent")
        << "mandolin" << QVector<int> {9, 0, 0, 9}
        << QStringList {"", "mandolin_440_D4", "mandolin_440_A4", ""};
    QTest::newRow("banjo fret 11 everywhere")
        << "banjo" << QVector<int> {11, 11, 11, 11, 11}
        << QStringList {
               "banjo_440_Fd5", "banjo_440_Cd4", "banjo_440_Fd4", "banjo_440_Ad4", "banjo_440_Cd5"};
    QTest::newRow("banjo fret 12 is silent")
        << "banjo" << QVector<int> {12, 9, 12, 10, 12}
        << QStringList {"", "banjo_440_B3", "", "banjo_440_A4", ""};
    QTest::newRow("bass fret 8 on G, 9 silent")
        << "bass" << QVector<int> {9, -1, 9, 8} << QStringList {"", "", "", "bass_440_Dd3"};
    QTest::newRow("bass2 fret 13 on G, 14 silent")
        << "bass2" << QVector<int> {14, 13, -1, 13}
        << QStringList {"", "bass_440_Ad2", "", "bass_440_Gd3"};
    QTest::newRow("balalaika fret 9, 10 silent")
        << "balalaika" << QVector<int> {9, 10, 9}
        << QStringList {"balalaika_440_Cd5", "", "balalaika_440_Fd5"};
}

// Values outside a page's frets are kept in the fingering and stay silent.
void TestStringChordPages::fretRange()
{
    QFETCH(QString, page);
    QFETCH(QVector<int>, tab);
    QFETCH(QStringList, notes);
    const auto stored = m_books.at(page).store(tab);
    QCOMPARE(stored.second, tab);
    QStringList expected;
    for (const QString& note : notes)
        expected << (note.isEmpty() ? QString() : m_resources + note + ".mp3");
    QCOMPARE(stored.first, expected);
}

void TestStringChordPages::firstPositionBassMirrorsMandolin()
{
    const Book& bass = m_books.at("bass");
    const Book& mandolin = m_books.at("mandolin");
    for (int index = 0; index < 132; ++index) {
        QVector<int> reversed = mandolin.tabs.at(index);
        std::reverse(reversed.begin(), reversed.end());
        QVERIFY2(bass.tabs.at(index) == reversed, qPrintable(chordRowName("bass", index)));
    }
    const int dFlatMaj7 = chordIndex("D♭", "maj7");
    QCOMPARE(mandolin.tabs.at(dFlatMaj7), (QVector<int> {5, 3, 4, 4}));
    QCOMPARE(bass.tabs.at(dFlatMaj7), (QVector<int> {4, 4, 3, 5}));
}

void TestStringChordPages::playSoundsTheChord_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("chord");
    QTest::addColumn<QStringList>("notes");

    QTest::newRow("guitar D, five strings")
        << "guitar"
        << "D"
        << QStringList {"guitar_440_A2", "guitar_440_D3", "guitar_440_A3", "guitar_440_D4",
               "guitar_440_Fd4"};
    QTest::newRow("banjo as built, drone muted")
        << "banjo" << QString()
        << QStringList {"banjo_440_E3", "banjo_440_A3", "banjo_440_Cd4", "banjo_440_E4"};
    QTest::newRow("bass2 as built")
        << "bass2" << QString()
        << QStringList {"bass_440_Cd2", "bass_440_E2", "bass_440_A2", "bass_440_Cd3"};
    QTest::newRow("balalaika B, one sample twice")
        << "balalaika"
        << "B" << QStringList {"balalaika_440_Fd4", "balalaika_440_Fd4", "balalaika_440_B4"};
}

// The play button sounds every string of the chord shown, together.
void TestStringChordPages::playSoundsTheChord()
{
    QFETCH(QString, page);
    QFETCH(QString, chord);
    QFETCH(QStringList, notes);
    // GIVEN a page showing the chord
    std::unique_ptr<ChordsMainPage> shown = makePage(page);
    if (!chord.isEmpty())
        shown->setCurrentChord(chord);
    StartedSounds started;
    // WHEN the user presses play
    auto* play = shown->findChild<QAbstractButton*>(QStringLiteral("PlayButton"));
    QVERIFY(play);
    play->click();
    QCOMPARE(livePlayers(), notes.size());
    // THEN one voice per sounding string starts, all in the same frame
    QStringList expected;
    for (const QString& note : notes)
        expected << m_resources + note + ".mp3";
    expected.sort();
    QTRY_COMPARE_WITH_TIMEOUT(started.names.size(), expected.size(), 10000);
    started.names.sort();
    QCOMPARE(started.names, expected);
    QCOMPARE(started.frames.size(), std::size_t(1));
    // AND every player goes once its sound has ended
    QTRY_COMPARE_WITH_TIMEOUT(livePlayers(), 0, 20000);
}

void TestStringChordPages::distinctPhotographs_data()
{
    QTest::addColumn<int>("instrument");
    for (int i = 0; i < instruments().size(); ++i) {
        if (instruments().at(i).photographs)
            QTest::newRow(qPrintable(instruments().at(i).page)) << i;
    }
}

// Chords with one fingering share a photograph, and the tree holds no other.
void TestStringChordPages::distinctPhotographs()
{
    QFETCH(int, instrument);
    const Instrument& ins = instruments().at(instrument);
    QSet<QString> names;
    for (const QVector<int>& tab : m_books.at(ins.page).tabs)
        names.insert(ChordFiles::photoName(ins.page, tab));
    QCOMPARE(names.size(), ins.distinctPhotographs);

    const QDir folder(pictureResource(QString()));
    const QStringList painted
        = folder.entryList({ins.page + QStringLiteral("_*.jpg")}, QDir::Files, QDir::Name);
    QCOMPARE(painted.size(), ins.distinctPhotographs);
    for (const QString& name : painted)
        QVERIFY2(names.contains(name), qPrintable(name));
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, QStringLiteral("Quelmar"), QStringLiteral("Tessivar"));
    TestStringChordPages test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_StringChordPages.moc"
