#pragma once

#include "SampleCatalog.h"

#include <vector>

// Picks the model and its settings for each instrument and renders a note.
class SampleSynth
{
public:
    static std::vector<float> render(const SampleCatalog::Sample& sample);
};
