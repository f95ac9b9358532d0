#pragma once

namespace DAvuroD {

// Progress of a long operation in percent, which never falls. The base shows
// nothing; a subclass that shows it overrides draw() and hide().
class ProgressLine
{
public:
    ProgressLine(const int& x, const int& y, const int& w, const int& h, const int& color);
    virtual ~ProgressLine();

    virtual void draw() const;
    virtual void hide() const;

    // Raises the percentage to p (at most 100); negative values are ignored.
    void progress(const int& p);
    // Adds d, clamped to 0..100; negative steps are ignored.
    void progressRel(const int& d);

protected:
    int m_nPercent = 0;
    int m_nX;
    int m_nY;
    int m_nW;
    int m_nH;
    int m_nColor;
};

} // namespace DAvuroD
