#include "BassChordsMainPage2.h"

#include "BassShop.h"
#include "ChordCharts.h"
#include "ChordTable.h"

namespace VADirur {

const ChordTable BassChordsMainPage2::table {ChordCharts::bass2, createShop<BassShop>};

BassChordsMainPage2::BassChordsMainPage2(QWidget* parent)
    : ChordBookPage(table, parent)
{
}

} // namespace VADirur
