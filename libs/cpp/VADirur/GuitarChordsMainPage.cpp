#include "GuitarChordsMainPage.h"

#include "ChordView.h"
#include "GuitarShop.h"

#include <iterator>

namespace VADirur {

// Open strings E2 A2 D3 G3 B3 E4; every string sounds from fret 0 to 8.
static const int openNotes[6] = {40, 45, 50, 55, 59, 64};
static const int highestFret = 8;

static const int X = -1;
static const int fingerings[132][6] = {
    {0, 0, 2, 2, 2, 0}, // A
    {0, 0, 2, 2, 1, 0}, // Am
    {X, 0, 3, 2, 2, 1}, // A aug
    {X, 0, 1, 2, 1, 2}, // A dim
    {0, 0, 2, 2, 2, 2}, // A6
    {0, 0, 2, 2, 1, 2}, // Am6
    {0, 0, 2, 0, 2, 0}, // A7
    {0, 0, 2, 1, 2, 0}, // Amaj7
    {0, 0, 2, 0, 1, 0}, // Am7
    {0, 0, 2, 4, 2, 3}, // A9
    {0, 0, 2, 2, 3, 0}, // Asus4
    {4, 6, 6, 5, 4, 4}, // Ab
    {4, 6, 6, 4, 4, 4}, // Abm
    {X, X, 2, 1, 1, 0}, // Ab aug
    {4, 5, 6, 4, 6, 4}, // Ab dim
    {4, 3, 1, 1, 1, 1}, // Ab6
    {4, 6, 6, 4, 6, 4}, // Abm6
    {4, 6, 4, 5, 4, 4}, // Ab7
    {4, 6, 5, 5, 4, 4}, // Abmaj7
    {4, 6, 4, 4, 4, 4}, // Abm7
    {4, 6, 4, 5, 4, 6}, // Ab9
    {4, 6, 6, 6, 4, 4}, // Absus4
    {2, 2, 4, 4, 4, 2}, // B
    {2, 2, 4, 4, 3, 2}, // Bm
    {X, 2, 1, 0, 0, 3}, // B aug
    {1, 2, 3, 1, 3, 1}, // B dim
    {X, X, 4, 4, 4, 4}, // B6
    {X, 2, 0, 1, 3, 2}, // Bm6
    {X, 2, 1, 2, 0, 2}, // B7
    {2, 2, 4, 3, 4, 2}, // Bmaj7
    {2, 2, 4, 2, 3, 2}, // Bm7
    {X, X, 1, 2, 2, 2}, // B9
    {2, 2, 4, 4, 5, 2}, // Bsus4
    {1, 1, 3, 3, 3, 1}, // Bb
    {1, 1, 3, 3, 2, 1}, // Bbm
    {X, X, 0, 3, 3, 2}, // Bb aug
    {0, 1, 2, 0, 2, 0}, // Bb dim
    {X, X, 3, 3, 3, 3}, // Bb6
    {X, X, 3, 3, 2, 3}, // Bbm6
    {1, 1, 3, 1, 3, 1}, // Bb7
    {1, 1, 3, 2, 3, 1}, // Bbmaj7
    {1, 1, 3, 1, 2, 1}, // Bbm7
    {1, 1, 3, 1, 1, 1}, // Bb9
    {1, 1, 3, 3, 4, 1}, // Bbsus4
    {3, 3, 2, 0, 1, 0}, // C
    {3, 3, 5, 5, 4, 3}, // Cm
    {X, 3, 2, 1, 1, 0}, // C aug
    {2, 3, 4, 2, 4, 2}, // C dim
    {0, 3, 2, 2, 1, 0}, // C6
    {X, 3, 1, 2, 1, 3}, // Cm6
    {0, 3, 2, 3, 1, 0}, // C7
    {0, 3, 2, 0, 0, 0}, // Cmaj7
    {3, 3, 5, 3, 4, 3}, // Cm7
    {X, X, 2, 3, 3, 3}, // C9
    {X, 3, 3, 0, 1, 1}, // Csus4
    {X, 0, 0, 2, 3, 2}, // D
    {X, 0, 0, 2, 3, 1}, // Dm
    {X, X, 0, 3, 3, 2}, // D aug
    {4, 5, 6, 4, 6, 4}, // D dim
    {X, 0, 0, 2, 0, 2}, // D6
    {X, 0, 0, 2, 0, 1}, // Dm6
    {X, 0, 0, 2, 1, 2}, // D7
    {X, 0, 0, 2, 2, 2}, // Dmaj7
    {X, 0, 0, 2, 1, 1}, // Dm7
    {2, 0, 0, 2, 1, 0}, // D9
    {X, 0, 0, 2, 3, 3}, // Dsus4
    {4, 4, 6, 6, 6, 4}, // Db
    {4, 4, 6, 6, 5, 4}, // Dbm
    {X, X, 3, 2, 2, 1}, // Db aug
    {3, 4, 5, 3, 5, 3}, // Db dim
    {X, X, 3, 3, 2, 4}, // Db6
    {X, X, 2, 3, 2, 4}, // Dbm6
    {4, 4, 6, 4, 6, 4}, // Db7
    {1, 4, 3, 1, 1, 1}, // Dbmaj7
    {X, X, 2, 4, 2, 4}, // Dbm7
    {X, X, 3, 4, 4, 4}, // Db9
    {4, 4, 6, 6, 7, 4}, // Dbsus4
    {0, 2, 2, 1, 0, 0}, // E
    {0, 2, 2, 0, 0, 0}, // Em
    {X, X, 2, 1, 1, 0}, // E aug
    {X, 1, 2, 0, 2, 0}, // E dim
    {0, 2, 2, 1, 2, 0}, // E6
    {0, 2, 2, 0, 2, 0}, // Em6
    {0, 2, 0, 1, 0, 0}, // E7
    {0, 2, 2, 4, 4, 4}, // Emaj7
    {0, 2, 2, 0, 3, 0}, // Em7
    {0, 2, 0, 1, 0, 2}, // E9
    {0, 2, 2, 2, 0, 0}, // Esus4
    {X, 1, 1, 3, 4, 3}, // Eb
    {X, 1, 1, 3, 4, 2}, // Ebm
    {X, X, 1, 0, 0, 3}, // Eb aug
    {X, X, 1, 2, 1, 2}, // Eb dim
    {X, X, 1, 3, 1, 3}, // Eb6
    {X, 1, 1, 3, 1, 2}, // Ebm6
    {X, 1, 1, 3, 2, 3}, // Eb7
    {X, 1, 1, 3, 3, 3}, // Ebmaj7
    {X, 1, 1, 3, 2, 2}, // Ebm7
    {1, 1, 1, 3, 2, 1}, // Eb9
    {X, X, 1, 3, 4, 4}, // Ebsus4
    {1, 3, 3, 2, 1, 1}, // F
    {1, 3, 3, 1, 1, 1}, // Fm
    {X, X, 3, 2, 2, 1}, // F aug
    {1, 2, 3, 1, 3, 1}, // F dim
    {X, 0, 3, 2, 3, 1}, // F6
    {1, 3, 3, 1, 3, 1}, // Fm6
    {1, 3, 1, 2, 1, 1}, // F7
    {X, 0, 3, 2, 1, 0}, // Fmaj7
    {1, 3, 1, 1, 1, 1}, // Fm7
    {1, 3, 1, 2, 1, 3}, // F9
    {1, 3, 3, 3, 1, 1}, // Fsus4
    {3, 2, 0, 0, 0, 3}, // G
    {3, 5, 5, 3, 3, 3}, // Gm
    {3, 2, 1, 0, 0, 3}, // G aug
    {3, 4, 5, 3, 5, 3}, // G dim
    {3, 2, 0, 0, 0, 0}, // G6
    {X, X, 2, 3, 3, 3}, // Gm6
    {3, 2, 0, 0, 0, 1}, // G7
    {3, 2, 0, 0, 0, 2}, // Gmaj7
    {3, 5, 3, 3, 3, 3}, // Gm7
    {3, 0, 0, 2, 0, 1}, // G9
    {3, 5, 5, 5, 3, 3}, // Gsus4
    {2, 4, 4, 3, 2, 2}, // Gb
    {2, 4, 4, 2, 2, 2}, // Gbm
    {X, X, 4, 3, 3, 2}, // Gb aug
    {2, 3, 4, 2, 4, 2}, // Gb dim
    {X, 4, 4, 6, 4, 6}, // Gb6
    {2, 4, 4, 2, 4, 2}, // Gbm6
    {2, 4, 2, 3, 2, 2}, // Gb7
    {X, X, 4, 3, 2, 1}, // Gbmaj7
    {2, 4, 2, 2, 2, 2}, // Gbm7
    {2, 4, 2, 3, 2, 4}, // Gb9
    {2, 4, 4, 4, 2, 2}, // Gbsus4
};

GuitarChordsMainPage::GuitarChordsMainPage(QWidget* parent)
    : ChordsMainPage(parent)
{
    setInstrumentName(QStringLiteral("guitar"));
    initChords();
    m_pChordView->setChordTabAndName(0, m_vecTabs.at(0), QStringLiteral("A"));
}

void GuitarChordsMainPage::addShopMenu()
{
    m_pShop = new GuitarShop(this);
    doShopConnections();
}

void GuitarChordsMainPage::initChords()
{
    for (int index = 0; index < 132; ++index) {
        const int* c = fingerings[index];
        setChord(index, c[0], c[1], c[2], c[3], c[4], c[5]);
    }
}

QVector<int> GuitarChordsMainPage::fingering(int index)
{
    return QVector<int>(std::begin(fingerings[index]), std::end(fingerings[index]));
}

void GuitarChordsMainPage::setChord(int index, int s1, int s2, int s3, int s4, int s5, int s6)
{
    setStringChord(
        index, {s1, s2, s3, s4, s5, s6}, QStringLiteral("guitar"), openNotes, highestFret);
}

} // namespace VADirur
