#pragma once

#include "TunerBasePage.h"

namespace VADirur {

// The double bass's tuner page.
class DoubleBassTuner : public TunerBasePage
{
    Q_OBJECT

public:
    explicit DoubleBassTuner(QWidget* parent);
};

} // namespace VADirur
