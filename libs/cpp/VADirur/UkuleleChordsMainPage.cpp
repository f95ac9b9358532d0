#include "UkuleleChordsMainPage.h"

#include "ChordFiles.h"
#include "ChordView.h"
#include "UkuleleShop.h"

namespace VADirur {

// Open strings G4, C4, E4, A4; the samples reach from C4 to F5.
static const int openNotes[4] = {67, 60, 64, 69};
static const int lowestNote = 60;
static const int highestNote = 77;

// clang-format off
static const char* const fingerings[132] = {
    // major   m       aug     dim     6       m6      7       maj7    m7      9       sus4
    "2100", "2000", "2114", "2323", "2424", "2423", "0100", "2444", "2433", "0102", "2200", // A
    "1343", "1342", "1003", "1212", "1313", "1312", "1323", "1333", "1322", "3323", "1344", // Ab
    "4322", "4222", "4332", "1212", "1322", "1222", "2322", "4321", "2222", "2324", "4422", // B
    "3211", "3111", "3225", "0101", "0211", "0111", "1211", "3210", "1111", "1213", "3311", // Bb
    "0003", "0333", "1003", "2323", "0453", "2333", "0001", "0002", "3333", "0201", "0013", // C
    "2220", "2210", "3225", "1212", "2222", "2212", "2223", "2224", "2213", "2423", "2230", // D
    "1114", "1104", "2114", "0101", "1111", "1101", "1112", "1113", "1102", "1312", "1124", // Db
    "4442", "4432", "1003", "0101", "4444", "0102", "1202", "1302", "0202", "1222", "1452", // E
    "0331", "3321", "4332", "2323", "3333", "3323", "3334", "3335", "3324", "0111", "0341", // Eb
    "2010", "1013", "2114", "1212", "2213", "1213", "2313", "2413", "1313", "2333", "3013", // F
    "0232", "0231", "4332", "0101", "0202", "0201", "0212", "0222", "0211", "2212", "0233", // G
    "3121", "2124", "3225", "2323", "3324", "2324", "3424", "3524", "2424", "1101", "4124", // Gb
};
// clang-format on

UkuleleChordsMainPage::UkuleleChordsMainPage(QWidget* parent)
    : ChordsMainPage(parent)
{
    for (int note = lowestNote; note <= highestNote; ++note)
        m_notePaths << ChordFiles::samplePath(
            m_strResourcePath, QStringLiteral("ukulele"), note, 0, lowestNote, highestNote);
    setInstrumentName(QStringLiteral("ukulele"));
    setDelay(30);
    initChords();
    m_pChordView->setChordTabAndName(0, m_vecTabs.at(0), QStringLiteral("A"));
}

void UkuleleChordsMainPage::addShopMenu()
{
    m_pShop = new UkuleleShop(this);
    doShopConnections();
}

QVector<int> UkuleleChordsMainPage::fingering(int index)
{
    const char* frets = fingerings[index];
    return {frets[0] - '0', frets[1] - '0', frets[2] - '0', frets[3] - '0'};
}

void UkuleleChordsMainPage::initChords()
{
    for (int index = 0; index < 132; ++index) {
        const QVector<int> frets = fingering(index);
        setChord(index, frets[0], frets[1], frets[2], frets[3]);
    }
}

void UkuleleChordsMainPage::setChord(int index, int s1, int s2, int s3, int s4)
{
    m_vecSounds[index] = QStringList {notePath(openNotes[0] + s1), notePath(openNotes[1] + s2),
        notePath(openNotes[2] + s3), notePath(openNotes[3] + s4)};
    m_vecTabs[index] = {s1, s2, s3, s4};
}

// The sample of a note, "" outside the samples' range.
QString UkuleleChordsMainPage::notePath(int note) const
{
    return note < lowestNote || note > highestNote ? QString() : m_notePaths.at(note - lowestNote);
}

} // namespace VADirur
