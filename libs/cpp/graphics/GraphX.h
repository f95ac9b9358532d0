#pragma once

namespace DAvuroD {

// An abstract pixel surface. Colours are plain ints: 0xRRGGBB on 24-bit
// surfaces, a palette index on 8-bit ones, 0 or 1 on 1-bit ones.
class GraphX
{
public:
    virtual ~GraphX();

    // Coordinates outside the surface are ignored by putPixel and read as 0.
    virtual void putPixel(int x, int y, int color) const = 0;
    virtual int getPixel(int x, int y) const = 0;
    virtual int maxWidth() const;
    virtual int maxHigh() const;
    virtual int getMode() const;
    // Showing the surface on a screen; surfaces without a screen do nothing.
    virtual void draw() = 0;
    virtual void draw(const int& x, const int& y) = 0;
    virtual void draw(const int& x, const int& y, const int& w, const int& h) = 0;
    virtual void drawHScrolled(const int& dx) = 0;
    virtual void drawVScrolled(const int& dy) = 0;
    virtual void drawArea(
        const int& x, const int& y, const int& w, const int& h, const int& toX, const int& toY)
        = 0;

    static int sm_nWidth;
    static int sm_nHeight;
    static signed char sm_nMode;
};

} // namespace DAvuroD
