#include "GraphX.h"

#include <cstdlib>
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

} // namespace

void GraphX::line(int x1, int y1, int x2, int y2, int color) const
{
    const long long dx = std::abs(static_cast<long long>(x2) - x1);
    const long long dy = std::abs(static_cast<long long>(y2) - y1);
    if (dx > dy) {
        if (x1 > x2) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        const int s = y2 >= y1 ? 1 : -1;
        long long e = dx;
        for (long long x = x1, y = y1; x <= x2; ++x) {
            putPixel(int(x), int(y), color);
            e -= 2 * dy;
            if (e <= 0) {
                y += s;
                e += 2 * dx;
            }
        }
        return;
    }
    if (y1 > y2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const int s = x2 >= x1 ? 1 : -1;
    long long e = dy;
    for (long long y = y1, x = x1; y <= y2; ++y) {
        putPixel(int(x), int(y), color);
        e -= 2 * dx;
        if (e <= 0) {
            x += s;
            e += 2 * dy;
        }
    }
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
    walkOctant(r, 0, [&](int i, int x) {
        putPixel(cx + i, cy - x, color);
        putPixel(cx - i, cy - x, color);
        putPixel(cx + i, cy + x, color);
        putPixel(cx - i, cy + x, color);
        putPixel(cx + x, cy - i, color);
        putPixel(cx - x, cy - i, color);
        putPixel(cx + x, cy + i, color);
        putPixel(cx - x, cy + i, color);
    });
}

void GraphX::fillCircle(int cx, int cy, int r, int color) const
{
    if (r < 0)
        return;
    walkOctant(r, 1, [&](int i, int x) {
        if (x > 0) {
            lineH(cx - x, cx + x, cy - i, color);
            lineH(cx - x, cx + x, cy + i, color);
        }
        if (i > 0) {
            lineH(cx - i, cx + i, cy - x, color);
            lineH(cx - i, cx + i, cy + x, color);
        }
    });
}

// With both radii 0 the ellipse is its centre, as a circle of radius 0.
void GraphX::ellipse(int cx, int cy, int rx, int ry, int color) const
{
    if (rx < 0 || ry < 0)
        return;
    if (rx == 0 && ry == 0) {
        putPixel(cx, cy, color);
        return;
    }
    const bool tall = rx <= ry;
    const long long k = tall ? ratio(rx, ry) : ratio(ry, rx);
    walkOctant(tall ? ry : rx, 0, [&](int i, int x) {
        const int u = scaled(i, k), v = scaled(x, k);
        // Along the long axis the walk's own steps, across it the scaled ones.
        const int a = tall ? u : i, b = tall ? x : v, c = tall ? v : x, d = tall ? i : u;
        putPixel(cx + a, cy - b, color);
        putPixel(cx - a, cy - b, color);
        putPixel(cx + a, cy + b, color);
        putPixel(cx - a, cy + b, color);
        putPixel(cx + c, cy - d, color);
        putPixel(cx - c, cy - d, color);
        putPixel(cx + c, cy + d, color);
        putPixel(cx - c, cy + d, color);
    });
}

void GraphX::fillEllipse(int cx, int cy, int rx, int ry, int color) const
{
    if (rx < 0 || ry < 0 || (rx == 0 && ry == 0))
        return;
    const bool tall = rx <= ry;
    const long long k = tall ? ratio(rx, ry) : ratio(ry, rx);
    walkOctant(tall ? ry : rx, 0, [&](int i, int x) {
        const int u = scaled(i, k), v = scaled(x, k);
        const int a = tall ? u : i, b = tall ? x : v, c = tall ? v : x, d = tall ? i : u;
        if (a > 0) {
            lineH(cx - a, cx + a, cy - b, color);
            lineH(cx - a, cx + a, cy + b, color);
        }
        if (c > 0) {
            lineH(cx - c, cx + c, cy - d, color);
            lineH(cx - c, cx + c, cy + d, color);
        }
    });
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
