#include "PhotoTools.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QString>
#include <QtMath>

namespace PhotoTools {

Random::Random(quint32 seed)
    : m_state(seed ? seed : 0x9e3779b9u)
{
}

double Random::next()
{
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return (m_state & 0xffffff) / double(0x1000000);
}

double Random::range(double low, double high)
{
    return low + (high - low) * next();
}

quint32 seedOf(const QString& text)
{
    quint32 hash = 2166136261u;
    for (QChar c : text) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return hash;
}

void paintBackdrop(QPainter* painter, const QRectF& rect, quint32 seed)
{
    QRadialGradient ground(
        rect.center() + QPointF(-rect.width() * 0.15, -rect.height() * 0.2), rect.width() * 0.9);
    ground.setColorAt(0.0, QColor(74, 56, 44));
    ground.setColorAt(0.6, QColor(34, 26, 22));
    ground.setColorAt(1.0, QColor(12, 10, 9));
    painter->fillRect(rect, ground);

    Random random(seed);
    painter->save();
    painter->setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        const QPointF centre(rect.left() + random.range(0, rect.width()),
            rect.top() + random.range(0, rect.height()));
        const double radius = random.range(rect.width() * 0.05, rect.width() * 0.14);
        QRadialGradient light(centre, radius);
        const QColor warm(255, int(random.range(170, 220)), int(random.range(110, 160)));
        QColor inner = warm;
        inner.setAlpha(int(random.range(18, 40)));
        QColor outer = warm;
        outer.setAlpha(0);
        light.setColorAt(0.0, inner);
        light.setColorAt(0.8, inner);
        light.setColorAt(1.0, outer);
        painter->setBrush(light);
        painter->drawEllipse(centre, radius, radius);
    }
    painter->restore();
}

static void paintSoftShadow(QPainter* painter, const QRectF& box, int layers, int alpha)
{
    painter->setPen(Qt::NoPen);
    for (int i = layers; i > 0; --i) {
        const double grow = i * 1.6;
        painter->setBrush(QColor(0, 0, 0, alpha / layers));
        painter->drawEllipse(box.adjusted(-grow, -grow, grow, grow));
    }
}

void paintFinger(QPainter* painter, const QPointF& tip, const QPointF& from, double width)
{
    painter->save();
    const QLineF axis(tip, from);
    painter->translate(tip);
    painter->rotate(-axis.angle());
    const QRectF body(0, -width / 2, axis.length() + width, width);

    painter->setPen(Qt::NoPen);
    for (int i = 4; i > 0; --i) {
        painter->setBrush(QColor(0, 0, 0, 14));
        painter->drawRoundedRect(
            body.translated(3, 4).adjusted(-i, -i, i, i), width / 2 + i, width / 2 + i);
    }
    QLinearGradient skin(0, -width / 2, 0, width / 2);
    skin.setColorAt(0.0, QColor(160, 104, 80));
    skin.setColorAt(0.3, QColor(232, 180, 150));
    skin.setColorAt(0.55, QColor(222, 166, 136));
    skin.setColorAt(1.0, QColor(132, 82, 62));
    painter->setBrush(skin);
    painter->drawRoundedRect(body, width / 2, width / 2);
    // Knuckle creases.
    painter->setPen(QPen(QColor(120, 72, 56, 90), 1.2));
    for (double x = width * 1.6; x < axis.length(); x += width * 1.9) {
        painter->drawArc(QRectF(x, -width * 0.35, width * 0.3, width * 0.7), -70 * 16, 140 * 16);
        painter->drawArc(QRectF(x + 3, -width * 0.3, width * 0.3, width * 0.6), -60 * 16, 120 * 16);
    }
    painter->restore();
}

void paintFingertip(QPainter* painter, const QPointF& centre, double width, double height)
{
    painter->save();
    const QRectF box(centre.x() - width / 2, centre.y() - height / 2, width, height);
    paintSoftShadow(painter, box.translated(3, 4), 5, 110);

    QRadialGradient skin(box.center() + QPointF(-width * 0.18, -height * 0.22), width * 0.75);
    skin.setColorAt(0.0, QColor(250, 214, 190));
    skin.setColorAt(0.45, QColor(230, 170, 140));
    skin.setColorAt(0.85, QColor(186, 120, 94));
    skin.setColorAt(1.0, QColor(140, 86, 66));
    painter->setPen(QPen(QColor(110, 64, 48, 160), 1.0));
    painter->setBrush(skin);
    painter->drawEllipse(box);

    // The nail, lighter and glossy, toward the lower edge of the tip.
    const QRectF nail(
        box.left() + width * 0.24, box.top() + height * 0.52, width * 0.52, height * 0.36);
    QLinearGradient gloss(nail.topLeft(), nail.bottomLeft());
    gloss.setColorAt(0.0, QColor(246, 214, 206, 210));
    gloss.setColorAt(1.0, QColor(214, 160, 150, 210));
    painter->setPen(QPen(QColor(150, 96, 84, 150), 0.8));
    painter->setBrush(gloss);
    painter->drawRoundedRect(nail, width * 0.22, height * 0.16);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(255, 255, 255, 90));
    painter->drawEllipse(
        QRectF(box.left() + width * 0.22, box.top() + height * 0.14, width * 0.28, height * 0.18));
    painter->restore();
}

void paintLighting(QPainter* painter, const QRectF& rect)
{
    QRadialGradient vignette(rect.center(), qMax(rect.width(), rect.height()) * 0.72);
    vignette.setColorAt(0.0, QColor(0, 0, 0, 0));
    vignette.setColorAt(0.7, QColor(0, 0, 0, 30));
    vignette.setColorAt(1.0, QColor(0, 0, 0, 150));
    painter->fillRect(rect, vignette);

    QLinearGradient lamp(rect.topLeft(), rect.center());
    lamp.setColorAt(0.0, QColor(255, 240, 215, 55));
    lamp.setColorAt(1.0, QColor(255, 240, 215, 0));
    painter->fillRect(rect, lamp);
}

} // namespace PhotoTools
