#include "OutlineCost.h"

#include <QPainterPath>

#include <cmath>

namespace DAvuroD {

namespace {

// The rasterizer's memory: a pool of 8 KiB, doubled up to 1 MiB while one
// row's cells do not fit, of which its own state takes some 2.5 KiB; a band
// of rows takes a pointer a row and 24 bytes a cell.
constexpr double firstPool = 8192;
constexpr double lastPool = 1 << 20;
constexpr double stateBytes = 2560;
constexpr double cellBytes = 24;
constexpr double rowBytes = 8;
constexpr int mostFirstBands = 39;

// The area inside a closed polygon, whatever its direction.
double shoelace(double twiceSignedArea)
{
    return std::abs(twiceSignedArea) / 2;
}

} // namespace

OutlineCost::OutlineCost(const QSize& canvas)
    : m_canvas(QPointF(0, 0), QSizeF(canvas))
    , m_rows(size_t(canvas.height()) + 2, 0.0)
{
}

OutlineCost::Work OutlineCost::fill(const QPainterPath& outline)
{
    const QRectF box = outline.controlPointRect();
    const QRectF covered = box.intersected(m_canvas);
    if (covered.isEmpty())
        return Work();
    const int top = int(std::floor(covered.top()));
    const int bottom = int(std::ceil(covered.bottom()));
    m_slanted.clear();
    m_cells = 0;
    double area = 0;
    double twiceArea = 0;
    QPointF start;
    QPointF last;
    for (int i = 0; i < outline.elementCount(); ++i) {
        const QPainterPath::Element element = outline.elementAt(i);
        const QPointF point(element.x, element.y);
        if (element.type == QPainterPath::MoveToElement) {
            if (i > 0)
                addEdge(last, start);
            area += shoelace(twiceArea);
            twiceArea = 0;
            start = point;
        } else {
            addEdge(last, point);
            twiceArea += last.x() * point.y() - point.x() * last.y();
        }
        last = point;
    }
    addEdge(last, start);
    twiceArea += last.x() * start.y() - start.x() * last.y();
    area += shoelace(twiceArea);
    Work work;
    work.cells = m_cells;
    work.walked = walked(top, bottom, outline.elementCount());
    work.pixels = qMin(covered.width() * covered.height(), area + m_cells);
    work.rows = bottom - top;
    return work;
}

// An edge's cells, as a change of the cells per row over the rows it spans
// on the canvas; a slanted edge is walked whole, also outside the canvas.
void OutlineCost::addEdge(const QPointF& from, const QPointF& to)
{
    QPointF a = from.y() <= to.y() ? from : to;
    QPointF b = from.y() <= to.y() ? to : from;
    const double height = m_canvas.height();
    if (b.y() <= 0 || a.y() >= height || !std::isfinite(a.x() + a.y() + b.x() + b.y()))
        return;
    if (a.x() != b.x() && std::ceil(b.y()) - std::floor(a.y()) > 1)
        m_slanted.push_back(
            {int(qMax(0.0, std::floor(a.y()))), int(qMin(height, std::ceil(b.y())))});
    if (a.y() < 0)
        a = QPointF(a.x() + (b.x() - a.x()) * -a.y() / (b.y() - a.y()), 0);
    if (b.y() > height)
        b = QPointF(a.x() + (b.x() - a.x()) * (height - a.y()) / (b.y() - a.y()), height);
    const double across = qMin(std::abs(b.x() - a.x()), m_canvas.width() + 2);
    const int first = int(std::floor(a.y()));
    const int rows = qMax(1, int(std::ceil(b.y())) - first);
    const double perRow = 1 + qMin(across, 256 * (b.y() - a.y())) / rows;
    m_rows[size_t(first)] += perRow;
    m_rows[size_t(first + rows)] -= perRow;
    m_cells += perRow * rows;
}

// The bands the rasterizer tries, from the first ones, each split in halves
// while it holds more cells than fit; in each, every edge is visited and
// every slanted edge that meets the band walked whole.
double OutlineCost::walked(int top, int bottom, double elements)
{
    const int rows = bottom - top;
    // Cells up to each row of the outline, and the most in one row.
    std::vector<double> cellsBefore(size_t(rows) + 1, 0.0);
    double perRow = 0;
    double fattest = 0;
    for (int row = top; row <= bottom; ++row) {
        perRow += m_rows[size_t(row)];
        m_rows[size_t(row)] = 0;
        if (row < bottom) {
            cellsBefore[size_t(row - top + 1)] = cellsBefore[size_t(row - top)] + perRow;
            fattest = qMax(fattest, perRow);
        }
    }
    // A flat edge on the last row marks the row after it.
    m_rows[size_t(bottom) + 1] = 0;
    // The rows of slanted edges ending before each row, and starting from it.
    std::vector<double> endingBefore(size_t(rows) + 2, 0.0);
    std::vector<double> startingFrom(size_t(rows) + 2, 0.0);
    double slantedRows = 0;
    for (const Edge& edge : m_slanted) {
        const double length = edge.bottom - edge.top + 1;
        slantedRows += length;
        endingBefore[size_t(qBound(0, edge.bottom - top, rows) + 1)] += length;
        startingFrom[size_t(qBound(0, edge.top - top, rows))] += length;
    }
    for (int row = 1; row <= rows + 1; ++row)
        endingBefore[size_t(row)] += endingBefore[size_t(row - 1)];
    for (int row = rows; row >= 0; --row)
        startingFrom[size_t(row)] += startingFrom[size_t(row + 1)];
    double pool = firstPool;
    while ((pool - stateBytes - rowBytes) / cellBytes < fattest && pool < lastPool)
        pool *= 2;
    const double buffer = pool - stateBytes;
    const int bandRows = qMax(1, int(buffer / (cellBytes * 8)));
    const int firstBands = qBound(1, rows / bandRows, mostFirstBands);
    std::vector<std::pair<int, int>> bands;
    for (int band = 0, from = 0; band < firstBands; ++band) {
        const int to = band == firstBands - 1 ? rows : qMin(rows, from + bandRows);
        bands.emplace_back(from, to);
        from = to;
    }
    double walked = 0;
    while (!bands.empty()) {
        const auto [from, to] = bands.back();
        bands.pop_back();
        // A band that holds more than fits is given up as soon as it is full.
        const double fits = (buffer - rowBytes * (to - from)) / cellBytes;
        const double cells = cellsBefore[size_t(to)] - cellsBefore[size_t(from)];
        const double share = cells > fits ? fits / cells : 1;
        walked += share
            * (elements + slantedRows - endingBefore[size_t(from)] - startingFrom[size_t(to)]);
        if (to - from > 1 && cells > fits) {
            const int middle = from + (to - from) / 2;
            bands.emplace_back(from, middle);
            bands.emplace_back(middle, to);
        }
    }
    return walked;
}

} // namespace DAvuroD
