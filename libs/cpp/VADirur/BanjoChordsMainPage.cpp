#include "BanjoChordsMainPage.h"

#include "BanjoShop.h"
#include "ChordView.h"

#include <iterator>

namespace VADirur {

// Open strings G4 D3 G3 B3 D4; every string sounds from fret 0 to 11.
static const int openNotes[5] = {67, 50, 55, 59, 62};
static const int highestFret = 11;

static const int X = -1;
static const int fingerings[132][5] = {
    {X, 2, 2, 2, 2}, // A
    {X, 2, 2, 1, 2}, // Am
    {X, 3, 2, 2, 3}, // A aug
    {X, 4, 2, 1, 1}, // A dim
    {X, 2, 2, 2, 4}, // A6
    {X, 2, 2, 1, 4}, // Am6
    {0, 5, 2, 2, 2}, // A7
    {X, 2, 1, 2, 2}, // Amaj7
    {0, 2, 2, 1, 2}, // Am7
    {X, 5, 4, 2, 2}, // A9
    {X, 2, 2, 3, 2}, // Asus4
    {X, 1, 1, 1, 1}, // Ab
    {X, 1, 1, 0, 1}, // Abm
    {X, 2, 1, 1, 2}, // Ab aug
    {X, 0, 1, 0, 3}, // Ab dim
    {X, 3, 1, 1, 1}, // Ab6
    {X, 1, 1, 0, 3}, // Abm6
    {X, 1, 1, 1, 4}, // Ab7
    {0, 6, 5, 4, 5}, // Abmaj7
    {X, 6, 4, 4, 4}, // Abm7
    {X, 4, 3, 1, 1}, // Ab9
    {X, 1, 1, 2, 1}, // Absus4
    {X, 4, 4, 4, 4}, // B
    {X, 4, 4, 0, 0}, // Bm
    {0, 1, 0, 0, 1}, // B aug
    {X, 3, 1, 0, 0}, // B dim
    {X, 4, 1, 0, 1}, // B6
    {X, 0, 1, 0, 4}, // Bm6
    {X, 4, 2, 0, 1}, // B7
    {X, 4, 3, 0, 1}, // Bmaj7
    {X, 0, 2, 0, 4}, // Bm7
    {X, 1, 2, 2, 4}, // B9
    {X, 4, 4, 5, 4}, // Bsus4
    {X, 3, 3, 3, 3}, // Bb
    {X, 3, 3, 2, 3}, // Bbm
    {X, 4, 3, 3, 4}, // Bb aug
    {0, 2, 3, 2, 5}, // Bb dim
    {0, 3, 3, 3, 5}, // Bb6
    {0, 3, 3, 2, 5}, // Bbm6
    {X, 3, 3, 3, 6}, // Bb7
    {X, 3, 2, 3, 3}, // Bbmaj7
    {X, 3, 3, 2, 3}, // Bbm7
    {X, 0, 1, 1, 3}, // Bb9
    {X, 3, 3, 4, 3}, // Bbsus4
    {0, 2, 0, 1, 2}, // C
    {0, 1, 0, 1, 1}, // Cm
    {X, 2, 1, 1, 2}, // C aug
    {X, 1, 2, 1, 4}, // C dim
    {0, 2, 2, 1, 2}, // C6
    {0, 1, 2, 1, 1}, // Cm6
    {X, 2, 3, 1, 2}, // C7
    {0, 2, 5, 0, 5}, // Cmaj7
    {X, 1, 3, 1, 1}, // Cm7
    {X, 2, 3, 1, 0}, // C9
    {X, 5, 5, 6, 5}, // Csus4
    {X, 0, 2, 3, 4}, // D
    {X, 0, 2, 3, 3}, // Dm
    {X, 4, 3, 3, 4}, // D aug
    {X, 0, 4, 6, 6}, // D dim
    {X, 0, 2, 0, 4}, // D6
    {X, 0, 2, 0, 3}, // Dm6
    {X, 0, 2, 1, 4}, // D7
    {X, 0, 2, 2, 4}, // Dmaj7
    {X, 3, 2, 1, 0}, // Dm7
    {X, 0, 5, 5, 4}, // D9
    {0, 5, 2, 3, 0}, // Dsus4
    {X, 3, 1, 2, 3}, // Db
    {X, 2, 1, 2, 2}, // Dbm
    {X, 3, 2, 2, 3}, // Db aug
    {0, 2, 3, 2, 5}, // Db dim
    {X, 3, 3, 2, 3}, // Db6
    {X, 2, 3, 2, 2}, // Dbm6
    {X, 3, 6, 0, 6}, // Db7
    {X, X, 1, 1, 3}, // Dbmaj7
    {X, 2, 4, 2, 2}, // Dbm7
    {X, 3, 4, 2, 1}, // Db9
    {X, 4, 1, 2, 4}, // Dbsus4
    {X, 2, 1, 0, 2}, // E
    {0, 2, 0, 0, 2}, // Em
    {X, 2, 1, 1, 2}, // E aug
    {0, 2, 3, 2, 5}, // E dim
    {X, 2, 1, 2, 2}, // E6
    {0, 5, 4, 2, 2}, // Em6
    {X, 2, 1, 0, 0}, // E7
    {X, 2, 1, 0, 1}, // Emaj7
    {0, 2, 0, 0, 0}, // Em7
    {X, 2, 1, 3, 4}, // E9
    {X, 2, 2, 0, 2}, // Esus4
    {0, 5, 3, 4, 5}, // Eb
    {X, 1, 3, 4, 4}, // Ebm
    {X, 1, 0, 0, 1}, // Eb aug
    {X, 1, 2, 1, 4}, // Eb dim
    {X, 1, 0, 1, 1}, // Eb6
    {X, 1, 3, 1, 4}, // Ebm6
    {X, 1, 3, 2, 5}, // Eb7
    {0, 0, 3, 4, 5}, // Ebmaj7
    {X, 1, 3, 2, 4}, // Ebm7
    {X, 1, 0, 2, 3}, // Eb9
    {X, 6, 3, 4, 6}, // Ebsus4
    {X, 3, 2, 1, 3}, // F
    {X, 3, 1, 1, 3}, // Fm
    {X, 3, 2, 2, 3}, // F aug
    {X, 3, 1, 0, 0}, // F dim
    {X, 3, 2, 1, 0}, // F6
    {X, 3, 1, 1, 0}, // Fm6
    {X, 3, 2, 1, 1}, // F7
    {X, 3, 2, 1, 2}, // Fmaj7
    {X, 3, 1, 1, 1}, // Fm7
    {X, 3, 2, 4, 5}, // F9
    {X, 3, 3, 1, 3}, // Fsus4
    {0, 0, 0, 0, 0}, // G
    {0, 5, 3, 3, 5}, // Gm
    {0, 1, 0, 0, 1}, // G aug
    {0, 5, 3, 2, 2}, // G dim
    {0, 2, 0, 0, 0}, // G6
    {0, 2, 3, 3, 5}, // Gm6
    {X, 3, 0, 0, 3}, // G7
    {0, 4, 0, 0, 0}, // Gmaj7
    {0, 5, 3, 6, 0}, // Gm7
    {0, 3, 2, 0, 0}, // G9
    {X, 0, 0, 1, 0}, // Gsus4
    {X, 4, 3, 2, 4}, // Gb
    {X, 4, 2, 2, 4}, // Gbm
    {X, 0, 3, 3, 4}, // Gb aug
    {X, 4, 2, 1, 1}, // Gb dim
    {X, 4, 3, 2, 1}, // Gb6
    {X, 1, 2, 2, 4}, // Gbm6
    {X, 4, 3, 2, 2}, // Gb7
    {X, 4, 3, 2, 3}, // Gbmaj7
    {X, 4, 2, 2, 2}, // Gbm7
    {X, 4, 3, 5, 6}, // Gb9
    {X, 4, 4, 2, 4}, // Gbsus4
};

BanjoChordsMainPage::BanjoChordsMainPage(QWidget* parent)
    : ChordsMainPage(parent)
{
    setInstrumentName(QStringLiteral("banjo"));
    initChords();
    m_pChordView->setChordTabAndName(0, m_vecTabs.at(0), QStringLiteral("A"));
}

void BanjoChordsMainPage::addShopMenu()
{
    m_pShop = new BanjoShop(this);
    doShopConnections();
}

void BanjoChordsMainPage::initChords()
{
    for (int index = 0; index < 132; ++index) {
        const int* c = fingerings[index];
        setChord(index, c[0], c[1], c[2], c[3], c[4]);
    }
}

QVector<int> BanjoChordsMainPage::fingering(int index)
{
    return QVector<int>(std::begin(fingerings[index]), std::end(fingerings[index]));
}

void BanjoChordsMainPage::setChord(int index, int s1, int s2, int s3, int s4, int s5)
{
    setStringChord(index, {s1, s2, s3, s4, s5}, QStringLiteral("banjo"), openNotes, highestFret);
}

} // namespace VADirur
