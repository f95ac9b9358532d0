#pragma once

#include "MusicShopBase.h"

namespace VADirur {

// The mandolin's shop and encyclopedia links.
class MandolinShop : public MusicShopBase
{
    Q_OBJECT

public:
    explicit MandolinShop(QObject* parent);
};

} // namespace VADirur
