#pragma once

#include "MusicShopBase.h"

namespace VADirur {

// The bass's shop and encyclopedia links.
class BassShop : public MusicShopBase
{
    Q_OBJECT

public:
    explicit BassShop(QObject* parent);
};

} // namespace VADirur
