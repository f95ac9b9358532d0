#include "MetronomeSound.h"

#include "Random.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double rate = 44100.0;

} // namespace

std::vector<float> MetronomeSound::bell()
{
    struct Partial
    {
        double ratio;
        double amplitude;
        double tau;
    };
    // Hum, prime, minor third, fifth, nominal and upper partials of a bell.
    const Partial partials[] = {{0.5, 0.35, 0.30}, {1.0, 0.6, 0.22}, {1.183, 0.45, 0.16},
        {1.506, 0.25, 0.12}, {2.0, 0.5, 0.10}, {2.514, 0.2, 0.07}, {2.662, 0.15, 0.06},
        {3.011, 0.12, 0.05}, {4.166, 0.08, 0.035}};
    const double strike = 1568.0;
    std::vector<float> out(static_cast<size_t>(0.5 * rate));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / rate;
        double s = 0;
        for (const Partial& p : partials)
            s += p.amplitude * std::exp(-t / p.tau) * std::sin(2 * M_PI * strike * p.ratio * t);
        const double attack = std::min(1.0, t / 0.0015);
        out[i] = float(attack * s);
    }
    return out;
}

std::vector<float> MetronomeSound::tick()
{
    Random random("tick");
    std::vector<float> out(static_cast<size_t>(0.03 * rate));
    double previous = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / rate;
        const double envelope = std::min(1.0, t / 0.0005) * std::exp(-t / 0.005);
        const double noise = random.bipolar();
        // A bright edge on a hollow knock.
        const double edge = noise - previous;
        previous = noise;
        out[i] = float(envelope
            * (0.7 * std::sin(2 * M_PI * 1850.0 * t) + 0.3 * std::sin(2 * M_PI * 3100.0 * t)
                + 0.25 * edge));
    }
    return out;
}
