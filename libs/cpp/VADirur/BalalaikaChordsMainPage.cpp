#include "BalalaikaChordsMainPage.h"

#include "BalalaikaShop.h"
#include "ChordTable.h"

namespace VADirur {

namespace {

const int openNotes[3] = {64, 64, 69};
const int frets[132][3] = {
    {5, 0, 4}, // A
    {5, 0, 3}, // Am
    {1, 1, 4}, // A aug
    {2, 5, 3}, // A dim
    {0, 2, 4}, // A6
    {2, 0, 3}, // Am6
    {3, 0, 4}, // A7
    {0, 4, 4}, // Amaj7
    {0, 0, 3}, // Am7
    {0, 0, 2}, // A9
    {0, 5, 0}, // Asus4
    {4, 4, 3}, // Ab
    {4, 4, 2}, // Abm
    {0, 0, 3}, // Ab aug
    {1, 4, 2}, // Ab dim
    {1, 1, 3}, // Ab6
    {1, 4, 2}, // Abm6
    {2, 4, 3}, // Ab7
    {3, 4, 6}, // Abmaj7
    {4, 2, 2}, // Abm7
    {2, 2, 3}, // Ab9
    {4, 4, 6}, // Absus4
    {2, 2, 2}, // B
    {2, 2, 5}, // Bm
    {3, 3, 2}, // B aug
    {1, 4, 2}, // B dim
    {2, 4, 2}, // B6
    {2, 4, 5}, // Bm6
    {2, 5, 2}, // B7
    {2, 2, 1}, // Bmaj7
    {2, 2, 5}, // Bm7
    {2, 2, 4}, // B9
    {0, 2, 2}, // Bsus4
    {1, 1, 1}, // Bb
    {1, 1, 4}, // Bbm
    {2, 2, 5}, // Bb aug
    {0, 3, 1}, // Bb dim
    {1, 3, 1}, // Bb6
    {1, 3, 4}, // Bbm6
    {1, 4, 1}, // Bb7
    {1, 1, 0}, // Bbmaj7
    {1, 1, 4}, // Bbm7
    {1, 1, 3}, // Bb9
    {1, 1, 1}, // Bbsus4
    {3, 0, 3}, // C
    {3, 3, 6}, // Cm
    {0, 4, 3}, // C aug
    {2, 5, 3}, // C dim
    {0, 0, 3}, // C6
    {3, 5, 3}, // Cm6
    {0, 3, 1}, // C7
    {0, 3, 2}, // Cmaj7
    {3, 3, 6}, // Cm7
    {0, 0, 1}, // C9
    {1, 3, 3}, // Csus4
    {5, 5, 5}, // D
    {1, 1, 0}, // Dm
    {2, 2, 5}, // D aug
    {1, 4, 2}, // D dim
    {5, 2, 2}, // D6
    {1, 5, 2}, // Dm6
    {2, 5, 3}, // D7
    {2, 2, 4}, // Dmaj7
    {1, 1, 3}, // Dm7
    {0, 2, 3}, // D9
    {3, 5, 5}, // Dsus4
    {1, 4, 4}, // Db
    {4, 0, 4}, // Dbm
    {1, 1, 4}, // Db aug
    {0, 3, 1}, // Db dim
    {1, 4, 1}, // Db6
    {0, 4, 1}, // Dbm6
    {1, 4, 2}, // Db7
    {1, 1, 3}, // Dbmaj7
    {0, 0, 2}, // Dbm7
    {1, 4, 2}, // Db9
    {2, 4, 4}, // Dbsus4
    {4, 0, 2}, // E
    {3, 0, 2}, // Em
    {0, 4, 3}, // E aug
    {0, 3, 1}, // E dim
    {0, 0, 2}, // E6
    {3, 0, 4}, // Em6
    {0, 0, 2}, // E7
    {4, 0, 2}, // Emaj7
    {0, 0, 2}, // Em7
    {0, 2, 2}, // E9
    {0, 5, 2}, // Esus4
    {3, 3, 1}, // Eb
    {2, 2, 1}, // Ebm
    {3, 3, 2}, // Eb aug
    {2, 5, 3}, // Eb dim
    {3, 6, 3}, // Eb6
    {2, 6, 3}, // Ebm6
    {3, 6, 4}, // Eb7
    {3, 3, 5}, // Ebmaj7
    {2, 2, 4}, // Ebm7
    {1, 3, 1}, // Eb9
    {4, 6, 6}, // Ebsus4
    {1, 5, 3}, // F
    {1, 4, 3}, // Fm
    {1, 1, 4}, // F aug
    {1, 4, 2}, // F dim
    {1, 1, 3}, // F6
    {1, 4, 5}, // Fm6
    {1, 1, 3}, // F7
    {0, 1, 3}, // Fmaj7
    {1, 1, 3}, // Fm7
    {1, 3, 3}, // F9
    {1, 6, 3}, // Fsus4
    {3, 3, 5}, // G
    {3, 3, 1}, // Gm
    {3, 3, 2}, // G aug
    {0, 3, 1}, // G dim
    {0, 3, 2}, // G6
    {3, 0, 1}, // Gm6
    {1, 3, 2}, // G7
    {3, 2, 2}, // Gmaj7
    {3, 1, 1}, // Gm7
    {3, 1, 2}, // G9
    {3, 3, 5}, // Gsus4
    {2, 2, 1}, // Gb
    {2, 2, 0}, // Gbm
    {2, 2, 5}, // Gb aug
    {2, 5, 3}, // Gb dim
    {2, 2, 4}, // Gb6
    {2, 5, 6}, // Gbm6
    {2, 0, 1}, // Gb7
    {1, 2, 4}, // Gbmaj7
    {0, 2, 4}, // Gbm7
    {0, 4, 1}, // Gb9
    {2, 2, 4}, // Gbsus4
};

} // namespace

const ChordTable BalalaikaChordsMainPage::table {
    "balalaika", "balalaika", 3, openNotes, 9, frets[0], false, 0, createShop<BalalaikaShop>};

BalalaikaChordsMainPage::BalalaikaChordsMainPage(QWidget* parent)
    : ChordBookPage(table, parent)
{
}

} // namespace VADirur
