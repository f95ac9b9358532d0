#pragma once

#include <QRectF>

class QPainter;

// The illustrations of the nine introduction slides: drawings of the
// program's idea, not screenshots. Each fills the given area.
namespace SlideScenes {

void paint(QPainter& painter, const QRectF& area, int step);

} // namespace SlideScenes
