#include "BanjoTuner.h"

namespace VADirur {

BanjoTuner::BanjoTuner(QWidget* parent)
    : TunerBasePage(parent)
{
    setInstrument(TunerInstruments::Banjo);
    fillLinksPanel(TunerInstruments::Banjo);
}

} // namespace VADirur
