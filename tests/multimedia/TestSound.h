#pragma once

#include <QByteArray>
#include <QString>

#include <complex>
#include <vector>

// Sound files, mixing and frequency measurement for the audio tests.
class TestSound
{
public:
    enum class Container { Wav, Aiff, Caf };

    TestSound() = delete;

    static std::vector<float> sine(
        qint64 frames, double frequency, float amplitude, double rate = 44100.0);
    // Writes mono samples at the rate in the given libsndfile format.
    static bool write(
        const QString& path, const std::vector<float>& samples, int format, int rate = 44100);
    // A quiet 440 Hz tone of the given length as 16-bit WAV.
    static bool writeTone(const QString& path, int milliseconds);
    // The bytes of a 16-bit PCM file, written by hand: libsndfile writes no
    // header it finds absurd. Each frame holds 0.25 in the first channel,
    // -0.25 in the second and 0.5 in the others.
    static QByteArray pcmFile(Container container, quint32 rate, quint16 channels, quint32 frames);
    // Lets pending starts begin, then mixes frames through the engine's
    // manual clock and returns the stereo output.
    static std::vector<float> render(qint64 frames);
    static float peak(const std::vector<float>& samples);
    // The float samples of a mono file as it was written; empty for
    // anything else.
    static std::vector<float> readMono(const QString& path);

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
