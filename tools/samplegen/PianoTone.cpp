#include "PianoTone.h"

#include "Random.h"
#include "Resonator.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

constexpr double rate = 44100.0;

// A sine of slowly falling amplitude, by complex rotation.
void addDecayingSine(std::vector<double>& out, double frequency, double phase, double amplitude,
    double promptTau, double slowTau, double promptShare)
{
    const std::complex<double> step = std::polar(1.0, 2 * M_PI * frequency / rate);
    std::complex<double> z = std::polar(1.0, phase);
    const double promptStep = std::exp(-1.0 / (promptTau * rate));
    const double slowStep = std::exp(-1.0 / (slowTau * rate));
    double prompt = amplitude * promptShare;
    double slow = amplitude * (1 - promptShare);
    for (size_t n = 0; n < out.size(); ++n) {
        out[n] += (prompt + slow) * z.imag();
        z *= step;
        prompt *= promptStep;
        slow *= slowStep;
        if ((n & 1023) == 0)
            z /= std::abs(z);
        if (prompt + slow < 1e-6)
            break;
    }
}

} // namespace

std::vector<float> PianoTone::render(int midi, double frequency, double seconds, Random& random)
{
    std::vector<double> out(static_cast<size_t>(seconds * rate), 0.0);
    addPartials(midi, frequency, out, random);
    addHammer(frequency, out, random);
    // A millisecond of rise: the hammer's contact.
    const int rise = int(0.001 * rate);
    for (int n = 0; n < rise; ++n)
        out[size_t(n)] *= double(n) / rise;
    return std::vector<float>(out.begin(), out.end());
}

void PianoTone::addPartials(int midi, double frequency, std::vector<double>& out, Random& random)
{
    const double key = (midi - 21) / 87.0;
    // Stiffness grows towards the treble.
    const double b = 0.00008 * std::pow(200.0, key);
    const double base = frequency / std::sqrt(1 + b);
    const double strike = 1.0 / 7.5;
    // Louder, brighter bass; the treble rings short.
    const double rolloff = 1.1 + 0.9 * key;
    const double slowTau = 9.0 * std::pow(0.045, key) + 0.4;
    const int count = std::min(90, int(9000.0 / frequency));
    for (int n = 1; n <= count; ++n) {
        const double f = n * base * std::sqrt(1 + b * n * n);
        if (f > 16000)
            break;
        const double hammer = std::fabs(std::sin(M_PI * n * strike)) + 0.08;
        // The soundboard radiates the lowest partials of the bass poorly.
        const double radiation = f / std::hypot(f, 80.0);
        const double amplitude = radiation * hammer / std::pow(n, rolloff);
        const double tau = slowTau / (1 + f / 1500.0);
        const double phase = 2 * M_PI * random.unit();
        // A second string, a little out of unison above the fundamental.
        const double detune = n == 1 ? 0.0 : random.bipolar() * 0.0004 * f;
        addDecayingSine(out, f, phase, 0.6 * amplitude, 0.25 * tau, tau, 0.55);
        addDecayingSine(out, f + detune, phase + 1.0, 0.4 * amplitude, 0.25 * tau, tau, 0.55);
    }
}

// Felt on string and frame: a short burst of coloured noise.
void PianoTone::addHammer(double frequency, std::vector<double>& out, Random& random)
{
    Resonator thump(std::min(2.0 * frequency, 1200.0), 1.5, rate);
    const int length = int(0.03 * rate);
    for (int n = 0; n < length && n < int(out.size()); ++n) {
        const double envelope = std::exp(-double(n) / (0.006 * rate));
        out[size_t(n)] += 0.25 * envelope * thump.process(random.bipolar());
    }
}
