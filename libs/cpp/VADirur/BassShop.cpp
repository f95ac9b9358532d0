#include "BassShop.h"

namespace VADirur {

BassShop::BassShop(QObject* parent)
    : MusicShopBase(parent)
{
    static const Table table = {{{19, 20, 21, 23, 24}, {20, 21, 22, 23, 24}, {16, 17, 18, 19, 20},
                                    {16, 17, 18, 19, 20}, {17, 18, 19, 20, 21}},
        {"Bass_guitar", "E-Bass", "Guitare_basse"}};
    setLinks(table);
}

} // namespace VADirur
