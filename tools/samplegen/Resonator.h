#pragma once

// A two-pole band-pass resonance with unit gain at its centre.
class Resonator
{
public:
    Resonator(double frequency, double q, double rate);

    double process(double in);

private:
    double m_b0;
    double m_a1;
    double m_a2;
    double m_x1 = 0;
    double m_x2 = 0;
    double m_y1 = 0;
    double m_y2 = 0;
};
