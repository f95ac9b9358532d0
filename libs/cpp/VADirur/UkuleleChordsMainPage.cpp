#include "UkuleleChordsMainPage.h"

#include "ChordCharts.h"
#include "ChordTable.h"
#include "UkuleleShop.h"

namespace VADirur {

const ChordTable UkuleleChordsMainPage::table {ChordCharts::ukulele, createShop<UkuleleShop>};

UkuleleChordsMainPage::UkuleleChordsMainPage(QWidget* parent)
    : ChordBookPage(table, parent)
{
}

} // namespace VADirur
