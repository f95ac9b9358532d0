#pragma once

#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QWidget>

// The text a widget paints, line by line, with font and baseline start:
// the widget renders onto a device that keeps only its text.
class PaintedText : public QPaintDevice
{
public:
    struct Line
    {
        QString text;
        QFont font;
        QPointF position;
    };

    explicit PaintedText(QWidget* widget)
        : m_size(widget->size())
        , m_engine(&lines)
    {
        widget->render(this);
    }

    QString joined() const
    {
        QStringList texts;
        for (const Line& line : lines)
            texts << line.text;
        return texts.join(QLatin1Char('\n'));
    }

    QList<Line> lines;

    QPaintEngine* paintEngine() const override
    {
        return &m_engine;
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        default:
            return 0;
        }
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
        void updateState(const QPaintEngineState&) override { }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
        void drawPath(const QPainterPath&) override { }
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override { }
        void drawTextItem(const QPointF& position, const QTextItem& item) override
        {
            m_lines->append({item.text(), item.font(), position});
        }
        Type type() const override
        {
            return User;
        }

    private:
        QList<Line>* m_lines;
    };

    QSize m_size;
    mutable Engine m_engine;
};
