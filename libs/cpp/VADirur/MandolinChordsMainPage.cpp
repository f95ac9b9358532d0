#include "MandolinChordsMainPage.h"

#include "ChordCharts.h"
#include "ChordTable.h"
#include "MandolinShop.h"

namespace VADirur {

const ChordTable MandolinChordsMainPage::table {ChordCharts::mandolin, createShop<MandolinShop>};

MandolinChordsMainPage::MandolinChordsMainPage(QWidget* parent)
    : ChordBookPage(table, parent)
{
}

} // namespace VADirur
