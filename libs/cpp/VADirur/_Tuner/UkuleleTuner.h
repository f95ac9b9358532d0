#pragma once

#include "TunerBasePage.h"

namespace VADirur {

// The ukulele's tuner page.
class UkuleleTuner : public TunerBasePage
{
    Q_OBJECT

public:
    explicit UkuleleTuner(QWidget* parent);
};

} // namespace VADirur
