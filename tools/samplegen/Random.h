#pragma once

#include <QByteArray>

#include <cstdint>

// A small deterministic generator (xorshift64*), seeded from a name so
// every sample gets the same noise on every build.
class Random
{
public:
    explicit Random(const QByteArray& seed)
    {
        // FNV-1a of the seed; never zero.
        m_state = 1469598103934665603ull;
        for (char c : seed)
            m_state = (m_state ^ std::uint8_t(c)) * 1099511628211ull;
        m_state |= 1;
    }

    // Uniform in [-1, 1).
    double bipolar()
    {
        return 2.0 * unit() - 1.0;
    }
    // Uniform in [0, 1).
    double unit()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return double((m_state * 2685821657736338717ull) >> 11) / double(1ull << 53);
    }

private:
    std::uint64_t m_state;
};
