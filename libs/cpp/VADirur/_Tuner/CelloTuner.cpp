#include "CelloTuner.h"

namespace VADirur {

CelloTuner::CelloTuner(QWidget* parent)
    : TunerBasePage(parent)
{
    setInstrument(TunerInstruments::Cello);
    fillLinksPanel(TunerInstruments::Cello);
}

} // namespace VADirur
