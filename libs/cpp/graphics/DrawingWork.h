#pragma once

#include "RasterWork.h"

#include <QPaintDevice>

namespace DAvuroD {

// A paint device of the metrics of a QImage of the canvas's size that paints
// nothing: what a QPainter draws on it is counted by RasterWork, in the
// nanoseconds the raster engine would take to draw it on such an image.
class DrawingWork : public QPaintDevice
{
public:
    // Counting stops once it is past most.
    DrawingWork(const QSize& canvas, double most);

    double work() const;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_canvas;
    mutable RasterWork m_engine;
};

} // namespace DAvuroD
