#pragma once

#include <vector>

// The metronome's two sounds.
class MetronomeSound
{
public:
    // A small bell, about half a second: inharmonic partials of a struck bell.
    static std::vector<float> bell();
    // A woody click of about 30 ms.
    static std::vector<float> tick();
};
