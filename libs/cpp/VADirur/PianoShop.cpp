#include "PianoShop.h"

namespace VADirur {

PianoShop::PianoShop(QObject* parent)
    : MusicShopBase(parent)
{
    static const Table table = {{{60, 61, 62, 63, 64}, {63, 64, 65, 66, 67}, {56, 57, 58, 59, 60},
                                    {57, 58, 59, 60, 61}, {57, 58, 59, 60, 61}},
        {"Piano", "Klavier", "Piano"}};
    setLinks(table);
}

} // namespace VADirur
