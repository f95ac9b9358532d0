#pragma once

#include "ImageProcess.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVector>

#include <algorithm>

// An 8-bit surface that records every pixel drawn on it, in order, also
// those that fall outside it.
class Canvas : public DAvuroD::ImageProcess
{
public:
    Canvas(int width, int height, int colour = 0)
        : ImageProcess(8, width, height, colour)
    {
    }

    void putPixel(int x, int y, int color) const override
    {
        m_plotted << QPoint(x, y);
        ImageProcess::putPixel(x, y, color);
    }

    // The plotted pixels as "x,y x,y ...", in drawing order or as a set
    // ordered by row, then column.
    QString plotted(bool ordered) const
    {
        QVector<QPoint> points = m_plotted;
        if (!ordered) {
            std::sort(points.begin(), points.end(), [](QPoint a, QPoint b) {
                return std::make_pair(a.y(), a.x()) < std::make_pair(b.y(), b.x());
            });
            points.erase(std::unique(points.begin(), points.end()), points.end());
        }
        QStringList texts;
        for (const QPoint& p : points)
            texts << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
        return texts.join(QLatin1Char(' '));
    }

    QVector<int> pixels() const
    {
        QVector<int> all;
        for (int y = 0; y < m_nHeight; ++y) {
            for (int x = 0; x < m_nWidth; ++x)
                all << getPixel(x, y);
        }
        return all;
    }

private:
    mutable QVector<QPoint> m_plotted;
};
