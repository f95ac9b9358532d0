#include "MandolinTuner.h"

namespace VADirur {

MandolinTuner::MandolinTuner(QWidget* parent)
    : TunerBasePage(parent)
{
    setInstrument(TunerInstruments::Mandolin);
    fillLinksPanel(TunerInstruments::Mandolin);
}

} // namespace VADirur
