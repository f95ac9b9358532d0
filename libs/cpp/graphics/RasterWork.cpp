#include "RasterWork.h"

#include <QPainterPath>
#include <QPainterPathStroker>

#include <cmath>

namespace DAvuroD {

namespace {

// The raster engine strokes a dash pattern of more repeats than this across
// the part of a path it shows as a solid line of half the alpha.
constexpr double mostDashRepeats = 10000;
// A dash the stroker makes, when there are too many to stroke.
constexpr double dashWork = 1000;

// Whether the transform scales alike in both directions without shearing,
// and by how much, as the raster engine tells it.
bool scalesEvenly(const QTransform& transform, qreal* scale)
{
    if (transform.type() <= QTransform::TxTranslate) {
        *scale = 1;
        return true;
    }
    if (transform.type() == QTransform::TxScale) {
        const qreal x = std::abs(transform.m11());
        const qreal y = std::abs(transform.m22());
        *scale = qMax(x, y);
        return qFuzzyCompare(x, y);
    }
    const qreal columnX = transform.m11() * transform.m11() + transform.m21() * transform.m21();
    const qreal columnY = transform.m12() * transform.m12() + transform.m22() * transform.m22();
    const qreal rowX = transform.m11() * transform.m11() + transform.m12() * transform.m12();
    const qreal rowY = transform.m21() * transform.m21() + transform.m22() * transform.m22();
    const bool byColumns = std::abs(columnX - columnY) > std::abs(rowX - rowY);
    *scale = std::sqrt(byColumns ? qMax(columnX, columnY) : qMax(rowX, rowY));
    return transform.type() == QTransform::TxRotate
        && qFuzzyCompare(byColumns ? columnX : rowX, byColumns ? columnY : rowY);
}

// The length of a pen's dash pattern, in its widths, as the raster engine
// reads it: its first 32 dashes and gaps, none below zero.
qreal patternLength(const QPen& pen)
{
    const QVector<qreal> pattern = pen.dashPattern();
    qreal length = 0;
    for (int i = 0; i < qMin(pattern.size(), 32); ++i)
        length += qMax(pattern.at(i), qreal(0));
    return length;
}

// A pen's width in its own units, a width of none counting as one.
qreal penWidth(const QPen& pen)
{
    return pen.widthF() > 0 ? pen.widthF() : 1;
}

QPainterPath polygonPath(const QPointF* points, int count, bool closed)
{
    QPainterPath path;
    if (count == 0)
        return path;
    path.moveTo(points[0]);
    for (int i = 1; i < count; ++i)
        path.lineTo(points[i]);
    if (closed)
        path.closeSubpath();
    return path;
}

} // namespace

RasterWork::RasterWork(const QSize& canvas, double most)
    : QPaintEngine(AllFeatures)
    , m_canvas(QPointF(0, 0), QSizeF(canvas))
    , m_outlines(canvas)
    , m_most(most)
{
}

double RasterWork::work() const
{
    return m_work;
}

bool RasterWork::begin(QPaintDevice*)
{
    return true;
}

bool RasterWork::end()
{
    return true;
}

void RasterWork::updateState(const QPaintEngineState&) { }

QPaintEngine::Type RasterWork::type() const
{
    return User;
}

void RasterWork::drawPath(const QPainterPath& path)
{
    fill(state->transform().map(path), state->brush());
    stroke(path);
}

void RasterWork::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode)
{
    const QPainterPath path = polygonPath(points, count, mode != PolylineMode);
    if (mode != PolylineMode)
        fill(state->transform().map(path), state->brush());
    stroke(path);
}

void RasterWork::drawRects(const QRectF* rects, int count)
{
    for (int i = 0; i < count; ++i) {
        QPainterPath path;
        path.addRect(rects[i]);
        drawPath(path);
    }
}

// The raster engine draws straight lines of a pen without round ends dash by
// dash, along their length, where the transform scales alike both ways.
void RasterWork::drawLines(const QLineF* lines, int count)
{
    const QPen pen = state->pen();
    qreal scale = 1;
    const bool straight = pen.capStyle() != Qt::RoundCap && !strokeIsThin(pen)
        && scalesEvenly(state->transform(), &scale);
    for (int i = 0; i < count; ++i) {
        if (straight) {
            addStraightLine(lines[i]);
            continue;
        }
        QPainterPath path(lines[i].p1());
        path.lineTo(lines[i].p2());
        stroke(path);
    }
}

void RasterWork::drawEllipse(const QRectF& rect)
{
    QPainterPath path;
    path.addEllipse(rect);
    drawPath(path);
}

void RasterWork::drawPoints(const QPointF* points, int count)
{
    for (int i = 0; i < count; ++i) {
        QPainterPath path(points[i]);
        path.lineTo(points[i]);
        stroke(path);
    }
}

void RasterWork::drawPixmap(const QRectF& rect, const QPixmap&, const QRectF&)
{
    addPicture(rect);
}

void RasterWork::drawImage(
    const QRectF& rect, const QImage&, const QRectF&, Qt::ImageConversionFlags)
{
    addPicture(rect);
}

void RasterWork::drawTiledPixmap(const QRectF& rect, const QPixmap&, const QPointF&)
{
    addPicture(rect);
}

bool RasterWork::counting() const
{
    return m_work <= m_most;
}

void RasterWork::fill(const QPainterPath& deviceOutline, const QBrush& brush)
{
    if (!counting() || brush.style() == Qt::NoBrush || deviceOutline.isEmpty())
        return;
    const OutlineCost::Work work = m_outlines.fill(deviceOutline);
    const bool gradient = brush.gradient() != nullptr;
    m_work += primitiveWork + (gradient ? work.rows * gradientRowWork : 0) + work.cells * cellWork
        + work.walked * walkedWork + work.pixels * blendWork(brush);
}

