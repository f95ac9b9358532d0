#pragma once

#include "MusicShopBase.h"

namespace VADirur {

// The guitar's shop and encyclopedia links.
class GuitarShop : public MusicShopBase
{
    Q_OBJECT

public:
    explicit GuitarShop(QObject* parent);
};

} // namespace VADirur
