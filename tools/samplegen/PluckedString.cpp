#include "PluckedString.h"

#include "Random.h"
#include "Resonator.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double rate = 44100.0;

double decaySeconds(const PluckedString::Params& params, double frequency)
{
    const double t = std::log10(frequency / 100.0);
    return std::max(0.8, params.decayLow * std::pow(params.decayHigh / params.decayLow, t));
}

} // namespace

std::vector<float> PluckedString::render(
    const Params& params, double frequency, double seconds, Random& random)
{
    const int frames = int(seconds * rate);
    const int period = int(std::lround(rate / frequency));
    std::vector<double> samples
        = loop(params, frequency, excitation(params, period, random), frames);
    if (params.doubled) {
        const std::vector<double> second
            = loop(params, frequency, excitation(params, period, random), frames);
        for (int i = 0; i < frames; ++i)
            samples[size_t(i)] += 0.8 * second[size_t(i)];
    }
    applyBody(params, samples);
    return std::vector<float>(samples.begin(), samples.end());
}

// One period of noise, darkened by the finger and combed by the pluck point.
std::vector<double> PluckedString::excitation(const Params& params, int period, Random& random)
{
    std::vector<double> noise(static_cast<size_t>(period));
    // Two one-pole low-passes: 12 dB per octave above the corner.
    const double smoothing = std::exp(-2 * M_PI * params.brightness / rate);
    double low1 = 0, low2 = 0;
    for (double& s : noise) {
        low1 = smoothing * low1 + (1.0 - smoothing) * random.bipolar();
        low2 = smoothing * low2 + (1.0 - smoothing) * low1;
        s = low2;
    }
    const int comb = std::max(1, int(std::lround(params.pluckPosition * period)));
    std::vector<double> out(static_cast<size_t>(period));
    for (int i = 0; i < period; ++i)
        out[size_t(i)] = noise[size_t(i)] - (i >= comb ? noise[size_t(i - comb)] : 0.0);
    return out;
}

// The loop delay at the fundamental is M samples of line, one sample of the
// symmetric loss filter and d samples of the allpass: M + 1 + d = rate / f.
std::vector<double> PluckedString::loop(
    const Params& params, double frequency, const std::vector<double>& input, int frames)
{
    const double w = 2 * M_PI * frequency / rate;
    const double fractional = rate / frequency - 1.0;
    const int line = int(std::floor(fractional - 0.5));
    const double d = fractional - line;
    // The first-order allpass whose phase delay at w is exactly d.
    const double c = std::sin(w * (1 - d) / 2) / std::sin(w * (1 + d) / 2);
    const double a = params.damping;
    const double lossAtF = 1 - 2 * a + 2 * a * std::cos(w);
    const double perPeriod = std::pow(10.0, -3.0 / (decaySeconds(params, frequency) * frequency));
    const double g = std::min(0.99999, perPeriod / lossAtF);

    std::vector<double> out(static_cast<size_t>(frames));
    std::vector<double> delay(static_cast<size_t>(line), 0.0);
    int head = 0;
    double x1 = 0, x2 = 0, apIn = 0, apOut = 0;
    for (int n = 0; n < frames; ++n) {
        const double fromLine = delay[size_t(head)];
        // The loss filter: g * (a, 1 - 2a, a), a delay of one sample.
        const double lossy = g * (a * fromLine + (1 - 2 * a) * x1 + a * x2);
        x2 = x1;
        x1 = fromLine;
        const double ap = c * lossy + apIn - c * apOut;
        apIn = lossy;
        apOut = ap;
        const double y = ap + (n < int(input.size()) ? input[size_t(n)] : 0.0);
        delay[size_t(head)] = y;
        head = (head + 1) % line;
        out[size_t(n)] = y;
    }
    return out;
}

void PluckedString::applyBody(const Params& params, std::vector<double>& samples)
{
    std::vector<double> dry = samples;
    for (const Body& body : params.body) {
        Resonator resonator(body.frequency, body.q, rate);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] += body.gain * resonator.process(dry[i]);
    }
}
