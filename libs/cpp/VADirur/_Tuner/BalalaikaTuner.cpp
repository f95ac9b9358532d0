#include "BalalaikaTuner.h"

namespace VADirur {

BalalaikaTuner::BalalaikaTuner(QWidget* parent)
    : TunerBasePage(parent)
{
    setInstrument(TunerInstruments::Balalaika);
    fillLinksPanel(TunerInstruments::Balalaika);
}

} // namespace VADirur
