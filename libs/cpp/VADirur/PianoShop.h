#pragma once

#include "MusicShopBase.h"

namespace VADirur {

// The piano's shop and encyclopedia links.
class PianoShop : public MusicShopBase
{
    Q_OBJECT

public:
    explicit PianoShop(QObject* parent);
};

} // namespace VADirur
