#include "BassChordsMainPage.h"

#include "BassShop.h"
#include "ChordTable.h"
#include "MandolinChordsMainPage.h"

namespace VADirur {

namespace {

const int openNotes[4] = {28, 33, 38, 43};

} // namespace

// The mandolin's chords with the order of the strings reversed.
const ChordTable BassChordsMainPage::table {"bass", "bass", 4, openNotes, 8,
    MandolinChordsMainPage::table.frets, true, 0, createShop<BassShop>};

BassChordsMainPage::BassChordsMainPage(QWidget* parent)
    : ChordBookPage(table, parent)
{
}

} // namespace VADirur
