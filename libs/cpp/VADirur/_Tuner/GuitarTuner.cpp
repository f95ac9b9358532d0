#include "GuitarTuner.h"

namespace VADirur {

GuitarTuner::GuitarTuner(QWidget* parent)
    : TunerBasePage(parent)
{
    setInstrument(TunerInstruments::Guitar);
    fillLinksPanel(TunerInstruments::Guitar);
}

} // namespace VADirur
