#include "UkuleleTuner.h"

namespace VADirur {

UkuleleTuner::UkuleleTuner(QWidget* parent)
    : TunerBasePage(parent)
{
    setInstrument(TunerInstruments::Ukulele);
    fillLinksPanel(TunerInstruments::Ukulele);
}

} // namespace VADirur
