#pragma once

#include <QImage>

class QColor;
class QFont;
class QPainter;
class QPoint;
class QRect;
class QString;

namespace DAvuroD {

// Image tools over Qt's painting classes. The source images are never changed.
class DrawTools
{
public:
    DrawTools() = delete;

    // Pixels within 9 hue steps of `from` take the hue of `to`, their
    // saturation and value scaled by to / from; alpha is kept.
    static QImage colorizeImage(const QImage& image, const QColor& from, const QColor& to);
    // An exponential blur over the rectangle (clipped to the image); a larger
    // radius blurs more, 0 or less changes nothing. With alphaOnly set only
    // the alpha bytes are blurred.
    static QImage blurred(const QImage& image, const QRect& rect, int radius, bool alphaOnly);
    // A translucent rounded text bubble with its top left corner at pos.
    static void drawInfo(QPainter* painter, const QPoint& pos, const QString& text,
        const QFont& font, const QColor& color, bool whitePen, float opacity);
};

} // namespace DAvuroD
