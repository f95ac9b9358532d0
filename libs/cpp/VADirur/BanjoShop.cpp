#include "BanjoShop.h"

namespace VADirur {

BanjoShop::BanjoShop(QObject* parent)
    : MusicShopBase(parent)
{
    static const Table table = {{{50, 51, 52, 53, 54}, {58, 59, 60, 61, 62}, {46, 47, 48, 49, 50},
                                    {47, 48, 49, 50, 51}, {47, 48, 49, 50, 51}},
        {"Banjo", "Banjo", "Banjo"}};
    setLinks(table);
}

} // namespace VADirur
