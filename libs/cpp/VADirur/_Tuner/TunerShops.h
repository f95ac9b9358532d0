#pragma once

#include "ShopLinks.h"
#include "TunerInstruments.h"

namespace VADirur {

// The shop and encyclopedia links of each tuner page, by country.
class TunerShops
{
public:
    TunerShops() = delete;

    static const ShopLinks::Table& table(TunerInstruments::Instrument instrument);
};

} // namespace VADirur
