#pragma once

#include "TunerBasePage.h"

namespace VADirur {

// The dombra's tuner page.
class DombraTuner : public TunerBasePage
{
    Q_OBJECT

public:
    explicit DombraTuner(QWidget* parent);
};

} // namespace VADirur
