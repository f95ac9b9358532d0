#pragma once

#include "TunerBasePage.h"

namespace VADirur {

// The banjo's tuner page.
class BanjoTuner : public TunerBasePage
{
    Q_OBJECT

public:
    explicit BanjoTuner(QWidget* parent);
};

} // namespace VADirur
