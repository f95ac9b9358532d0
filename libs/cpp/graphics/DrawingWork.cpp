#include "DrawingWork.h"

#include <QImage>

namespace DAvuroD {

DrawingWork::DrawingWork(const QSize& canvas, double most)
    : m_canvas(canvas)
    , m_engine(canvas, most)
{
}

double DrawingWork::work() const
{
    return m_engine.work();
}

QPaintEngine* DrawingWork::paintEngine() const
{
    return &m_engine;
}

int DrawingWork::metric(PaintDeviceMetric metric) const
{
    // Fonts are sized by the resolution, which is an image's.
    static const QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    switch (metric) {
    case PdmWidth:
        return m_canvas.width();
    case PdmHeight:
        return m_canvas.height();
    case PdmWidthMM:
        return int(m_canvas.width() * 1000.0 / image.dotsPerMeterX());
    case PdmHeightMM:
        return int(m_canvas.height() * 1000.0 / image.dotsPerMeterY());
    case PdmDepth:
        return 32;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    case PdmDpiX:
    case PdmPhysicalDpiX:
        return image.logicalDpiX();
    case PdmDpiY:
    case PdmPhysicalDpiY:
        return image.logicalDpiY();
    default:
        return 0;
    }
}

} // namespace DAvuroD
