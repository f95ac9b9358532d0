#pragma once

#include "OutlineCost.h"

#include <QPaintEngine>

namespace DAvuroD {

// A paint engine that draws nothing and adds up what Qt's raster engine
// would spend drawing the same on a canvas of 32-bit pixels, in nanoseconds
// of this machine. A fill costs the cells and rows its outline takes the
// antialiasing rasterizer (OutlineCost) and its pixels, by how they are
// blended; a pen is stroked into such an outline as the raster engine does
// (dashes by their pattern, up to its limit of repeats), unless it is at
// most a pixel wide, or draws a straight line without round ends, which are
// drawn along their length; a picture costs the pixels it covers. Past most,
// it stops counting. The costs were measured on the raster engine of Qt 5.15
// so that they come to at least 0.8 times its time for drawings made slow to
// draw (many or wide dashes, combs of edges, huge translucent shapes and
// gradients, long lines), and to at most some 8 times for the SVG pictures
// of a desktop.
class RasterWork : public QPaintEngine
{
public:
    // Per primitive, and per row a gradient fills; per cell and row walked of
    // an outline; per pixel blended by kind; per pixel of a line
    // drawn straight (thin, or a straight line with square ends) and per
    // dash of such a line; per pixel of a picture.
    static constexpr double primitiveWork = 2000;
    static constexpr double gradientRowWork = 300;
    static constexpr double cellWork = 5;
    static constexpr double walkedWork = 25;
    static constexpr double opaqueWork = 0.3;
    static constexpr double translucentWork = 0.3;
    static constexpr double linearGradientWork = 0.65;
    static constexpr double gradientWork = 1.6;
    static constexpr double patternWork = 2;
    static constexpr double thinLineWork = 50;
    static constexpr double straightLineWork = 3;
    static constexpr double lineDashWork = 1000;
    static constexpr double pictureWork = 1.3;
    // More dashes than this in one stroke are not stroked to be counted.
    static constexpr double mostDashes = 1e6;

    RasterWork(const QSize& canvas, double most);

    double work() const;

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    Type type() const override;

    // QPaintEngine passes shapes of integer coordinates on to these.
    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawEllipse(const QRectF& rect) override;
    void drawPoints(const QPointF* points, int count) override;
    void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
        Qt::ImageConversionFlags flags) override;
    void drawTiledPixmap(const QRectF& rect, const QPixmap& pixmap, const QPointF& offset) override;

private:
    bool counting() const;
    void fill(const QPainterPath& deviceOutline, const QBrush& brush);
    void stroke(const QPainterPath& path);
    bool strokeIsThin(const QPen& pen) const;
    void addThinLine(const QPainterPath& path);
    void addStraightLine(const QLineF& line);
    QPen dashesAsStroked(const QPen& pen, const QPainterPath& path) const;
    double dashes(const QPen& pen, const QPainterPath& path) const;
    void addPicture(const QRectF& rect);
    double blendWork(const QBrush& brush) const;

    QRectF m_canvas;
    OutlineCost m_outlines;
    double m_most;
    double m_work = 0;
};

} // namespace DAvuroD
