#pragma once

#include "ChordChart.h"

class QWidget;

namespace VADirur {

class MusicShopBase;

// A chord page's book: its chart and the maker of its shop.
struct ChordTable : ChordChart
{
    MusicShopBase* (*createShop)(QWidget* page);
};

// The shop maker of a table.
template <class Shop> MusicShopBase* createShop(QWidget* page)
{
    return new Shop(page);
}

} // namespace VADirur
