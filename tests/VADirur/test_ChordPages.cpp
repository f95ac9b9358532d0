#include "App.h"
#include "ChordFiles.h"
#include "ChordFormulas.h"
#include "PianoChordsMainPage.h"
#include "UkuleleChordsMainPage.h"

#include <QtTest>

using namespace VADirur;

namespace {

// Opens a page's chord book to the test.
template <class Page> class Probe : public Page
{
public:
    Probe()
        : Page(nullptr)
    {
    }
    using Page::m_nCurrentChord;
    using Page::m_strResourcePath;
    using Page::m_vecSounds;
    using Page::m_vecTabs;
};

QString picturePath(const QString& name)
{
    return QStringLiteral(":/") + ChordFiles::resourcePrefix() + ChordFiles::pictureFolder() + name;
}

QStringList fileNames(const QStringList& paths)
{
    QStringList names;
    for (const QString& path : paths)
        names << QFileInfo(path).fileName();
    return names;
}

} // namespace

class TestChordPages : public QObject
{
    Q_OBJECT

private slots:
    void ukuleleChordA();
    void ukuleleExamples_data();
    void ukuleleExamples();
    void ukuleleSoundsItsChords();
    void pianoChordA();
    void pianoSoundsItsChords();
    void everyNamedPictureExists();
    void everyNamedSampleExists();
};

void TestChordPages::ukuleleChordA()
{
    Probe<UkuleleChordsMainPage> page;
    QCOMPARE(page.objectName(), QStringLiteral("MainPage"));
    QCOMPARE(page.m_nCurrentChord, 0);
    QCOMPARE(page.m_vecTabs.at(0), QVector<int>({2, 1, 0, 0}));
    QCOMPARE(fileNames(page.m_vecSounds.at(0)),
        QStringList({"ukulele_440_A4.mp3", "ukulele_440_Cd4.mp3", "ukulele_440_E4.mp3",
            "ukulele_440_A4.mp3"}));
    QVERIFY(page.m_vecSounds.at(0).at(0).startsWith(page.m_strResourcePath));
    QCOMPARE(page.m_strResourcePath, DORuverud::App::theApp()->bundleResourcePath());
    QCOMPARE(ChordFiles::photoName(QStringLiteral("ukulele"), page.m_vecTabs.at(0)),
        QStringLiteral("ukulele_2100.jpg"));
    QVERIFY(QFile::exists(picturePath(QStringLiteral("ukulele_2100.jpg"))));
}

void TestChordPages::ukuleleExamples_data()
{
    QTest::addColumn<int>("chord");
    QTest::addColumn<QStringList>("notes");
    QTest::newRow("C plays G4 C4 E4 C5") << 44 << QStringList({"G4", "C4", "E4", "C5"});
    QTest::newRow("A9 leaves out the root") << 9 << QStringList({"G4", "Cd4", "E4", "B4"});
    QTest::newRow("E sus4 keeps its third") << 87 << QStringList({"Gd4", "E4", "A4", "B4"});
}

void TestChordPages::ukuleleExamples()
{
    QFETCH(int, chord);
    QFETCH(QStringList, notes);
    Probe<UkuleleChordsMainPage> page;
    QStringList expected;
    for (const QString& note : notes)
        expected << QStringLiteral("ukulele_440_") + note + QStringLiteral(".mp3");
    QCOMPARE(fileNames(page.m_vecSounds.at(chord)), expected);
}

void TestChordPages::ukuleleSoundsItsChords()
{
    Probe<UkuleleChordsMainPage> page;
    QSet<QString> photos;
    for (int chord = 0; chord < 132; ++chord) {
        const QString name = ChordFormulas::chordName(chord);
        QCOMPARE(page.m_vecTabs.at(chord).size(), 4);
        QCOMPARE(page.m_vecSounds.at(chord).size(), 4);
        QSet<int> played;
        for (const QString& path : page.m_vecSounds.at(chord)) {
            QVERIFY2(!path.isEmpty(), qPrintable(name));
            played.insert(ChordFormulas::noteOfSample(path) % 12);
        }
        QSet<int> allowed = ChordFormulas::pitchClasses(chord);
        // The two sus4 voicings keep the major third on the G string.
        if (name == QLatin1String("Esus4") || name == QLatin1String("Ebsus4"))
            allowed.insert((ChordFormulas::rootPitch(chord) + 4) % 12);
        QVERIFY2(allowed.contains(played), qPrintable(name));
        photos.insert(ChordFiles::photoName(QStringLiteral("ukulele"), page.m_vecTabs.at(chord)));
    }
    QCOMPARE(photos.size(), 93);
}

