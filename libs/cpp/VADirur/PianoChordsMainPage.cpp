#include "PianoChordsMainPage.h"

#include "ChordCharts.h"
#include "ChordTable.h"
#include "PianoShop.h"

namespace VADirur {

const ChordTable PianoChordsMainPage::table {ChordCharts::piano, createShop<PianoShop>};

PianoChordsMainPage::PianoChordsMainPage(QWidget* parent)
    : ChordBookPage(table, parent)
{
}

} // namespace VADirur
