#pragma once

#include "BalalaikaTuner.h"
#include "BanjoTuner.h"
#include "BassGuitarTuner.h"
#include "CelloTuner.h"
#include "DombraTuner.h"
#include "DoubleBassTuner.h"
#include "GuitarTuner.h"
#include "MandolinTuner.h"
#include "UkuleleTuner.h"
#include "ViolaTuner.h"
#include "ViolinTuner.h"

#include <QMetaType>
#include <functional>

// A data row's way to build one of the eleven tuner pages, without parent.
using Page = std::function<VADirur::TunerBasePage*()>;
Q_DECLARE_METATYPE(Page)

template <class Tuner> Page page()
{
    return [] { return new Tuner(nullptr); };
}
