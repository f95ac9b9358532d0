#pragma once

#include "TunerBasePage.h"

namespace VADirur {

// The viola's tuner page.
class ViolaTuner : public TunerBasePage
{
    Q_OBJECT

public:
    explicit ViolaTuner(QWidget* parent);
};

} // namespace VADirur
