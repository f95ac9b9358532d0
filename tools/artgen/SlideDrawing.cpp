#include "SlideDrawing.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>

namespace SlideDrawing {

QColor accent()
{
    return QColor(0, 160, 224);
}

QColor panel()
{
    return QColor(44, 48, 56);
}

QColor ink()
{
    return QColor(236, 240, 245);
}

QRectF window(QPainter& p, const QRectF& rect)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(rect.translated(0, 6), 12, 12);
    QLinearGradient body(rect.topLeft(), rect.bottomLeft());
    body.setColorAt(0, QColor(56, 61, 71));
    body.setColorAt(1, QColor(38, 41, 48));
    p.setBrush(body);
    p.setPen(QPen(QColor(90, 96, 108), 1.2));
    p.drawRoundedRect(rect, 12, 12);
    const QRectF bar(rect.left(), rect.top(), rect.width(), 28);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 33, 39));
    QPainterPath top;
    top.addRoundedRect(bar.adjusted(0.6, 0.6, -0.6, 12), 12, 12);
    QPainterPath cut;
    cut.addRect(bar.adjusted(0, 28, 0, 40));
    p.drawPath(top.subtracted(cut));
    const QColor dots[] = {QColor(236, 95, 86), QColor(240, 190, 70), QColor(98, 196, 92)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(dots[i]);
        p.drawEllipse(QPointF(rect.left() + 18 + i * 18, rect.top() + 14), 5, 5);
    }
    p.restore();
    return rect.adjusted(14, 40, -14, -14);
}

void chordDiagram(QPainter& p, const QRectF& rect, const QVector<int>& frets)
{
    p.save();
    const int strings = frets.size();
    const int fretCount = 5;
    const QRectF grid = rect.adjusted(
        rect.width() * 0.12, rect.height() * 0.14, -rect.width() * 0.12, -rect.height() * 0.04);
    const qreal dx = grid.width() / (strings - 1);
    const qreal dy = grid.height() / fretCount;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 244, 232));
    p.drawRoundedRect(rect, 8, 8);
    p.setPen(QPen(QColor(60, 60, 66), 1.4));
    for (int s = 0; s < strings; ++s)
        p.drawLine(QPointF(grid.left() + s * dx, grid.top()),
            QPointF(grid.left() + s * dx, grid.bottom()));
    for (int f = 1; f <= fretCount; ++f)
        p.drawLine(
            QPointF(grid.left(), grid.top() + f * dy), QPointF(grid.right(), grid.top() + f * dy));
    p.setPen(QPen(QColor(40, 40, 44), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(grid.topLeft(), grid.topRight());
    const qreal r = qMin(dx, dy) * 0.34;
    for (int s = 0; s < strings; ++s) {
        const qreal x = grid.left() + s * dx;
        const QPointF above(x, grid.top() - r * 1.7);
        if (frets[s] > 0) {
            p.setPen(Qt::NoPen);
            p.setBrush(accent().darker(115));
            p.drawEllipse(QPointF(x, grid.top() + (frets[s] - 0.5) * dy), r, r);
        } else if (frets[s] == 0) {
            p.setPen(QPen(QColor(60, 60, 66), 1.6));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(above, r * 0.6, r * 0.6);
        } else {
            p.setPen(QPen(QColor(60, 60, 66), 1.6));
            const qreal c = r * 0.55;
            p.drawLine(above + QPointF(-c, -c), above + QPointF(c, c));
            p.drawLine(above + QPointF(-c, c), above + QPointF(c, -c));
        }
    }
    p.restore();
}

void keyboard(QPainter& p, const QRectF& rect, int octaves, const QVector<int>& lit)
{
    p.save();
    static const int whiteSemitones[] = {0, 2, 4, 5, 7, 9, 11};
    static const int blackSemitones[] = {1, 3, -1, 6, 8, 10, -1};
    const int whites = octaves * 7;
    const qreal w = rect.width() / whites;
    p.setPen(QPen(QColor(70, 70, 76), 1));
    for (int i = 0; i < whites; ++i) {
        const int semitone = (i / 7) * 12 + whiteSemitones[i % 7];
        p.setBrush(lit.contains(semitone) ? accent().lighter(130) : QColor(250, 250, 248));
        p.drawRoundedRect(QRectF(rect.left() + i * w, rect.top(), w, rect.height()), 3, 3);
    }
    for (int i = 0; i < whites; ++i) {
        const int black = blackSemitones[i % 7];
        if (black < 0 || i == whites - 1)
            continue;
        const int semitone = (i / 7) * 12 + black;
        p.setBrush(lit.contains(semitone) ? accent() : QColor(28, 28, 32));
        p.drawRoundedRect(
            QRectF(rect.left() + (i + 0.65) * w, rect.top(), w * 0.7, rect.height() * 0.6), 2, 2);
    }
    p.restore();
}

void staff(QPainter& p, const QRectF& rect, const QVector<int>& steps)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 248, 240));
    p.drawRoundedRect(rect, 8, 8);
    const qreal gap = rect.height() / 9;
    const qreal bottom = rect.top() + gap * 6.5;
    p.setPen(QPen(QColor(50, 50, 56), 1.3));
    for (int line = 0; line < 5; ++line) {
        const qreal y = bottom - line * gap;
        p.drawLine(QPointF(rect.left() + 12, y), QPointF(rect.right() - 12, y));
    }
    p.setPen(QPen(QColor(50, 50, 56), 3));
    p.drawLine(QPointF(rect.left() + 12, bottom), QPointF(rect.left() + 12, bottom - 4 * gap));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 34));
    const qreal x = rect.center().x() + gap;
    for (int step : steps) {
        const QPointF head(x, bottom - step * gap / 2);
        p.save();
        p.translate(head);
        p.rotate(-20);
        p.drawEllipse(QPointF(0, 0), gap * 0.62, gap * 0.45);
        p.restore();
    }
    if (steps.isEmpty()) {
        p.restore();
        return;
    }
    const int low = *std::min_element(steps.begin(), steps.end());
    const int top = *std::max_element(steps.begin(), steps.end());
    p.setPen(QPen(QColor(50, 50, 56), 1.3));
    for (int ledger = -2; ledger >= low; ledger -= 2)
        p.drawLine(QPointF(x - gap, bottom - ledger * gap / 2),
            QPointF(x + gap, bottom - ledger * gap / 2));
    p.setPen(QPen(QColor(30, 30, 34), 1.6));
    p.drawLine(QPointF(x + gap * 0.55, bottom - low * gap / 2),
        QPointF(x + gap * 0.55, bottom - top * gap / 2 - gap * 3.3));
    p.restore();
}

