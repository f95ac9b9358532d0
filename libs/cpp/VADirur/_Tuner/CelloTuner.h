#pragma once

#include "TunerBasePage.h"

namespace VADirur {

// The cello's tuner page.
class CelloTuner : public TunerBasePage
{
    Q_OBJECT

public:
    explicit CelloTuner(QWidget* parent);
};

} // namespace VADirur
