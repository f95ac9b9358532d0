#include "DombraTuner.h"

namespace VADirur {

DombraTuner::DombraTuner(QWidget* parent)
    : TunerBasePage(parent)
{
    setInstrument(TunerInstruments::Dombra);
    fillLinksPanel(TunerInstruments::Dombra);
}

} // namespace VADirur
