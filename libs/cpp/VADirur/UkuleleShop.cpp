#include "UkuleleShop.h"

namespace VADirur {

UkuleleShop::UkuleleShop(QObject* parent)
    : MusicShopBase(parent)
{
    static const Table table = {{{35, 36, 37, 38, 39}, {36, 38, 43, 40, 44}, {31, 32, 33, 34, 35},
                                    {31, 32, 33, 34, 36}, {32, 33, 34, 35, 36}},
        {"Ukulele", "Ukulele", "Ukul\u00e9l\u00e9"}};
    setLinks(table);
}

} // namespace VADirur
