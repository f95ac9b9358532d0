#include "SampleSynth.h"

#include "BowedString.h"
#include "PianoTone.h"
#include "PluckedString.h"
#include "Random.h"

namespace {

using Timbre = SampleCatalog::Timbre;

PluckedString::Params plucked(Timbre timbre)
{
    switch (timbre) {
    case Timbre::Guitar:
        // Steel strings on a wooden box: air and top resonances.
        return {6.0, 2.5, 0.14, 0.18, 3500, false, {{98, 8, 0.25}, {196, 10, 0.18}, {420, 6, 0.1}}};
    case Timbre::Bass:
        return {7.0, 3.0, 0.22, 0.22, 900, false, {{60, 4, 0.1}}};
    case Timbre::Mandolin:
        // Paired courses, picked near the bridge, a bright small body.
        return {3.0, 1.6, 0.08, 0.12, 7000, true, {{320, 10, 0.2}, {650, 8, 0.12}}};
    case Timbre::Banjo:
        // The drum head rings bright and short.
        return {2.2, 1.5, 0.05, 0.1, 9000, false, {{420, 5, 0.35}, {1500, 4, 0.2}}};
    case Timbre::Balalaika:
        return {3.0, 1.6, 0.09, 0.13, 6000, false, {{260, 9, 0.2}, {800, 6, 0.15}}};
    case Timbre::Ukulele:
        // Nylon under the thumb: soft and warm.
        return {3.5, 1.8, 0.2, 0.22, 1800, false, {{250, 9, 0.25}, {520, 7, 0.12}}};
    case Timbre::Dombra:
        return {3.5, 1.8, 0.16, 0.16, 2600, false, {{200, 8, 0.25}, {480, 7, 0.12}}};
    default:
        return {};
    }
}

BowedString::Params bowed(Timbre timbre)
{
    switch (timbre) {
    case Timbre::Violin:
        return {{280, 450, 2800, 1200}, 0.12};
    case Timbre::Cello:
        return {{100, 220, 1300, 550}, 0.15};
    default:
        return {{60, 110, 700, 300}, 0.2};
    }
}

} // namespace

std::vector<float> SampleSynth::render(const SampleCatalog::Sample& sample)
{
    Random random(sample.fileName.toUtf8());
    switch (sample.timbre) {
    case Timbre::Piano:
        return PianoTone::render(sample.midi, sample.frequency, 2.8, random);
    case Timbre::Violin:
    case Timbre::Cello:
    case Timbre::DoubleBass:
        return BowedString::render(bowed(sample.timbre), sample.frequency, 3.0, random);
    default:
        return PluckedString::render(plucked(sample.timbre), sample.frequency, 2.5, random);
    }
}
