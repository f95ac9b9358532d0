#include "BalalaikaShop.h"

namespace VADirur {

BalalaikaShop::BalalaikaShop(QObject* parent)
    : MusicShopBase(parent)
{
    static const Table table = {{{30, 31, 32, 33, 34}, {30, 31, 33, 32, 34}, {26, 27, 28, 29, 30},
                                    {26, 27, 28, 29, 30}, {27, 28, 29, 30, 31}},
        {"Balalaika", "Balalaika", "Balala\u00efka"}};
    setLinks(table);
}

} // namespace VADirur
