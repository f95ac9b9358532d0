#pragma once

#include <vector>

class Random;

// A plucked string by Karplus-Strong: a delay loop with a linear-phase loss
// filter and a first-order allpass that supplies the fractional part of the
// period, tuned at the fundamental so that it sounds exactly at the asked
// frequency. A few body resonances colour the result.
class PluckedString
{
public:
    struct Body
    {
        double frequency;
        double q;
        double gain;
    };

    struct Params
    {
        // Seconds for the fundamental to fall by 60 dB, at 100 Hz and at 1 kHz
        // (interpolated in log frequency between and beyond).
        double decayLow;
        double decayHigh;
        // 0 .. 0.25: how fast the upper partials die relative to the fundamental.
        double damping;
        // Where along the string it is plucked, as a fraction of its length.
        double pluckPosition;
        // Corner of the pluck's spectrum in Hz: low for a soft finger, high
        // for a hard pick.
        double brightness;
        // The string sounds twice, in unison, as on doubled courses.
        bool doubled;
        std::vector<Body> body;
    };

    static std::vector<float> render(
        const Params& params, double frequency, double seconds, Random& random);

private:
    static std::vector<double> excitation(const Params& params, int period, Random& random);
    static std::vector<double> loop(
        const Params& params, double frequency, const std::vector<double>& input, int frames);
    static void applyBody(const Params& params, std::vector<double>& samples);
};
