#pragma once

#include <QtGlobal>

#include <complex>
#include <vector>

// Frequency measurement for the sample tests.
class ToneAnalysis
{
public:
    ToneAnalysis() = delete;

    // The Hann-windowed spectrum of samples[from, from + length) at one
    // frequency (a single DFT bin, not limited to the FFT grid). Stride
    // picks one channel of interleaved audio.
    static std::complex<double> spectrumAt(const std::vector<float>& samples, double frequency,
        qint64 from, qint64 length, int stride = 1);
    // The frequency of the partial near the guess, from how fast its phase
    // advances between windows further and further apart. Accurate to far
    // below a cent on a second of steady tone starting at from.
    static double measure(const std::vector<float>& samples, double guess, qint64 from);
};
