#pragma once

#include "TunerBasePage.h"

namespace VADirur {

// The bass guitar's tuner page: four strings at first, and a Modes menu
// that adds or takes away the low "B0" string.
class BassGuitarTuner : public TunerBasePage
{
    Q_OBJECT

public:
    explicit BassGuitarTuner(QWidget* parent);

private slots:
    void slot5Strings();
    void slot4Strings();
};

} // namespace VADirur
