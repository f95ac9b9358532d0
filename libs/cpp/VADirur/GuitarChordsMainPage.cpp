#include "GuitarChordsMainPage.h"

#include "ChordCharts.h"
#include "ChordTable.h"
#include "GuitarShop.h"

namespace VADirur {

const ChordTable GuitarChordsMainPage::table {ChordCharts::guitar, createShop<GuitarShop>};

GuitarChordsMainPage::GuitarChordsMainPage(QWidget* parent)
    : ChordBookPage(table, parent)
{
}

} // namespace VADirur
