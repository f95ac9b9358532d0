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

    // Drawing through putPixel (and getPixel for the fill); shapes are
    // clipped pixel by pixel by the surface. Negative sizes and radii draw nothing.

    // Both ends included, walked from the lower-coordinate end.
    void line(int x1, int y1, int x2, int y2, int color) const;
    // x1 up to x2 - 1.
    void lineH(int x1, int x2, int y, int color) const;
    // y1 up to y2 - 1.
    void lineV(int y1, int y2, int x, int color) const;
    // The outline of the w x h rectangle with (x, y) as its top left pixel.
    void rect(int x, int y, int w, int h, int color) const;
    void fillRect(int x, int y, int w, int h, int color) const;
    void circle(int cx, int cy, int r, int color) const;
    void fillCircle(int cx, int cy, int r, int color) const;
    void ellipse(int cx, int cy, int rx, int ry, int color) const;
    void fillEllipse(int cx, int cy, int rx, int ry, int color) const;
    // Fills the 4-connected region of the colour of (x, y).
    void fill(int x, int y, int color) const;
    // Fills the run through (x, y) and every region it reaches: on in the row
    // direction dir (+1 or -1), and back where the run overhangs the span
    // prevLeft..prevRight of the row it came from. Returns the run's right end.
    int lineFill(int x, int y, int dir, int prevLeft, int prevRight, int color) const;

    static int sm_nWidth;
    static int sm_nHeight;
    static signed char sm_nMode;
};

} // namespace DAvuroD
