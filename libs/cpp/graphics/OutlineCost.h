#pragma once

#include <QRectF>
#include <QSize>

#include <vector>

class QPainterPath;

namespace DAvuroD {

// What the antialiasing rasterizer of Qt's raster engine does to fill an
// outline on a canvas: it records a cell for each pixel an edge crosses
// (along a shallow edge only where the edge moves a row's 1/256), renders
// in bands of rows that hold at most so many cells, halving a band that
// holds more, and walks each slanted edge that meets a band from end to end;
// the pixels it covers are blended.
class OutlineCost
{
public:
    struct Work
    {
        double cells = 0;
        // Rows of edges walked, and edges visited, in every band tried.
        double walked = 0;
        double pixels = 0;
        // Rows of the canvas it spans.
        double rows = 0;
    };

    explicit OutlineCost(const QSize& canvas);

    // The work of filling an outline given in the canvas's pixels.
    Work fill(const QPainterPath& outline);

private:
    struct Edge
    {
        int top;
        int bottom;
    };

    void addEdge(const QPointF& from, const QPointF& to);
    double walked(int top, int bottom, double elements);

    QRectF m_canvas;
    // Per row of the canvas: the change of the cells per row, then their sums.
    std::vector<double> m_rows;
    // Of the outline being read.
    std::vector<Edge> m_slanted;
    double m_cells = 0;
};

} // namespace DAvuroD
