#include "BassGuitarTuner.h"

#include "ModesPanel.h"
#include "TuneButton.h"

#include <QMenu>
#include <QPushButton>

namespace VADirur {

BassGuitarTuner::BassGuitarTuner(QWidget* parent)
    : TunerBasePage(parent)
{
    // Starts with four strings: "B0" hidden.
    setInstrument(TunerInstruments::BassGuitar);
    QPushButton* modes = modesPanel()->modesButton();
    modes->show();
    auto* menu = new QMenu(modes);
    menu->addAction(tr("5 Strings"), this, &BassGuitarTuner::slot5Strings);
    menu->addAction(tr("4 Strings"), this, &BassGuitarTuner::slot4Strings);
    modes->setMenu(menu);
    fillLinksPanel(TunerInstruments::BassGuitar);
}

void BassGuitarTuner::slot5Strings()
{
    button(0)->show();
}

void BassGuitarTuner::slot4Strings()
{
    // A hidden string must not go on sounding in repeat mode.
    button(0)->setChecked(false);
    button(0)->hide();
}

} // namespace VADirur
