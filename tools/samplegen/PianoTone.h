#pragma once

#include <vector>

class Random;

// A piano note as a sum of decaying partials: stretched by the string's
// stiffness (the fundamental itself stays exact), shaped by where the hammer
// strikes, with a fast prompt decay and a slow aftersound, and a short
// felt thump at the start.
class PianoTone
{
public:
    static std::vector<float> render(int midi, double frequency, double seconds, Random& random);

private:
    static void addPartials(int midi, double frequency, std::vector<double>& out, Random& random);
    static void addHammer(double frequency, std::vector<double>& out, Random& random);
};
