#include "BassChordsMainPage2.h"

#include "BassShop.h"
#include "ChordView.h"

#include <iterator>

namespace VADirur {

// Open strings E1 A1 D2 G2; every string sounds from fret 0 to 13.
static const int openNotes[4] = {28, 33, 38, 43};
static const int highestFret = 13;

static const int X = -1;
static const int fingerings[132][4] = {
    {9, 7, 7, 6}, // A
    {8, 7, 7, 9}, // Am
    {9, 8, 7, 6}, // A aug
    {8, 9, 7, 8}, // A dim
    {9, 9, 7, 9}, // A6
    {8, 9, 7, 9}, // Am6
    {9, 10, 7, 9}, // A7
    {5, 7, 6, 6}, // Amaj7
    {8, 10, 7, 9}, // Am7
    {5, 7, 5, 6}, // A9
    {10, 7, 7, 7}, // Asus4
    {8, 6, 6, 8}, // Ab
    {7, 6, 6, 8}, // Abm
    {8, 7, 6, 9}, // Ab aug
    {7, 8, 6, 7}, // Ab dim
    {8, 8, 6, 8}, // Ab6
    {7, 8, 6, 8}, // Abm6
    {11, 11, 10, 11}, // Ab7
    {8, 6, 6, 0}, // Abmaj7
    {X, 9, 6, 8}, // Abm7
    {X, 11, 10, 11}, // Ab9
    {9, 6, 6, 6}, // Absus4
    {7, 9, 9, 8}, // B
    {7, 9, 9, 7}, // Bm
    {7, 10, 9, 8}, // B aug
    {7, 8, 6, 7}, // B dim
    {7, 9, 6, 8}, // B6
    {X, 9, 6, 7}, // Bm6
    {7, 9, 7, 8}, // B7
    {7, 9, 8, 8}, // Bmaj7
    {7, 9, 7, 7}, // Bm7
    {7, 9, 7, 8}, // B9
    {7, 9, 9, 9}, // Bsus4
    {6, 8, 0, 7}, // Bb
    {6, 8, 8, 6}, // Bbm
    {10, 9, 8, 7}, // Bb aug
    {9, 10, 8, 9}, // Bb dim
    {10, 10, 8, 10}, // Bb6
    {9, 10, 8, 10}, // Bbm6
    {6, 8, 6, 7}, // Bb7
    {6, 8, 7, 7}, // Bbmaj7
    {6, 8, 6, 6}, // Bbm7
    {6, 8, 6, 7}, // Bb9
    {6, 8, 8, 8}, // Bbsus4
    {8, 7, 10, 0}, // C
    {8, 10, 10, 8}, // Cm
    {8, 7, 6, 9}, // C aug
    {8, 9, 7, 8}, // C dim
    {8, 10, 7, 9}, // C6
    {X, 10, 7, 8}, // Cm6
    {8, 7, 8, 0}, // C7
    {8, 10, 9, 9}, // Cmaj7
    {8, 10, 8, 8}, // Cm7
    {8, 10, 8, 9}, // C9
    {8, 10, 10, 10}, // Csus4
    {10, 9, 7, 7}, // D
    {10, 8, 7, 7}, // Dm
    {6, 9, 8, 7}, // D aug
    {7, 8, 6, 7}, // D dim
    {7, 9, 7, 7}, // D6
    {7, 8, 7, 7}, // Dm6
    {8, 9, 7, 7}, // D7
    {9, 9, 7, 7}, // Dmaj7
    {8, 8, 7, 7}, // Dm7
    {10, 12, 10, 11}, // D9
    {10, 10, 7, 7}, // Dsus4
    {9, 8, 6, 6}, // Db
    {9, 7, 6, 6}, // Dbm
    {9, 8, 7, 6}, // Db aug
    {9, 10, 8, 9}, // Db dim
    {6, 8, 6, 6}, // Db6
    {6, 7, 6, 6}, // Dbm6
    {7, 8, 6, 6}, // Db7
    {8, 8, 6, 6}, // Dbmaj7
    {7, 7, 6, 6}, // Dbm7
    {9, 11, 9, 10}, // Db9
    {9, 9, 6, 6}, // Dbsus4
    {7, 7, 6, 9}, // E
    {7, 7, 9, 0}, // Em
    {8, 7, 6, 9}, // E aug
    {9, 10, 8, 9}, // E dim
    {7, 7, 6, 6}, // E6
    {9, 10, 9, 9}, // Em6
    {7, 7, 6, 7}, // E7
    {7, 7, 6, 8}, // Emaj7
    {10, 10, 9, 9}, // Em7
    {X, 9, 9, 7}, // E9
    {7, 7, 7, 9}, // Esus4
    {6, 6, 8, 0}, // Eb
    {6, 9, 8, 8}, // Ebm
    {7, 10, 9, 8}, // Eb aug
    {8, 9, 7, 8}, // Eb dim
    {8, 10, 8, 8}, // Eb6
    {8, 9, 8, 8}, // Ebm6
    {9, 10, 8, 8}, // Eb7
    {10, 10, 8, 8}, // Ebmaj7
    {9, 9, 8, 8}, // Ebm7
    {X, 8, 8, 8}, // Eb9
    {6, 6, 6, 8}, // Ebsus4
    {8, 8, 7, 10}, // F
    {8, 8, 6, X}, // Fm
    {9, 8, 7, 6}, // F aug
    {7, 8, 6, 7}, // F dim
    {8, 8, 7, 7}, // F6
    {8, 8, 6, 7}, // Fm6
    {8, 8, 7, 8}, // F7
    {8, 8, 7, 9}, // Fmaj7
    {11, 11, 10, 10}, // Fm7
    {X, 8, 7, 8}, // F9
    {8, 8, 8, 10}, // Fsus4
    {7, 10, 9, 7}, // G
    {10, 10, 8, 7}, // Gm
    {7, 10, 9, 8}, // G aug
    {9, 10, 8, 9}, // G dim
    {10, 10, 9, 9}, // G6
    {6, 7, 0, 0}, // Gm6
    {10, 8, 9, 0}, // G7
    {10, 10, 9, 11}, // Gmaj7
    {10, 10, 8, 10}, // Gm7
    {X, 10, 9, 10}, // G9
    {8, 10, 0, 0}, // Gsus4
    {9, 9, 8, 6}, // Gb
    {9, 9, 7, 6}, // Gbm
    {10, 9, 8, 7}, // Gb aug
    {8, 9, 7, 8}, // Gb dim
    {9, 9, 8, 8}, // Gb6
    {9, 9, 7, 8}, // Gbm6
    {9, 9, 8, 9}, // Gb7
    {9, 9, 8, 10}, // Gbmaj7
    {9, 9, 7, 9}, // Gbm7
    {X, 9, 8, 9}, // Gb9
    {9, 9, 9, 6}, // Gbsus4
};

BassChordsMainPage2::BassChordsMainPage2(QWidget* parent)
    : ChordsMainPage(parent)
{
    setInstrumentName(QStringLiteral("bass2"));
    initChords();
    m_pChordView->setChordTabAndName(0, m_vecTabs.at(0), QStringLiteral("A"));
}

void BassChordsMainPage2::addShopMenu()
{
    m_pShop = new BassShop(this);
    doShopConnections();
}

void BassChordsMainPage2::initChords()
{
    for (int index = 0; index < 132; ++index) {
        const int* c = fingerings[index];
        setChord(index, c[0], c[1], c[2], c[3]);
    }
}

QVector<int> BassChordsMainPage2::fingering(int index)
{
    return QVector<int>(std::begin(fingerings[index]), std::end(fingerings[index]));
}

void BassChordsMainPage2::setChord(int index, int s1, int s2, int s3, int s4)
{
    setStringChord(index, {s1, s2, s3, s4}, QStringLiteral("bass"), openNotes, highestFret);
}

} // namespace VADirur
