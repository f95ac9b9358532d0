#include "MandolinShop.h"

namespace VADirur {

MandolinShop::MandolinShop(QObject* parent)
    : MusicShopBase(parent)
{
    static const Table table = {{{13, 14, 15, 17, 18}, {14, 15, 17, 18, 19}, {11, 12, 13, 14, 15},
                                    {11, 12, 13, 14, 15}, {11, 13, 14, 15, 16}},
        {"Mandolin", "Mandoline", "Mandoline"}};
    setLinks(table);
}

} // namespace VADirur
