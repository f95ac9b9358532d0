#include "TuneButton.h"

namespace VADirur {

TuneButton::TuneButton(QWidget* parent)
    : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, &TuneButton::play);
}

void TuneButton::sendPlay()
{
    emit play();
}

} // namespace VADirur
