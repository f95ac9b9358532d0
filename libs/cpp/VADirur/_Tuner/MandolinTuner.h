#pragma once

#include "TunerBasePage.h"

namespace VADirur {

// The mandolin's tuner page.
class MandolinTuner : public TunerBasePage
{
    Q_OBJECT

public:
    explicit MandolinTuner(QWidget* parent);
};

} // namespace VADirur