void chordCard(QPainter& p, const QRectF& rect, const QString& name, bool active)
{
    p.save();
    QLinearGradient back(rect.topLeft(), rect.bottomLeft());
    back.setColorAt(0, active ? accent().lighter(115) : QColor(74, 80, 92));
    back.setColorAt(1, active ? accent().darker(130) : QColor(52, 56, 66));
    p.setBrush(back);
    p.setPen(QPen(active ? accent().lighter(150) : QColor(100, 106, 118), 1.2));
    p.drawRoundedRect(rect, 10, 10);
    label(p, rect, name, int(rect.height() * 0.36), ink(), true);
    p.restore();
}

void pointer(QPainter& p, const QPointF& tip, qreal size)
{
    p.save();
    p.translate(tip);
    p.scale(size / 26.0, size / 26.0);
    QPainterPath shape;
    shape.moveTo(0, 0);
    shape.lineTo(0, 22);
    shape.lineTo(5.5, 17);
    shape.lineTo(9.5, 26);
    shape.lineTo(13, 24.5);
    shape.lineTo(9, 15.8);
    shape.lineTo(16, 15.8);
    shape.closeSubpath();
    p.setPen(QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(shape);
    p.restore();
}

void highlight(QPainter& p, const QRectF& rect, qreal radius)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = 4; i >= 1; --i) {
        QColor glow = accent();
        glow.setAlpha(34);
        p.setPen(QPen(glow, i * 4));
        p.drawRoundedRect(rect, radius, radius);
    }
    p.setPen(QPen(accent().lighter(130), 2.4));
    p.drawRoundedRect(rect, radius, radius);
    p.restore();
}

