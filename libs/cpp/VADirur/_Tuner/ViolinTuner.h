#pragma once

#include "TunerBasePage.h"

namespace VADirur {

// The violin's tuner page.
class ViolinTuner : public TunerBasePage
{
    Q_OBJECT

public:
    explicit ViolinTuner(QWidget* parent);
};

} // namespace VADirur
