#include "ProgressLine.h"

#include <algorithm>

namespace DAvuroD {

ProgressLine::ProgressLine(const int& x, const int& y, const int& w, const int& h, const int& color)
    : m_nX(x)
    , m_nY(y)
    , m_nW(w)
    , m_nH(h)
    , m_nColor(color)
{
}

ProgressLine::~ProgressLine() = default;

void ProgressLine::draw() const { }

void ProgressLine::hide() const { }

void ProgressLine::progress(const int& p)
{
    if (p >= 0)
        m_nPercent = std::min(std::max(m_nPercent, p), 100);
}

void ProgressLine::progressRel(const int& d)
{
    if (d >= 0)
        m_nPercent = std::clamp(m_nPercent + std::min(d, 100), 0, 100);
}

} // namespace DAvuroD
