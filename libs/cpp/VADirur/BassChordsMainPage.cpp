#include "BassChordsMainPage.h"

#include "BassShop.h"
#include "ChordTable.h"
#include "MandolinChordsMainPage.h"

namespace VADirur {

BassChordsMainPage::BassChordsMainPage(QWidget* parent)
    : ChordBookPage(table(), parent)
{
}

// The mandolin's chords with the order of the strings reversed.
const ChordTable& BassChordsMainPage::table()
{
    static const int openNotes[4] = {28, 33, 38, 43};
    static const ChordTable table {"bass", "bass", 4, openNotes, 8,
        MandolinChordsMainPage::table().frets, true, 0, createShop<BassShop>};
    return table;
}

} // namespace VADirur