void RasterWork::stroke(const QPainterPath& path)
{
    if (!counting() || state->pen().style() == Qt::NoPen
        || state->pen().brush().style() == Qt::NoBrush || path.isEmpty())
        return;
    if (strokeIsThin(state->pen())) {
        addThinLine(path);
        return;
    }
    const QPen pen = dashesAsStroked(state->pen(), path);
    if (pen.style() == Qt::NoPen)
        return;
    const QTransform transform = state->transform();
    const QPainterPath source = pen.isCosmetic() ? transform.map(path) : path;
    const double dashCount = pen.style() > Qt::SolidLine ? dashes(pen, source) : 0;
    if (dashCount > mostDashes) {
        m_work += dashCount * dashWork;
        return;
    }
    QPainterPathStroker stroker(pen);
    stroker.setWidth(penWidth(pen));
    qreal scale = 1;
    scalesEvenly(transform, &scale);
    stroker.setCurveThreshold(pen.isCosmetic() || scale == 0 ? 0.25 : 0.25 / scale);
    const QPainterPath outline = stroker.createStroke(source);
    fill(pen.isCosmetic() ? outline : transform.map(outline), pen.brush());
}

// The raster engine draws a pen at most a pixel wide along its line, pixel by
// pixel, where the transform neither shears nor scales unevenly.
bool RasterWork::strokeIsThin(const QPen& pen) const
{
    const qreal width = pen.widthF();
    if (pen.isCosmetic())
        return width <= 1;
    qreal scale = 1;
    return scalesEvenly(state->transform(), &scale) && width * scale <= 1;
}

void RasterWork::addThinLine(const QPainterPath& path)
{
    double length = 0;
    const double across = m_canvas.width() + m_canvas.height();
    const QList<QPolygonF> lines = state->transform().map(path).toSubpathPolygons();
    for (const QPolygonF& line : lines) {
        for (int i = 1; i < line.size(); ++i)
            length += qMin(QLineF(line[i - 1], line[i]).length(), across) + 1;
    }
    m_work += primitiveWork + length * thinLineWork;
}

void RasterWork::addStraightLine(const QLineF& line)
{
    const QPen pen = state->pen();
    if (!counting() || pen.style() == Qt::NoPen || pen.brush().style() == Qt::NoBrush)
        return;
    const QLineF device = state->transform().map(line);
    const double length = qMin(device.length(), m_canvas.width() + m_canvas.height());
    const double width = pen.isCosmetic()
        ? qMax(pen.widthF(), qreal(1))
        : pen.widthF() * std::sqrt(std::abs(state->transform().determinant()));
    const double pattern = patternLength(pen) * width;
    const double dashes = pen.style() > Qt::SolidLine && pattern > 0
        ? length / pattern * pen.dashPattern().size() / 2
        : 0;
    m_work += primitiveWork + dashes * lineDashWork + length * width * straightLineWork;
}

// The pen the raster engine strokes with for a dashed pen: none for a pattern
// of no length, a solid one of half the alpha for a pattern repeated too
// often across what it shows, else the pen.
QPen RasterWork::dashesAsStroked(const QPen& pen, const QPainterPath& path) const
{
    if (pen.style() <= Qt::SolidLine)
        return pen;
    const QTransform transform = state->transform();
    const QRectF shown = pen.isCosmetic() ? m_canvas : transform.inverted().mapRect(m_canvas);
    const QRectF controls = pen.isCosmetic()
        ? path.controlPointRect().translated(transform.dx(), transform.dy())
        : path.controlPointRect();
    const qreal width = penWidth(pen);
    const QRectF extent = controls.adjusted(-width, -width, width, width) & shown;
    const qreal length = patternLength(pen) * width;
    QPen stroked = pen;
    if (qFuzzyIsNull(length)) {
        stroked.setStyle(Qt::NoPen);
    } else if (qMax(extent.width(), extent.height()) / length > mostDashRepeats) {
        stroked.setStyle(Qt::SolidLine);
        QColor color = pen.color();
        color.setAlpha(color.alpha() / 2);
        stroked.setColor(color);
    }
    return stroked;
}

// The dashes the dasher makes along the path's lines, each line repeating
// the pattern at most so often.
double RasterWork::dashes(const QPen& pen, const QPainterPath& path) const
{
    const qreal length = patternLength(pen) * penWidth(pen);
    const int pieces = pen.dashPattern().size();
    double count = 0;
    const QList<QPolygonF> lines = path.toSubpathPolygons();
    for (const QPolygonF& line : lines) {
        for (int i = 1; i < line.size(); ++i)
            count += qMin(QLineF(line[i - 1], line[i]).length() / length, mostDashRepeats) * pieces
                    / 2
                + 1;
    }
    return count;
}

void RasterWork::addPicture(const QRectF& rect)
{
    if (!counting())
        return;
    const QRectF covered = state->transform().mapRect(rect).intersected(m_canvas);
    m_work += primitiveWork
        + (covered.isEmpty() ? 0 : covered.width() * covered.height()) * pictureWork;
}

double RasterWork::blendWork(const QBrush& brush) const
{
    if (state->compositionMode() != QPainter::CompositionMode_SourceOver)
        return patternWork;
    switch (brush.style()) {
    case Qt::SolidPattern:
        return brush.color().alpha() == 255 && state->opacity() >= 1 ? opaqueWork : translucentWork;
    case Qt::LinearGradientPattern:
        return linearGradientWork;
    case Qt::RadialGradientPattern:
    case Qt::ConicalGradientPattern:
        return gradientWork;
    default:
        return patternWork;
    }
}

} // namespace DAvuroD
