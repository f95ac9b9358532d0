#include "BowedString.h"

#include "Random.h"
#include "Resonator.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

constexpr double rate = 44100.0;

} // namespace

std::vector<float> BowedString::render(
    const Params& params, double frequency, double seconds, Random& random)
{
    const int frames = int(seconds * rate);
    std::vector<double> out(static_cast<size_t>(frames), 0.0);
    const int count = std::min(60, int(12000.0 / frequency));
    const int attack = int(params.attackSeconds * rate);
    for (int n = 1; n <= count; ++n) {
        const double f = n * frequency;
        const double amplitude = bodyGain(params, f) / n;
        const std::vector<double> shimmer = bowShimmer(n, frames, random);
        const std::complex<double> step = std::polar(1.0, 2 * M_PI * f / rate);
        std::complex<double> z = std::polar(1.0, 2 * M_PI * random.unit());
        // Upper partials speak a little after the fundamental.
        const double speak = attack * (1.0 + 0.04 * n);
        for (int i = 0; i < frames; ++i) {
            const double onset = i < speak ? 0.5 - 0.5 * std::cos(M_PI * i / speak) : 1.0;
            out[size_t(i)] += amplitude * onset * shimmer[size_t(i)] * z.imag();
            z *= step;
            if ((i & 1023) == 0)
                z /= std::abs(z);
        }
    }
    addBowNoise(params, out, random);
    return std::vector<float>(out.begin(), out.end());
}

// The bow's pressure and speed never hold quite still: each partial's
// level wanders a few percent, a few times a second. The pitch does not.
std::vector<double> BowedString::bowShimmer(int partial, int frames, Random& random)
{
    const double depth = partial == 1 ? 0.02 : 0.08;
    double rates[3], phases[3];
    for (int k = 0; k < 3; ++k) {
        rates[k] = 2 * M_PI * (1.5 + 4.0 * random.unit()) / rate;
        phases[k] = 2 * M_PI * random.unit();
    }
    std::vector<double> out(static_cast<size_t>(frames));
    constexpr int control = 32;
    double previous = 1.0;
    for (int i = 0; i < frames; i += control) {
        double wander = 0;
        for (int k = 0; k < 3; ++k)
            wander += std::sin(rates[k] * (i + control) + phases[k]);
        const double next = 1.0 + depth * wander / 3.0;
        for (int j = 0; j < control && i + j < frames; ++j)
            out[size_t(i + j)] = previous + (next - previous) * j / control;
        previous = next;
    }
    return out;
}

// Sum of resonances over a gentle floor, so the tone keeps its top.
double BowedString::bodyGain(const Params& params, double frequency)
{
    double gain = 0.35;
    double weight = 1.0;
    for (double formant : params.formants) {
        const double x = std::log2(frequency / formant);
        gain += weight * std::exp(-x * x * 4.0);
        weight *= 0.75;
    }
    return gain;
}

void BowedString::addBowNoise(const Params& params, std::vector<double>& out, Random& random)
{
    Resonator hiss(params.formants.empty() ? 2500.0 : params.formants.back() * 1.5, 0.8, rate);
    double level = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        // Rosin noise, loudest while the bow catches the string.
        level = 0.9995 * level + 0.0005 * (i < size_t(0.15 * rate) ? 1.0 : 0.35);
        out[i] += 0.015 * level * hiss.process(random.bipolar());
    }
}
