#pragma once

#include <QImage>
#include <QRect>

// The exponential blur written plainly, pixel by pixel in the order of its
// four passes (down, right, up, left), as a reference for the fast one.
inline QImage referenceBlur(const QImage& image, const QRect& rect, int radius, bool alphaOnly)
{
    static const int strengths[17] = {14, 10, 8, 6, 5, 5, 4, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2};
    const int alpha = radius <= 0 ? 16 : radius >= 18 ? 1 : strengths[radius - 1];
    QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect r = rect.normalized() & out.rect();
    if (r.isEmpty())
        return out;
    const auto pass = [&](int lines, int steps, auto pixel) {
        for (int line = 0; line < lines; ++line) {
            for (int b = alphaOnly ? 3 : 0; b < 4; ++b) {
                int acc = pixel(line, 0)[b] * 16;
                for (int step = 1; step < steps; ++step) {
                    uchar& value = pixel(line, step)[b];
                    acc += ((value * 16 - acc) * alpha) / 16;
                    value = uchar(acc >> 4);
                }
            }
        }
    };
    const auto at = [&](int x, int y) { return out.scanLine(y) + 4 * x; };
    pass(r.width(), r.height(), [&](int l, int s) { return at(r.left() + l, r.top() + s); });
    pass(r.height(), r.width(), [&](int l, int s) { return at(r.left() + s, r.top() + l); });
    pass(r.width(), r.height(), [&](int l, int s) { return at(r.left() + l, r.bottom() - s); });
    pass(r.height(), r.width(), [&](int l, int s) { return at(r.right() - s, r.top() + l); });
    return out;
}
