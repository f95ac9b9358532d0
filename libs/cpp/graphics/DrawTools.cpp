#include "DrawTools.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QRadialGradient>
#include <QSysInfo>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace DAvuroD {

namespace {

constexpr int HueWindow = 9;
constexpr int BytesPerPixel = 4;

// Scales a saturation or value by to / from; a zero `from` takes `to` itself.
int rescaled(int component, int from, int to)
{
    if (from == 0)
        return to;
    const float factor = float(to) / float(from);
    return std::clamp(int(float(component) * factor), 0, 255);
}

// The smoothing weight out of 16: 16 follows the picture exactly, 1 blurs most.
int blurStrength(int radius)
{
    static constexpr int table[17] = {14, 10, 8, 6, 5, 5, 4, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2};
    if (radius <= 0)
        return 16;
    if (radius >= 18)
        return 1;
    return table[radius - 1];
}

// Accumulators in 16-fold fixed point; the division truncates towards zero.
inline void follow(int& acc, uchar& byte, int alpha)
{
    acc += ((int(byte) * 16 - acc) * alpha) / 16;
    byte = uchar(acc >> 4);
}

// The bytes of a pixel that a pass handles: all four, or the alpha byte alone.
struct ByteSpan
{
    int first;
    int stride;
};

// Down (step +1) or up (step -1) every column of the span at once, one row at a time.
void columnPass(
    QImage& image, int c1, int c2, int fromRow, int toRow, int step, ByteSpan bytes, int alpha)
{
    const int begin = c1 * BytesPerPixel + bytes.first;
    const int end = (c2 + 1) * BytesPerPixel;
    std::vector<int> acc(size_t(end), 0);
    const uchar* start = image.constScanLine(fromRow);
    for (int i = begin; i < end; i += bytes.stride)
        acc[size_t(i)] = start[i] * 16;
    for (int row = fromRow + step; row != toRow + step; row += step) {
        uchar* line = image.scanLine(row);
        for (int i = begin; i < end; i += bytes.stride)
            follow(acc[size_t(i)], line[i], alpha);
    }
}

// Right (step +1) or left (step -1) along each row.
void rowPass(
    QImage& image, int r1, int r2, int fromCol, int toCol, int step, ByteSpan bytes, int alpha)
{
    for (int row = r1; row <= r2; ++row) {
        uchar* line = image.scanLine(row);
        int acc[BytesPerPixel] = {};
        for (int b = bytes.first; b < BytesPerPixel; b += bytes.stride)
            acc[b] = line[fromCol * BytesPerPixel + b] * 16;
        for (int col = fromCol + step; col != toCol + step; col += step) {
            uchar* pixel = line + col * BytesPerPixel;
            for (int b = bytes.first; b < BytesPerPixel; b += bytes.stride)
                follow(acc[b], pixel[b], alpha);
        }
    }
}

} // namespace

QImage DrawTools::colorizeImage(const QImage& image, const QColor& from, const QColor& to)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    int hf, sf, vf, ht, st, vt;
    from.getHsv(&hf, &sf, &vf);
    to.getHsv(&ht, &st, &vt);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            int h, s, v, a;
            QColor::fromRgba(line[x]).getHsv(&h, &s, &v, &a);
            const int dh = h - hf;
            if (std::abs(dh) > HueWindow)
                continue;
            // The hue wraps at 359, so it stays within 0..358.
            line[x] = QColor::fromHsv(
                (dh + ht + 359) % 359, rescaled(s, sf, st), rescaled(v, vf, vt), a)
                          .rgba();
        }
    }
    return result.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage DrawTools::blurred(const QImage& image, const QRect& rect, int radius, bool alphaOnly)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect area = rect.normalized();
    const int c1 = std::max(area.left(), 0);
    const int c2 = std::min(area.right(), result.width() - 1);
    const int r1 = std::max(area.top(), 0);
    const int r2 = std::min(area.bottom(), result.height() - 1);
    if (c1 > c2 || r1 > r2)
        return result;
    const int alphaByte = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? 3 : 0;
    const ByteSpan bytes = alphaOnly ? ByteSpan {alphaByte, BytesPerPixel} : ByteSpan {0, 1};
    const int alpha = blurStrength(radius);
    columnPass(result, c1, c2, r1, r2, 1, bytes, alpha);
    rowPass(result, r1, r2, c1, c2, 1, bytes, alpha);
    columnPass(result, c1, c2, r2, r1, -1, bytes, alpha);
    rowPass(result, r1, r2, c2, c1, -1, bytes, alpha);
    return result;
}

void DrawTools::drawInfo(QPainter* painter, const QPoint& pos, const QString& text,
    const QFont& font, const QColor& color, bool whitePen, float opacity)
{
    painter->save();
    painter->setFont(font);
    const QFontMetrics metrics(font);
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    const QRect textRect(pos, QPoint(pos.x() + w + 11, pos.y() + h + 2));

    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setOpacity(0.6);
    painter->setBrush(QBrush(Qt::black));
    painter->drawRoundedRect(QRect(pos, QSize(w + 15, h + 6)), 100, 100, Qt::RelativeSize);

    painter->setOpacity(opacity);
    const QPointF centre = pos + QPoint(2, 2);
    QRadialGradient gradient(centre, w + 12, centre);
    gradient.setColorAt(0.0, Qt::white);
    gradient.setColorAt(1.0, color);
    painter->setBrush(gradient);
    if (whitePen)
        painter->setPen(Qt::white);
    painter->drawRoundedRect(textRect, 100, 100, Qt::RelativeSize);

    painter->setPen(Qt::white);
    painter->drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter, text);
    painter->restore();
}

} // namespace DAvuroD
