#include "GuitarShop.h"

namespace VADirur {

GuitarShop::GuitarShop(QObject* parent)
    : MusicShopBase(parent)
{
    static const Table table = {{{8, 9, 10, 11, 12}, {8, 9, 10, 12, 13}, {6, 7, 8, 9, 10},
                                    {6, 7, 8, 9, 10}, {6, 7, 8, 9, 10}},
        {"Guitar", "Gitarre", "Guitare"}};
    setLinks(table);
}

} // namespace VADirur
