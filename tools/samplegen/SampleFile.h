#pragma once

#include <QString>

#include <vector>

// Finishes a rendered sound and writes it through libsndfile.
class SampleFile
{
public:
    // Removes any offset, fades the tail out and scales the peak to the
    // given level, which leaves the mixer headroom for chords.
    static void finish(std::vector<float>& samples, double fadeSeconds, float peak);
    // 44.1 kHz mono; the format is a libsndfile format code. MP3 is written
    // at a constant, generous bit rate: at low rates the encoder smears the
    // fundamental of bass notes by a fraction of a cent.
    static bool write(const QString& path, const std::vector<float>& samples, int format);
};