void TestChordPages::pianoChordA()
{
    Probe<PianoChordsMainPage> page;
    QVector<int> keys(24, -1);
    keys[9] = keys[13] = keys[16] = 0;
    QCOMPARE(page.m_vecTabs.at(0), keys);
    const QStringList sounds = page.m_vecSounds.at(0);
    QCOMPARE(sounds.size(), 24);
    QCOMPARE(sounds.at(9), page.m_strResourcePath + QStringLiteral("piano_440_A3.mp3"));
    QCOMPARE(sounds.at(13), page.m_strResourcePath + QStringLiteral("piano_440_Cd4.mp3"));
    QCOMPARE(sounds.at(16), page.m_strResourcePath + QStringLiteral("piano_440_E4.mp3"));
    QCOMPARE(sounds.count(QString()), 21);
    const QString code = ChordFiles::pitchClassCode(keys);
    QCOMPARE(code, QStringLiteral("X0XX0XXXX0XX"));
    QVERIFY(QFile::exists(picturePath(ChordFiles::staffPictureName(code))));
    QVERIFY(QFile::exists(picturePath(ChordFiles::keyboardPictureName(code))));
    QVERIFY(QFile::exists(picturePath(ChordFiles::photoName(QStringLiteral("piano"), keys))));
}

void TestChordPages::pianoSoundsItsChords()
{
    Probe<PianoChordsMainPage> page;
    QSet<QString> codes;
    for (int chord = 0; chord < 132; ++chord) {
        const QString name = ChordFormulas::chordName(chord);
        const QVector<int> tab = page.m_vecTabs.at(chord);
        const QStringList sounds = page.m_vecSounds.at(chord);
        QCOMPARE(tab.size(), 24);
        QCOMPARE(sounds.size(), 24);
        QSet<int> pressed;
        for (int key = 0; key < 24; ++key) {
            QCOMPARE(sounds.at(key).isEmpty(), tab.at(key) != 0);
            if (tab.at(key) == 0) {
                QCOMPARE(ChordFormulas::noteOfSample(sounds.at(key)), 48 + key);
                pressed.insert(key % 12);
            }
        }
        QVERIFY2(pressed == ChordFormulas::pitchClasses(chord), qPrintable(name));
        codes.insert(ChordFiles::pitchClassCode(tab));
    }
    QCOMPARE(codes.size(), 103);
}

void TestChordPages::everyNamedPictureExists()
{
    Probe<UkuleleChordsMainPage> ukulele;
    Probe<PianoChordsMainPage> piano;
    for (int chord = 0; chord < 132; ++chord) {
        const QString photo
            = ChordFiles::photoName(QStringLiteral("ukulele"), ukulele.m_vecTabs.at(chord));
        QVERIFY2(QFile::exists(picturePath(photo)), qPrintable(photo));
        const QVector<int> keys = piano.m_vecTabs.at(chord);
        const QString code = ChordFiles::pitchClassCode(keys);
        for (const QString& name :
            {ChordFiles::staffPictureName(code), ChordFiles::keyboardPictureName(code),
                ChordFiles::photoName(QStringLiteral("piano"), keys)})
            QVERIFY2(QFile::exists(picturePath(name)), qPrintable(name));
    }
}

void TestChordPages::everyNamedSampleExists()
{
    Probe<UkuleleChordsMainPage> ukulele;
    Probe<PianoChordsMainPage> piano;
    for (int chord = 0; chord < 132; ++chord) {
        for (const QString& path : ukulele.m_vecSounds.at(chord) + piano.m_vecSounds.at(chord)) {
            if (!path.isEmpty())
                QVERIFY2(QFile::exists(path), qPrintable(path));
        }
    }
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    app.setResourceOffset(ChordFiles::resourcePrefix());
    TestChordPages test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ChordPages.moc"
