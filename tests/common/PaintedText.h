#pragma once

#include <QImage>
#include <QPaintEngine>
#include <QWidget>

// The text a widget paints, line by line, with font and baseline start: the
// widget renders onto a picture whose engine keeps only the text.
class PaintedText : public QImage
{
public:
    struct Line
    {
        QString text;
        QFont font;
        QPointF position;
    };

    explicit PaintedText(QWidget* widget)
        : QImage(widget->size(), QImage::Format_ARGB32)
        , m_engine(&lines)
    {
        widget->render(this);
    }

    QList<Line> lines;

    QPaintEngine* paintEngine() const override
    {
        return &m_engine;
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(QList<Line>* lines)
            : QPaintEngine(AllFeatures)
            , m_lines(lines)
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
        void drawTextItem(const QPointF& position, const QTextItem& item) override
        {
            m_lines->append({item.text(), item.font(), position});
        }
        void updateState(const QPaintEngineState&) override { }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
        void drawPath(const QPainterPath&) override { }
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override { }
        Type type() const override
        {
            return User;
        }

    private:
        QList<Line>* m_lines;
    };

    mutable Engine m_engine;
};
