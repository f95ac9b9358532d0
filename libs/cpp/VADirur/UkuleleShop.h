#pragma once

#include "MusicShopBase.h"

namespace VADirur {

// The ukulele's shop and encyclopedia links.
class UkuleleShop : public MusicShopBase
{
    Q_OBJECT

public:
    explicit UkuleleShop(QObject* parent);
};

} // namespace VADirur
