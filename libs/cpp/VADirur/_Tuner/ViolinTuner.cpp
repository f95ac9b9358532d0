#include "ViolinTuner.h"

namespace VADirur {

ViolinTuner::ViolinTuner(QWidget* parent)
    : TunerBasePage(parent)
{
    setInstrument(TunerInstruments::Violin);
    fillLinksPanel(TunerInstruments::Violin);
}

} // namespace VADirur
