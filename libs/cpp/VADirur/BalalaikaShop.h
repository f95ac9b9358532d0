#pragma once

#include "MusicShopBase.h"

namespace VADirur {

// The balalaika's shop and encyclopedia links.
class BalalaikaShop : public MusicShopBase
{
    Q_OBJECT

public:
    explicit BalalaikaShop(QObject* parent);
};

} // namespace VADirur
