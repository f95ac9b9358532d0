#include "ViolaTuner.h"

namespace VADirur {

ViolaTuner::ViolaTuner(QWidget* parent)
    : TunerBasePage(parent)
{
    setInstrument(TunerInstruments::Viola);
    fillLinksPanel(TunerInstruments::Viola);
}

} // namespace VADirur
