#include "BassChordsMainPage.h"

#include "BassShop.h"
#include "ChordCharts.h"
#include "ChordTable.h"

namespace VADirur {

const ChordTable BassChordsMainPage::table {ChordCharts::bass, createShop<BassShop>};

BassChordsMainPage::BassChordsMainPage(QWidget* parent)
    : ChordBookPage(table, parent)
{
}

} // namespace VADirur
