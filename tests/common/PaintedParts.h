#pragma once

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

// What a widget paints, part by part: the widget renders onto a picture
// whose engine draws each call alone, with the painter's pen, brush, font,
// hints and transform of that moment, onto an image of its own, and keeps
// the box of the pixels it covered (in widget coordinates, also where they
// fall outside the widget). A part that covers no pixel is not kept.
class PaintedParts : public QImage
{
public:
    enum class Kind { Text, Ellipse, Line, Rect, Picture, Shape };

    struct Part
    {
        explicit Part(Kind kind, const QString& text = QString(), const QLineF& line = QLineF(),
            bool filled = false)
            : kind(kind)
            , text(text)
            , line(line)
            , filled(filled)
        {
        }
        Kind kind;
        QRect box;
        // Text: the text; Line: the line; Ellipse and Rect: whether filled.
        QString text;
        QLineF line;
        bool filled;
    };

    explicit PaintedParts(QWidget* widget)
        : QImage(widget->size(), QImage::Format_ARGB32)
        , m_engine(&parts)
    {
        widget->render(this);
    }

    QList<Part> parts;

    QPaintEngine* paintEngine() const override
    {
        return &m_engine;
    }

    // The box of the pixels that are not transparent within the image's
    // rectangle from its origin of that size, sought from each edge inwards.
    static QRect inkBox(const QImage& image, const QSize& size)
    {
        const auto inked = [&image](int x, int y) {
            return qAlpha(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]) != 0;
        };
        const auto rowInked = [&](int y) {
            for (int x = 0; x < size.width(); ++x) {
                if (inked(x, y))
                    return true;
            }
            return false;
        };
        int top = 0;
        while (top < size.height() && !rowInked(top))
            ++top;
        if (top == size.height())
            return QRect();
        int bottom = size.height() - 1;
        while (!rowInked(bottom))
            --bottom;
        const auto columnInked = [&](int x) {
            for (int y = top; y <= bottom; ++y) {
                if (inked(x, y))
                    return true;
            }
            return false;
        };
        int left = 0;
        while (!columnInked(left))
            ++left;
        int right = size.width() - 1;
        while (!columnInked(right))
            --right;
        return QRect(QPoint(left, top), QPoint(right, bottom));
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(QList<Part>* parts)
            : QPaintEngine(AllFeatures)
            , m_parts(parts)
        {
        }
        bool begin(QPaintDevice*) override
        {
            return true;
        }
        bool end() override
        {
            return true;
        }
        Type type() const override
        {
            return User;
        }

        void updateState(const QPaintEngineState& state) override
        {
            const DirtyFlags dirty = state.state();
            if (dirty & DirtyPen)
                m_pen = state.pen();
            if (dirty & DirtyBrush)
                m_brush = state.brush();
            if (dirty & DirtyFont)
                m_font = state.font();
            if (dirty & DirtyTransform)
                m_transform = state.transform();
            if (dirty & DirtyHints)
                m_hints = state.renderHints();
        }

        void drawTextItem(const QPointF& position, const QTextItem& item) override
        {
            const QString text = item.text();
            const QFont font = item.font();
            const qreal reach = QFontInfo(font).pixelSize() / 2.0 + 4;
            const QRectF bound = QFontMetricsF(font).boundingRect(text).translated(position);
            Part part(Kind::Text, text);
            paint(part, bound.adjusted(-reach, -reach, reach, reach), [&](QPainter& painter) {
                painter.setFont(font);
                painter.drawText(position, text);
            });
        }
        void drawEllipse(const QRectF& rect) override
        {
            Part part(Kind::Ellipse, QString(), QLineF(), m_brush.style() != Qt::NoBrush);
            paint(part, rect, [&](QPainter& painter) { painter.drawEllipse(rect); });
        }
        void drawLines(const QLineF* lines, int count) override
        {
            for (int i = 0; i < count; ++i) {
                const QLineF line = lines[i];
                Part part(Kind::Line, QString(), line);
                paint(part, QRectF(line.p1(), line.p2()).normalized(),
                    [&](QPainter& painter) { painter.drawLine(line); });
            }
        }
        void drawRects(const QRectF* rects, int count) override
        {
            for (int i = 0; i < count; ++i) {
                const QRectF rect = rects[i];
                Part part(Kind::Rect, QString(), QLineF(), m_brush.style() != Qt::NoBrush);
                paint(part, rect, [&](QPainter& painter) { painter.drawRect(rect); });
            }
        }
        void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override
        {
            Part part(Kind::Picture);
            paint(part, rect, [&](QPainter& painter) { painter.drawPixmap(rect, pixmap, source); });
        }
        void drawPath(const QPainterPath& path) override
        {
            Part part(Kind::Shape);
            paint(
                part, path.controlPointRect(), [&](QPainter& painter) { painter.drawPath(path); });
        }
        void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
        {
            const QPolygonF polygon(QVector<QPointF>(points, points + count));
            Part part(Kind::Shape);
            paint(part, polygon.boundingRect(), [&](QPainter& painter) {
                if (mode == PolylineMode)
                    painter.drawPolyline(polygon);
                else
                    painter.drawPolygon(
                        polygon, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
            });
        }

    private:
        // Draws one call alone over its bound, widened by the pen, and keeps
        // the box of what it covered.
        template <class Draw> void paint(Part part, const QRectF& bound, Draw draw)
        {
            const qreal pen = m_pen.style() == Qt::NoPen ? 0 : qMax<qreal>(1, m_pen.widthF());
            const QRect area = m_transform.mapRect(bound.adjusted(-pen, -pen, pen, pen))
                                   .toAlignedRect()
                                   .adjusted(-2, -2, 2, 2);
            // One image for every call keeps one raster engine for them all.
            if (m_canvas.width() < area.width() || m_canvas.height() < area.height())
                m_canvas = QImage(
                    area.size().expandedTo(m_canvas.size()), QImage::Format_ARGB32_Premultiplied);
            const QRect used(QPoint(), area.size());
            QPainter painter(&m_canvas);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.fillRect(used, Qt::transparent);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter.setClipRect(used);
            painter.translate(-area.topLeft());
            painter.setTransform(m_transform, true);
            painter.setRenderHints(m_hints);
            painter.setPen(m_pen);
            painter.setBrush(m_brush);
            painter.setFont(m_font);
            draw(painter);
            painter.end();
            const QRect box = inkBox(m_canvas, area.size());
            if (box.isNull())
                return;
            part.box = box.translated(area.topLeft());
            m_parts->append(part);
        }

        QList<Part>* m_parts;
        QImage m_canvas;
        QPen m_pen;
        QBrush m_brush;
        QFont m_font;
        QTransform m_transform;
        QPainter::RenderHints m_hints;
    };

    mutable Engine m_engine;
};
