#include "GraphX.h"

#include <cstdlib>
#include <initializer_list>
#include <utility>
#include <vector>

namespace DAvuroD {

int GraphX::sm_nWidth = 0;
int GraphX::sm_nHeight = 0;
signed char GraphX::sm_nMode = 0;

GraphX::~GraphX() = default;

int GraphX::maxWidth() const
{
    return sm_nWidth;
}

int GraphX::maxHigh() const
{
    return sm_nHeight;
}

int GraphX::getMode() const
{
    return sm_nMode;
}

namespace {

// The error-term walk from (a1, b1) to (a2, b2) along the major axis a,
// with a1 <= a2: plot(a, b) for every a, b stepping when the error runs out.
template <typename Plot>
void walkLine(long long a1, long long b1, long long a2, long long b2, Plot plot)
{
    const long long da = a2 - a1, db = std::abs(b2 - b1);
    const int s = b2 >= b1 ? 1 : -1;
    long long e = da;
    for (long long a = a1, b = b1; a <= a2; ++a) {
        plot(int(a), int(b));
        e -= 2 * db;
        if (e <= 0) {
            b += s;
            e += 2 * da;
        }
    }
}

// Every step of the midpoint walk over one octant: i runs up from 0, x down
// from r. The error falls by 2i + 1 per step, plus extraFall.
template <typename Step> void walkOctant(int r, int extraFall, Step step)
{
    long long i = 0, x = r, e = r;
    do {
        if (e < 0) {
            e += 2 * x - 2;
            --x;
        }
        step(int(i), int(x));
        e -= 2 * i + 1 + extraFall;
        ++i;
    } while (x >= i);
}

// The fixed-point ratio of the smaller radius to the larger one.
long long ratio(int small, int large)
{
    return (static_cast<long long>(small) * 65536) / large;
}

int scaled(int value, long long k)
{
    return int((value * k) >> 16);
}

// Two mirrored quarter points of a walk step: half-width a at height b,
// then half-width c at height d.
struct Octant
{
    int a, b, c, d;
};

// (cx + a, cy - b), (cx - a, cy - b), (cx + a, cy + b), (cx - a, cy + b), then likewise for c, d.
void plotEight(const GraphX& g, int cx, int cy, Octant o, int color)
{
    for (const auto& [w, h] : {std::pair(o.a, o.b), std::pair(o.c, o.d)}) {
        g.putPixel(cx + w, cy - h, color);
        g.putPixel(cx - w, cy - h, color);
        g.putPixel(cx + w, cy + h, color);
        g.putPixel(cx - w, cy + h, color);
    }
}

// Rows cy - b and cy + b, 2a pixels from cx - a when a > 0; then likewise for c, d.
void spanFour(const GraphX& g, int cx, int cy, Octant o, int color)
{
    for (const auto& [w, h] : {std::pair(o.a, o.b), std::pair(o.c, o.d)}) {
        if (w > 0) {
            g.lineH(cx - w, cx + w, cy - h, color);
            g.lineH(cx - w, cx + w, cy + h, color);
        }
    }
}

// The circle walk on the larger radius, the other axis scaled by the 16.16
// fixed-point ratio of the radii.
template <typename Step> void walkEllipse(int rx, int ry, Step step)
{
    const bool tall = rx <= ry;
    const long long k = tall ? ratio(rx, ry) : ratio(ry, rx);
    walkOctant(tall ? ry : rx, 0, [&](int i, int x) {
        const int u = scaled(i, k), v = scaled(x, k);
        step(tall ? Octant {u, x, v, i} : Octant {i, v, x, u});
    });
}

} // namespace

void GraphX::line(int x1, int y1, int x2, int y2, int color) const
{
    const bool alongX
        = std::abs(static_cast<long long>(x2) - x1) > std::abs(static_cast<long long>(y2) - y1);
    // From the lower end; equal y keep the given order.
    if (alongX ? x1 > x2 : y1 > y2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    if (alongX)
        walkLine(x1, y1, x2, y2, [&](int x, int y) { putPixel(x, y, color); });
    else
        walkLine(y1, x1, y2, x2, [&](int y, int x) { putPixel(x, y, color); });
}

void GraphX::lineH(int x1, int x2, int y, int color) const
{
    for (long long x = x1; x < x2; ++x)
        putPixel(int(x), y, color);
}

void GraphX::lineV(int y1, int y2, int x, int color) const
{
    for (long long y = y1; y < y2; ++y)
        putPixel(x, int(y), color);
}

void GraphX::rect(int x, int y, int w, int h, int color) const
{
    if (w < 1 || h < 1)
        return;
    lineH(x, x + w, y, color);
    lineH(x, x + w, y + h - 1, color);
    lineV(y + 1, y + h, x, color);
    lineV(y + 1, y + h - 1, x + w - 1, color);
}

void GraphX::fillRect(int x, int y, int w, int h, int color) const
{
    if (w < 1 || h < 1)
        return;
    for (int row = y + h - 1; row >= y; --row)
        lineH(x, x + w, row, color);
}

void GraphX::circle(int cx, int cy, int r, int color) const
{
    if (r < 0)
        return;
    walkOctant(r, 0, [&](int i, int x) { plotEight(*this, cx, cy, {i, x, x, i}, color); });
}

void GraphX::fillCircle(int cx, int cy, int r, int color) const
{
    if (r < 0)
        return;
    walkOctant(r, 1, [&](int i, int x) { spanFour(*this, cx, cy, {x, i, i, x}, color); });
}

// With both radii 0 the ellipse is its centre, as a circle of radius 0.
void GraphX::ellipse(int cx, int cy, int rx, int ry, int color) const
{
    if (rx < 0 || ry < 0)
        return;
    if (rx == 0 && ry == 0)
        putPixel(cx, cy, color);
    else
        walkEllipse(rx, ry, [&](Octant o) { plotEight(*this, cx, cy, o, color); });
}

void GraphX::fillEllipse(int cx, int cy, int rx, int ry, int color) const
{
    if (rx < 0 || ry < 0 || (rx == 0 && ry == 0))
        return;
    walkEllipse(rx, ry, [&](Octant o) { spanFour(*this, cx, cy, o, color); });
}

namespace {

// A run of the flood fill that is still looking for regions to go on into:
// first the row ahead (stage 0), then the row behind left and right of the
// span it came from (stages 1 and 2). Kept on an explicit stack, so that a
// large region cannot overflow the call stack.
struct FillRun
{
    int y;
    int dir;
    int prevLeft;
    int prevRight;
    int left;
    int right;
    int next;
    int stage;
};

class FloodFill
{
public:
    FloodFill(const GraphX& surface, int old, int color)
        : m_surface(surface)
        , m_old(old)
        , m_color(color)
    {
    }

    // Paints the run through (x, y) and keeps it; false when (x, y) cannot
    // be painted (another colour, outside the surface, or painting would not
    // change it).
    bool open(int x, int y, int dir, int prevLeft, int prevRight)
    {
        if (!claim(x, y))
            return false;
        int left = x, right = x;
        while (claim(left - 1, y))
            --left;
        while (claim(right + 1, y))
            ++right;
        m_runs.push_back({y, dir, prevLeft, prevRight, left, right, left, 0});
        return true;
    }

    // Runs every kept run to its end; returns the right end of the first one.
    int run()
    {
        int returned = 0;
        while (!m_runs.empty()) {
            int x, y, dir;
            if (!nextSeed(m_runs.back(), x, y, dir)) {
                returned = m_runs.back().right;
                m_runs.pop_back();
                if (!m_runs.empty())
                    m_runs.back().next = returned + 1;
                continue;
            }
            const FillRun from = m_runs.back();
            if (!open(x, y, dir, from.left, from.right))
                m_runs.back().next = x + 1;
        }
        return returned;
    }

private:
    bool claim(int x, int y) const
    {
        if (m_surface.getPixel(x, y) != m_old)
            return false;
        m_surface.putPixel(x, y, m_color);
        return m_surface.getPixel(x, y) != m_old;
    }

    bool nextSeed(FillRun& run, int& x, int& y, int& dir) const
    {
        for (; run.stage < 3; ++run.stage) {
            const bool ahead = run.stage == 0;
            const int last = run.stage == 1 ? run.prevLeft - 1 : run.right;
            y = ahead ? run.y + run.dir : run.y - run.dir;
            dir = ahead ? run.dir : -run.dir;
            for (; run.next <= last; ++run.next) {
                if (m_surface.getPixel(run.next, y) == m_old) {
                    x = run.next;
                    return true;
                }
            }
            run.next = run.stage == 0 ? run.left : run.prevRight + 1;
        }
        return false;
    }

    const GraphX& m_surface;
    const int m_old;
    const int m_color;
    std::vector<FillRun> m_runs;
};

} // namespace

// The start run has no span behind it, so the row behind is searched in full.
void GraphX::fill(int x, int y, int color) const
{
    lineFill(x, y, 1, x, x - 1, color);
}

int GraphX::lineFill(int x, int y, int dir, int prevLeft, int prevRight, int color) const
{
    FloodFill flood(*this, getPixel(x, y), color);
    return flood.open(x, y, dir, prevLeft, prevRight) ? flood.run() : x;
}

} // namespace DAvuroD
