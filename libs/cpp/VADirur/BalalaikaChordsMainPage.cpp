#include "BalalaikaChordsMainPage.h"

#include "BalalaikaShop.h"
#include "ChordCharts.h"
#include "ChordTable.h"

namespace VADirur {

const ChordTable BalalaikaChordsMainPage::table {ChordCharts::balalaika, createShop<BalalaikaShop>};

BalalaikaChordsMainPage::BalalaikaChordsMainPage(QWidget* parent)
    : ChordBookPage(table, parent)
{
}

} // namespace VADirur
