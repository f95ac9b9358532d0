#include "DoubleBassTuner.h"

namespace VADirur {

DoubleBassTuner::DoubleBassTuner(QWidget* parent)
    : TunerBasePage(parent)
{
    setInstrument(TunerInstruments::DoubleBass);
    fillLinksPanel(TunerInstruments::DoubleBass);
}

} // namespace VADirur
