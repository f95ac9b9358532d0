#pragma once

#include <vector>

class Random;

// A bowed string held steady, as a tuning reference: the sawtooth-like
// spectrum of a bowed string shaped by the body's resonances, with a soft
// bow attack, a little bow noise and a slow release. No vibrato.
class BowedString
{
public:
    struct Params
    {
        // The body's main resonances in Hz, strongest first.
        std::vector<double> formants;
        double attackSeconds;
    };

    static std::vector<float> render(
        const Params& params, double frequency, double seconds, Random& random);

private:
    static std::vector<double> bowShimmer(int partial, int frames, Random& random);
    static double bodyGain(const Params& params, double frequency);
    static void addBowNoise(const Params& params, std::vector<double>& out, Random& random);
};
