#pragma once

#include "MusicShopBase.h"

namespace VADirur {

// The banjo's shop and encyclopedia links.
class BanjoShop : public MusicShopBase
{
    Q_OBJECT

public:
    explicit BanjoShop(QObject* parent);
};

} // namespace VADirur
