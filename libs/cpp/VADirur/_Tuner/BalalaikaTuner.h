#pragma once

#include "TunerBasePage.h"

namespace VADirur {

// The balalaika's tuner page.
class BalalaikaTuner : public TunerBasePage
{
    Q_OBJECT

public:
    explicit BalalaikaTuner(QWidget* parent);
};

} // namespace VADirur