void arrow(QPainter& p, const QPointF& from, const QPointF& to, const QPointF& control, bool dashed)
{
    p.save();
    QPainterPath path(from);
    path.quadTo(control, to);
    QPen pen(accent().lighter(120), 4, dashed ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    const QPointF direction = to - control;
    const qreal angle = qAtan2(direction.y(), direction.x());
    QPainterPath head;
    head.moveTo(to + QPointF(qCos(angle), qSin(angle)) * 6);
    head.lineTo(to + QPointF(qCos(angle + 2.5), qSin(angle + 2.5)) * 16);
    head.lineTo(to + QPointF(qCos(angle - 2.5), qSin(angle - 2.5)) * 16);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(accent().lighter(120));
    p.drawPath(head);
    p.restore();
}

void label(QPainter& p, const QRectF& rect, const QString& text, int pixelSize,
    const QColor& colour, bool bold)
{
    p.save();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(rect, Qt::AlignCenter, text);
    p.restore();
}

namespace {

// A plucked or bowed instrument, neck up: body of two bouts, waist, neck, head.
void stringed(QPainter& p, const QRectF& rect, const QColor& wood, qreal neckShare, qreal waist)
{
    const qreal bodyTop = rect.top() + rect.height() * neckShare;
    const QRectF body(rect.left(), bodyTop, rect.width(), rect.bottom() - bodyTop);
    const qreal cx = body.center().x();
    QPainterPath upper;
    upper.addEllipse(
        QRectF(cx - body.width() * 0.36, body.top(), body.width() * 0.72, body.height() * 0.5));
    QPainterPath lower;
    lower.addEllipse(
        QRectF(body.left(), body.top() + body.height() * 0.36, body.width(), body.height() * 0.64));
    QPainterPath middle;
    middle.addRect(QRectF(cx - body.width() * waist / 2, body.top() + body.height() * 0.25,
        body.width() * waist, body.height() * 0.4));
    const QPainterPath outline = upper.united(lower).united(middle);
    const qreal neckWidth = rect.width() * 0.14;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 44, 28));
    p.drawRect(QRectF(
        cx - neckWidth / 2, rect.top() + rect.height() * 0.08, neckWidth, bodyTop - rect.top()));
    p.drawRoundedRect(
        QRectF(cx - neckWidth * 0.9, rect.top(), neckWidth * 1.8, rect.height() * 0.1), 3, 3);
    QLinearGradient shade(body.topLeft(), body.bottomRight());
    shade.setColorAt(0, wood.lighter(135));
    shade.setColorAt(1, wood.darker(130));
    p.setBrush(shade);
    p.setPen(QPen(wood.darker(170), 1.2));
    p.drawPath(outline);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 20, 14));
    p.drawEllipse(
        QPointF(cx, body.top() + body.height() * 0.55), body.width() * 0.13, body.width() * 0.13);
    p.setPen(QPen(QColor(230, 230, 225, 200), 0.8));
    for (int s = -1; s <= 1; ++s) {
        const qreal x = cx + s * neckWidth * 0.25;
        p.drawLine(QPointF(x, rect.top() + rect.height() * 0.08),
            QPointF(x, body.bottom() - body.height() * 0.12));
    }
}

} // namespace

void instrumentTile(QPainter& p, const QRectF& rect, const QString& instrument, bool chosen)
{
    p.save();
    QLinearGradient back(rect.topLeft(), rect.bottomLeft());
    back.setColorAt(0, chosen ? accent().lighter(110) : QColor(78, 84, 96));
    back.setColorAt(1, chosen ? QColor(0, 70, 140) : QColor(46, 50, 58));
    p.setBrush(back);
    p.setPen(QPen(chosen ? accent().lighter(160) : QColor(104, 110, 122), 1.5));
    p.drawRoundedRect(rect, 14, 14);
    const QRectF inner = rect.adjusted(
        rect.width() * 0.22, rect.height() * 0.1, -rect.width() * 0.22, -rect.height() * 0.1);
    if (instrument == QLatin1String("piano")) {
        const QRectF keys = rect.adjusted(
            rect.width() * 0.1, rect.height() * 0.3, -rect.width() * 0.1, -rect.height() * 0.3);
        keyboard(p, keys, 1, {});
    } else if (instrument == QLatin1String("guitar")) {
        stringed(p, inner, QColor(196, 128, 60), 0.42, 0.55);
    } else if (instrument == QLatin1String("ukulele")) {
        stringed(p,
            inner.adjusted(inner.width() * 0.12, inner.height() * 0.12, -inner.width() * 0.12, 0),
            QColor(214, 160, 90), 0.38, 0.62);
    } else {
        stringed(p, inner, QColor(150, 58, 30), 0.4, 0.4);
        p.setPen(QPen(QColor(220, 200, 160), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(
            QPointF(inner.left() - inner.width() * 0.1, inner.bottom() - inner.height() * 0.1),
            QPointF(inner.right() + inner.width() * 0.1, inner.top() + inner.height() * 0.35));
    }
    p.restore();
}

} // namespace SlideDrawing
