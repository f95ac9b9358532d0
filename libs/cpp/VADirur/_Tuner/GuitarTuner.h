#pragma once

#include "TunerBasePage.h"

namespace VADirur {

// The guitar's tuner page.
class GuitarTuner : public TunerBasePage
{
    Q_OBJECT

public:
    explicit GuitarTuner(QWidget* parent);
};

} // namespace VADirur
