#include "BanjoChordsMainPage.h"

#include "BanjoShop.h"
#include "ChordCharts.h"
#include "ChordTable.h"

namespace VADirur {

const ChordTable BanjoChordsMainPage::table {ChordCharts::banjo, createShop<BanjoShop>};

BanjoChordsMainPage::BanjoChordsMainPage(QWidget* parent)
    : ChordBookPage(table, parent)
{
}

} // namespace VADirur
