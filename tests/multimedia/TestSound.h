#pragma once

#include <QString>

#include <vector>

// Sound files and mixing for the audio tests.
class TestSound
{
public:
    TestSound() = delete;

    static std::vector<float> constant(qint64 frames, float value);
    static std::vector<float> sine(qint64 frames, double frequency, float amplitude);
    // Writes mono samples at the rate in the given libsndfile format.
    static bool write(
        const QString& path, const std::vector<float>& samples, int format, int rate = 44100);
    // Lets pending starts begin, then mixes frames through the engine's
    // manual clock and returns the stereo output.
    static std::vector<float> render(qint64 frames);
    static float peak(const std::vector<float>& stereo);
};
