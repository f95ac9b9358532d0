#include "Resonator.h"

#include <cmath>

Resonator::Resonator(double frequency, double q, double rate)
{
    const double w = 2 * M_PI * frequency / rate;
    const double alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    m_b0 = alpha / a0;
    m_a1 = -2 * std::cos(w) / a0;
    m_a2 = (1 - alpha) / a0;
}

double Resonator::process(double in)
{
    const double out = m_b0 * (in - m_x2) - m_a1 * m_y1 - m_a2 * m_y2;
    m_x2 = m_x1;
    m_x1 = in;
    m_y2 = m_y1;
    m_y1 = out;
    return out;
}
