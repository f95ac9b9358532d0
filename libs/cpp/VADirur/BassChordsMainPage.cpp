#include "BassChordsMainPage.h"

#include "BassShop.h"
#include "ChordView.h"

#include <iterator>

namespace VADirur {

// Open strings E1 A1 D2 G2; every string sounds from fret 0 to 8.
static const int openNotes[4] = {28, 33, 38, 43};
static const int highestFret = 8;

static const int X = -1;
static const int fingerings[132][4] = {
    {0, 4, 2, 2}, // A
    {0, 3, 2, 2}, // Am
    {1, 4, 3, 2}, // A aug
    {2, 3, 1, 2}, // A dim
    {0, 4, 4, 2}, // A6
    {0, 3, 4, 2}, // Am6
    {3, 4, 2, 2}, // A7
    {4, 4, 2, 2}, // Amaj7
    {3, 3, 2, 2}, // Am7
    {3, 2, 2, 2}, // A9
    {0, 0, 0, 2}, // Asus4
    {4, 3, 1, 1}, // Ab
    {4, 2, 1, 1}, // Abm
    {0, 3, 2, 1}, // Ab aug
    {1, 2, 0, 1}, // Ab dim
    {1, 3, 1, 1}, // Ab6
    {1, 2, 1, 1}, // Abm6
    {2, 3, 1, 1}, // Ab7
    {4, 3, 1, 0}, // Abmaj7
    {2, 2, 1, 1}, // Abm7
    {2, 1, 1, 1}, // Ab9
    {4, 4, 1, 1}, // Absus4
    {2, 2, 1, X}, // B
    {2, 2, 0, 4}, // Bm
    {3, 2, 1, 0}, // B aug
    {1, 2, 0, 1}, // B dim
    {2, 2, 1, 1}, // B6
    {2, 2, 0, 1}, // Bm6
    {2, 2, 1, 2}, // B7
    {2, 2, 1, 3}, // Bmaj7
    {2, 2, 0, 2}, // Bm7
    {5, 4, 4, 4}, // B9
    {0, 2, 4, 4}, // Bsus4
    {1, 1, 0, 3}, // Bb
    {X, 4, 3, 3}, // Bbm
    {2, 1, 0, 3}, // Bb aug
    {3, 4, 2, 3}, // Bb dim
    {1, 1, 0, 0}, // Bb6
    {3, 4, 3, 3}, // Bbm6
    {1, 1, 0, 1}, // Bb7
    {1, 1, 0, 2}, // Bbmaj7
    {4, 4, 3, 3}, // Bbm7
    {4, 3, 3, 3}, // Bb9
    {1, 1, 1, 3}, // Bbsus4
    {3, 3, 2, 0}, // C
    {3, 3, 1, 0}, // Cm
    {0, 3, 2, 1}, // C aug
    {2, 3, 1, 2}, // C dim
    {3, 3, 2, 2}, // C6
    {3, 3, 1, 2}, // Cm6
    {3, 3, 2, 3}, // C7
    {3, 3, 2, 4}, // Cmaj7
    {3, 3, 1, 3}, // Cm7
    {0, 1, 0, 0}, // C9
    {3, 3, 3, 0}, // Csus4
    {2, 0, 0, 2}, // D
    {1, 0, 0, 2}, // Dm
    {2, 1, 0, 3}, // D aug
    {1, 2, 0, 1}, // D dim
    {2, 2, 0, 2}, // D6
    {1, 2, 0, 2}, // Dm6
    {2, 3, 0, 2}, // D7
    {2, 4, 0, 2}, // Dmaj7
    {1, 3, 0, 2}, // Dm7
    {2, 3, 2, 2}, // D9
    {3, 0, 0, 0}, // Dsus4
    {4, 4, 3, 1}, // Db
    {0, 4, 2, 1}, // Dbm
    {X, 4, 3, 2}, // Db aug
    {3, 4, 2, 3}, // Db dim
    {4, 4, 3, 3}, // Db6
    {4, 4, 2, 3}, // Dbm6
    {4, 4, 3, 4}, // Db7
    {4, 4, 3, 5}, // Dbmaj7
    {4, 4, 2, 4}, // Dbm7
    {1, 2, 1, 1}, // Db9
    {4, 4, 4, 1}, // Dbsus4
    {0, 2, 2, 1}, // E
    {0, 2, 2, 0}, // Em
    {0, 3, 2, 1}, // E aug
    {3, 4, 2, 3}, // E dim
    {4, 4, 2, 4}, // E6
    {3, 4, 2, 4}, // Em6
    {0, 2, 0, 1}, // E7
    {0, 2, 1, 1}, // Emaj7
    {0, 2, 0, 0}, // Em7
    {4, 5, 4, 4}, // E9
    {0, 0, 2, 4}, // Esus4
    {3, 1, 1, 0}, // Eb
    {2, 1, 1, 3}, // Ebm
    {3, 2, 1, 0}, // Eb aug
    {2, 3, 1, 2}, // Eb dim
    {3, 3, 1, 3}, // Eb6
    {2, 3, 1, 3}, // Ebm6
    {3, 4, 1, 3}, // Eb7
    {3, 6, 0, X}, // Ebmaj7
    {2, 4, 1, X}, // Ebm7
    {1, 1, 1, 0}, // Eb9
    {4, 1, 1, 1}, // Ebsus4
    {1, 3, 3, 2}, // F
    {1, 3, 3, 1}, // Fm
    {X, 4, 3, 2}, // F aug
    {1, 2, 0, 1}, // F dim
    {1, 3, 0, 2}, // F6
    {1, 3, 0, 1}, // Fm6
    {1, 3, 1, 2}, // F7
    {0, 3, 3, 2}, // Fmaj7
    {1, 3, 1, 1}, // Fm7
    {1, 0, 1, 0}, // F9
    {1, 3, 3, 3}, // Fsus4
    {3, 2, 0, 0}, // G
    {3, 1, 0, 0}, // Gm
    {3, 2, 1, 0}, // G aug
    {3, 4, 2, 3}, // G dim
    {0, 2, 0, 0}, // G6
    {0, 1, 0, 0}, // Gm6
    {1, 2, 0, 0}, // G7
    {2, 2, 0, 0}, // Gmaj7
    {1, 1, 0, 0}, // Gm7
    {1, 0, 0, 0}, // G9
    {3, 3, 0, 0}, // Gsus4
    {2, 4, 4, 3}, // Gb
    {2, 4, 4, 2}, // Gbm
    {2, 1, 0, 3}, // Gb aug
    {2, 3, 1, 2}, // Gb dim
    {6, 6, 4, 6}, // Gb6
    {5, 6, 4, 6}, // Gbm6
    {0, 4, 4, 3}, // Gb7
    {2, 4, 3, 3}, // Gbmaj7
    {0, 4, 4, 2}, // Gbm7
    {2, 1, 2, 1}, // Gb9
    {2, 4, 4, 4}, // Gbsus4
};

BassChordsMainPage::BassChordsMainPage(QWidget* parent)
    : ChordsMainPage(parent)
{
    setInstrumentName(QStringLiteral("bass"));
    initChords();
    m_pChordView->setChordTabAndName(0, m_vecTabs.at(0), QStringLiteral("A"));
}

void BassChordsMainPage::addShopMenu()
{
    m_pShop = new BassShop(this);
    doShopConnections();
}

void BassChordsMainPage::initChords()
{
    for (int index = 0; index < 132; ++index) {
        const int* c = fingerings[index];
        setChord(index, c[0], c[1], c[2], c[3]);
    }
}

QVector<int> BassChordsMainPage::fingering(int index)
{
    return QVector<int>(std::begin(fingerings[index]), std::end(fingerings[index]));
}

void BassChordsMainPage::setChord(int index, int s1, int s2, int s3, int s4)
{
    setStringChord(index, {s1, s2, s3, s4}, QStringLiteral("bass"), openNotes, highestFret);
}

} // namespace VADirur
