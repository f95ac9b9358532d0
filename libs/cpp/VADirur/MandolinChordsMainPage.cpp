#include "MandolinChordsMainPage.h"

#include "ChordView.h"
#include "MandolinShop.h"

#include <iterator>

namespace VADirur {

// Open strings G3 D4 A4 E5; every string sounds from fret 0 to 8.
static const int openNotes[4] = {55, 62, 69, 76};
static const int highestFret = 8;

static const int X = -1;
static const int fingerings[132][4] = {
    {2, 2, 4, 0}, // A
    {2, 2, 3, 0}, // Am
    {2, 3, 4, 1}, // A aug
    {2, 1, 3, 2}, // A dim
    {2, 4, 4, 0}, // A6
    {2, 4, 3, 0}, // Am6
    {2, 2, 4, 3}, // A7
    {2, 2, 4, 4}, // Amaj7
    {2, 2, 3, 3}, // Am7
    {2, 2, 2, 3}, // A9
    {2, 0, 0, 0}, // Asus4
    {1, 1, 3, 4}, // Ab
    {1, 1, 2, 4}, // Abm
    {1, 2, 3, 0}, // Ab aug
    {1, 0, 2, 1}, // Ab dim
    {1, 1, 3, 1}, // Ab6
    {1, 1, 2, 1}, // Abm6
    {1, 1, 3, 2}, // Ab7
    {0, 1, 3, 4}, // Abmaj7
    {1, 1, 2, 2}, // Abm7
    {1, 1, 1, 2}, // Ab9
    {1, 1, 4, 4}, // Absus4
    {X, 1, 2, 2}, // B
    {4, 0, 2, 2}, // Bm
    {0, 1, 2, 3}, // B aug
    {1, 0, 2, 1}, // B dim
    {1, 1, 2, 2}, // B6
    {1, 0, 2, 2}, // Bm6
    {2, 1, 2, 2}, // B7
    {3, 1, 2, 2}, // Bmaj7
    {2, 0, 2, 2}, // Bm7
    {4, 4, 4, 5}, // B9
    {4, 4, 2, 0}, // Bsus4
    {3, 0, 1, 1}, // Bb
    {3, 3, 4, X}, // Bbm
    {3, 0, 1, 2}, // Bb aug
    {3, 2, 4, 3}, // Bb dim
    {0, 0, 1, 1}, // Bb6
    {3, 3, 4, 3}, // Bbm6
    {1, 0, 1, 1}, // Bb7
    {2, 0, 1, 1}, // Bbmaj7
    {3, 3, 4, 4}, // Bbm7
    {3, 3, 3, 4}, // Bb9
    {3, 1, 1, 1}, // Bbsus4
    {0, 2, 3, 3}, // C
    {0, 1, 3, 3}, // Cm
    {1, 2, 3, 0}, // C aug
    {2, 1, 3, 2}, // C dim
    {2, 2, 3, 3}, // C6
    {2, 1, 3, 3}, // Cm6
    {3, 2, 3, 3}, // C7
    {4, 2, 3, 3}, // Cmaj7
    {3, 1, 3, 3}, // Cm7
    {0, 0, 1, 0}, // C9
    {0, 3, 3, 3}, // Csus4
    {2, 0, 0, 2}, // D
    {2, 0, 0, 1}, // Dm
    {3, 0, 1, 2}, // D aug
    {1, 0, 2, 1}, // D dim
    {2, 0, 2, 2}, // D6
    {2, 0, 2, 1}, // Dm6
    {2, 0, 3, 2}, // D7
    {2, 0, 4, 2}, // Dmaj7
    {2, 0, 3, 1}, // Dm7
    {2, 2, 3, 2}, // D9
    {0, 0, 0, 3}, // Dsus4
    {1, 3, 4, 4}, // Db
    {1, 2, 4, 0}, // Dbm
    {2, 3, 4, X}, // Db aug
    {3, 2, 4, 3}, // Db dim
    {3, 3, 4, 4}, // Db6
    {3, 2, 4, 4}, // Dbm6
    {4, 3, 4, 4}, // Db7
    {5, 3, 4, 4}, // Dbmaj7
    {4, 2, 4, 4}, // Dbm7
    {1, 1, 2, 1}, // Db9
    {1, 4, 4, 4}, // Dbsus4
    {1, 2, 2, 0}, // E
    {0, 2, 2, 0}, // Em
    {1, 2, 3, 0}, // E aug
    {3, 2, 4, 3}, // E dim
    {4, 2, 4, 4}, // E6
    {4, 2, 4, 3}, // Em6
    {1, 0, 2, 0}, // E7
    {1, 1, 2, 0}, // Emaj7
    {0, 0, 2, 0}, // Em7
    {4, 4, 5, 4}, // E9
    {4, 2, 0, 0}, // Esus4
    {0, 1, 1, 3}, // Eb
    {3, 1, 1, 2}, // Ebm
    {0, 1, 2, 3}, // Eb aug
    {2, 1, 3, 2}, // Eb dim
    {3, 1, 3, 3}, // Eb6
    {3, 1, 3, 2}, // Ebm6
    {3, 1, 4, 3}, // Eb7
    {X, 0, 6, 3}, // Ebmaj7
    {X, 1, 4, 2}, // Ebm7
    {0, 1, 1, 1}, // Eb9
    {1, 1, 1, 4}, // Ebsus4
    {2, 3, 3, 1}, // F
    {1, 3, 3, 1}, // Fm
    {2, 3, 4, X}, // F aug
    {1, 0, 2, 1}, // F dim
    {2, 0, 3, 1}, // F6
    {1, 0, 3, 1}, // Fm6
    {2, 1, 3, 1}, // F7
    {2, 3, 3, 0}, // Fmaj7
    {1, 1, 3, 1}, // Fm7
    {0, 1, 0, 1}, // F9
    {3, 3, 3, 1}, // Fsus4
    {0, 0, 2, 3}, // G
    {0, 0, 1, 3}, // Gm
    {0, 1, 2, 3}, // G aug
    {3, 2, 4, 3}, // G dim
    {0, 0, 2, 0}, // G6
    {0, 0, 1, 0}, // Gm6
    {0, 0, 2, 1}, // G7
    {0, 0, 2, 2}, // Gmaj7
    {0, 0, 1, 1}, // Gm7
    {0, 0, 0, 1}, // G9
    {0, 0, 3, 3}, // Gsus4
    {3, 4, 4, 2}, // Gb
    {2, 4, 4, 2}, // Gbm
    {3, 0, 1, 2}, // Gb aug
    {2, 1, 3, 2}, // Gb dim
    {6, 4, 6, 6}, // Gb6
    {6, 4, 6, 5}, // Gbm6
    {3, 4, 4, 0}, // Gb7
    {3, 3, 4, 2}, // Gbmaj7
    {2, 4, 4, 0}, // Gbm7
    {1, 2, 1, 2}, // Gb9
    {4, 4, 4, 2}, // Gbsus4
};

MandolinChordsMainPage::MandolinChordsMainPage(QWidget* parent)
    : ChordsMainPage(parent)
{
    setInstrumentName(QStringLiteral("mandolin"));
    initChords();
    m_pChordView->setChordTabAndName(0, m_vecTabs.at(0), QStringLiteral("A"));
}

void MandolinChordsMainPage::addShopMenu()
{
    m_pShop = new MandolinShop(this);
    doShopConnections();
}

void MandolinChordsMainPage::initChords()
{
    for (int index = 0; index < 132; ++index) {
        const int* c = fingerings[index];
        setChord(index, c[0], c[1], c[2], c[3]);
    }
}

QVector<int> MandolinChordsMainPage::fingering(int index)
{
    return QVector<int>(std::begin(fingerings[index]), std::end(fingerings[index]));
}

void MandolinChordsMainPage::setChord(int index, int s1, int s2, int s3, int s4)
{
    setStringChord(index, {s1, s2, s3, s4}, QStringLiteral("mandolin"), openNotes, highestFret);
}

} // namespace VADirur
