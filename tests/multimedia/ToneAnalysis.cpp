#include "ToneAnalysis.h"

#include <cmath>

namespace {

constexpr double rate = 44100.0;
constexpr qint64 window = 22050;

} // namespace

std::complex<double> ToneAnalysis::spectrumAt(
    const std::vector<float>& samples, double frequency, qint64 from, qint64 length, int stride)
{
    const std::complex<double> step = std::polar(1.0, -2 * M_PI * frequency / rate);
    const std::complex<double> hannStep = std::polar(1.0, 2 * M_PI / double(length));
    std::complex<double> rotor = 1.0;
    std::complex<double> hann = 1.0;
    std::complex<double> sum = 0.0;
    for (qint64 n = 0; n < length; ++n) {
        const double w = 0.5 - 0.5 * hann.real();
        sum += w * double(samples[size_t((from + n) * stride)]) * rotor;
        rotor *= step;
        hann *= hannStep;
    }
    return sum;
}

double ToneAnalysis::measure(const std::vector<float>& samples, double guess, qint64 from)
{
    double frequency = guess;
    // Each hop is short enough that the previous estimate leaves no doubt
    // about the number of whole turns in between: +-50, 5, 1 and 0.5 Hz.
    for (qint64 hop : {441, 4410, 22050, 44100}) {
        for (int pass = 0; pass < 2; ++pass) {
            const std::complex<double> a = spectrumAt(samples, frequency, from, window);
            const std::complex<double> b = spectrumAt(samples, frequency, from + hop, window);
            const double expected = 2 * M_PI * frequency * double(hop) / rate;
            const double drift = std::arg(b / a * std::polar(1.0, -expected));
            frequency += drift * rate / (2 * M_PI * double(hop));
        }
    }
    return frequency;
}
