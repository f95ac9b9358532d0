#include "SlideScenes.h"

#include "SlideDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

using namespace SlideDrawing;

namespace {

const QVector<int> cMajor {-1, 3, 2, 0, 1, 0};
const QVector<int> aMinor {-1, 0, 2, 2, 1, 0};
const QVector<int> gMinor7 {3, -1, 3, 3, 3, -1};

// Step 1: the selector with the guitar being chosen.
void chooseInstrument(QPainter& p, const QRectF& a)
{
    const QRectF inside = window(p, QRectF(a.center().x() - 310, a.top() + 40, 620, 290));
    const QStringList instruments {"piano", "guitar", "ukulele", "violin"};
    const qreal w = (inside.width() - 3 * 20) / 4;
    for (int i = 0; i < 4; ++i) {
        const QRectF tile(inside.left() + i * (w + 20), inside.top() + 14, w, inside.height() - 28);
        instrumentTile(p, tile, instruments[i], i == 1);
        if (i == 1) {
            highlight(p, tile.adjusted(-5, -5, 5, 5), 16);
            pointer(p, tile.center() + QPointF(24, 40), 34);
        }
    }
}

// Step 2: roots and types as two rows of keys, G and m7 chosen, and the result.
void chooseRootAndType(QPainter& p, const QRectF& a)
{
    const QRectF inside = window(p, QRectF(a.left() + 20, a.top() + 30, 470, 270));
    const QStringList roots {"C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"};
    const QStringList types {"maj", "m", "7", "m7", "maj7", "dim", "aug", "sus4"};
    const qreal rootW = inside.width() / 6;
    for (int i = 0; i < roots.size(); ++i) {
        const QRectF key(
            inside.left() + (i % 6) * rootW + 3, inside.top() + 6 + (i / 6) * 50, rootW - 6, 42);
        chordCard(p, key, roots[i], roots[i] == QLatin1String("G"));
    }
    const qreal typeW = inside.width() / 4;
    for (int i = 0; i < types.size(); ++i) {
        const QRectF key(
            inside.left() + (i % 4) * typeW + 3, inside.top() + 128 + (i / 4) * 50, typeW - 6, 42);
        chordCard(p, key, types[i], types[i] == QLatin1String("m7"));
    }
    const QRectF result(a.left() + 530, a.top() + 40, 170, 240);
    arrow(p, QPointF(inside.right() + 26, result.center().y() + 20),
        QPointF(result.left() + 2, result.center().y() + 20),
        QPointF(inside.right() + 36, result.center().y() + 20));
    chordDiagram(p, result.adjusted(10, 50, -10, 0), gMinor7);
    label(p, QRectF(result.left(), result.top(), result.width(), 48), QStringLiteral("Gm7"), 36,
        ink(), true);
}

// Step 3: fretboard, keyboard and staff of one chord side by side.
void threeViews(QPainter& p, const QRectF& a)
{
    const qreal w = 210;
    const qreal gap = (a.width() - 3 * w) / 4;
    const QRectF first(a.left() + gap, a.top() + 40, w, 250);
    chordDiagram(p, first, cMajor);
    const QRectF second = first.translated(w + gap, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 248, 240));
    p.drawRoundedRect(second, 8, 8);
    keyboard(p, second.adjusted(14, 70, -14, -70), 2, {0, 4, 7, 12});
    staff(p, second.translated(w + gap, 0), {-2, 0, 2});
    label(p, QRectF(a.left(), a.top() - 4, a.width(), 40), QStringLiteral("C"), 34, ink(), true);
    for (int i = 0; i < 3; ++i)
        highlight(p, first.translated(i * (w + gap), 0).adjusted(-4, -4, 4, 4), 10);
}

// Step 4: a chord with a large play button and sound waves.
void play(QPainter& p, const QRectF& a)
{
    const QRectF diagram(a.left() + 120, a.top() + 30, 200, 270);
    chordDiagram(p, diagram, aMinor);
    const QPointF centre(a.left() + 470, a.top() + 165);
    QRadialGradient ball(centre - QPointF(20, 20), 90);
    ball.setColorAt(0, accent().lighter(140));
    ball.setColorAt(1, accent().darker(140));
    p.setPen(Qt::NoPen);
    p.setBrush(ball);
    p.drawEllipse(centre, 62, 62);
    QPainterPath triangle;
    triangle.moveTo(centre + QPointF(-20, -30));
    triangle.lineTo(centre + QPointF(34, 0));
    triangle.lineTo(centre + QPointF(-20, 30));
    triangle.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(triangle);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        QColor wave = accent().lighter(130);
        wave.setAlpha(220 - i * 55);
        p.setPen(QPen(wave, 6, Qt::SolidLine, Qt::RoundCap));
        const qreal r = 62 + i * 30;
        p.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), -40 * 16, 80 * 16);
    }
    pointer(p, centre + QPointF(26, 30), 34);
}

// Step 5: cards in a strip; one more is dragged into the gap.
void buildSequence(QPainter& p, const QRectF& a)
{
    const QRectF inside = window(p, QRectF(a.left() + 30, a.top() + 120, 660, 170));
    const QStringList names {"C", "Am", "F", ""};
    for (int i = 0; i < 4; ++i) {
        const QRectF card(inside.left() + 10 + i * 155, inside.top() + 14, 140, 90);
        if (names[i].isEmpty()) {
            p.setPen(QPen(accent().lighter(130), 2, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(card, 10, 10);
            continue;
        }
        chordCard(p, card, names[i], false);
    }
    const QRectF dragged(a.left() + 520, a.top() + 6, 140, 90);
    p.setOpacity(0.92);
    chordCard(p, dragged, QStringLiteral("G"), true);
    p.setOpacity(1);
    arrow(p, dragged.bottomLeft() + QPointF(40, 6),
        QPointF(inside.left() + 10 + 3 * 155 + 70, inside.top() + 10),
        QPointF(dragged.left() + 30, dragged.bottom() + 30), true);
    pointer(p, dragged.center() + QPointF(10, 8), 32);
}

// Step 6: a sequence and the same sequence two semitones higher.
void transpose(QPainter& p, const QRectF& a)
{
    const QStringList before {"C", "Am", "F", "G"};
    const QStringList after {"D", "Bm", "G", "A"};
    for (int i = 0; i < 4; ++i) {
        chordCard(p, QRectF(a.left() + 90 + i * 120, a.top() + 20, 100, 76), before[i], false);
        chordCard(p, QRectF(a.left() + 90 + i * 120, a.top() + 230, 100, 76), after[i], true);
    }
    const QRectF badge(a.left() + 580, a.top() + 128, 110, 64);
    chordCard(p, badge, QStringLiteral("+2"), true);
    highlight(p, badge.adjusted(-4, -4, 4, 4), 12);
    for (int i = 0; i < 4; ++i) {
        const qreal x = a.left() + 140 + i * 120;
        arrow(p, QPointF(x, a.top() + 108), QPointF(x, a.top() + 216),
            QPointF(x + 16, a.top() + 162));
    }
}

void star(QPainter& p, const QPointF& centre, qreal r, bool filled)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const qreal radius = i % 2 ? r * 0.45 : r;
        const QPointF at = centre + QPointF(qCos(angle), qSin(angle)) * radius;
        i ? path.lineTo(at) : path.moveTo(at);
    }
    path.closeSubpath();
    p.setPen(QPen(QColor(255, 196, 40), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(filled ? QColor(255, 196, 40) : QColor(0, 0, 0, 0));
    p.drawPath(path);
}

// Step 7: a list of saved sequences, each with its star.
void favourites(QPainter& p, const QRectF& a)
{
    const QRectF inside = window(p, QRectF(a.left() + 110, a.top() + 10, 500, 310));
    const QStringList rows {"C  Am  F  G", "D  G  A  D", "Em  C  G  D", "Am  Dm  E  Am"};
    for (int i = 0; i < rows.size(); ++i) {
        const QRectF row(inside.left(), inside.top() + 8 + i * 62, inside.width(), 52);
        p.setPen(Qt::NoPen);
        p.setBrush(i == 1 ? QColor(0, 110, 170) : QColor(255, 255, 255, 14));
        p.drawRoundedRect(row, 8, 8);
        star(p, QPointF(row.left() + 30, row.center().y()), 14, i != 3);
        label(p, row.adjusted(60, 0, 0, 0), rows[i], 22, ink(), i == 1);
    }
    star(p, QPointF(a.right() - 60, a.top() + 60), 44, true);
}

// Step 8: a chord picture pulled from the window onto the desktop.
void dragOut(QPainter& p, const QRectF& a)
{
    const QRectF inside = window(p, QRectF(a.left() + 20, a.top() + 10, 320, 320));
    chordDiagram(p, inside.adjusted(40, 10, -40, -10), cMajor);
    const QRectF desk(a.left() + 430, a.top() + 40, 270, 260);
    p.setPen(QPen(QColor(255, 255, 255, 90), 2, Qt::DashLine));
    p.setBrush(QColor(255, 255, 255, 12));
    p.drawRoundedRect(desk, 16, 16);
    const QRectF page(desk.left() + 30, desk.top() + 24, 150, 200);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(page, 4, 4);
    p.setBrush(QColor(200, 204, 212));
    for (int i = 0; i < 6; ++i)
        p.drawRect(QRectF(page.left() + 14, page.top() + 18 + i * 14, i % 3 == 2 ? 80 : 120, 5));
    const QRectF ghost(page.left() + 50, page.top() + 100, 96, 120);
    p.setOpacity(0.9);
    chordDiagram(p, ghost, cMajor);
    p.setOpacity(1);
    arrow(p, QPointF(inside.right() - 20, inside.center().y()),
        QPointF(ghost.left() - 6, ghost.center().y()),
        QPointF(inside.right() + 60, inside.top() - 10), true);
    pointer(p, ghost.center() + QPointF(6, 10), 32);
}

// Step 9: the bar along the top with the introduction and help buttons lit.
void help(QPainter& p, const QRectF& a)
{
    const QRectF inside = window(p, QRectF(a.left() + 40, a.top() + 10, 640, 330));
    const QRectF bar(inside.left(), inside.top(), inside.width(), 64);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(24, 26, 31));
    p.drawRoundedRect(bar, 8, 8);
    const QStringList glyphs {"?", "i", "\u2709", "\u2605", "\u2630"};
    const qreal step = 66;
    for (int i = 0; i < glyphs.size(); ++i) {
        const QRectF button(bar.right() - step * (glyphs.size() - i) + 4, bar.top() + 8, 56, 48);
        chordCard(p, button, glyphs[i], i < 2);
        if (i < 2)
            highlight(p, button.adjusted(-4, -4, 4, 4), 12);
    }
    p.setBrush(QColor(255, 255, 255, 16));
    p.drawRoundedRect(QRectF(bar.left() + 10, bar.top() + 14, 150, 36), 6, 6);
    for (int i = 0; i < 3; ++i)
        chordDiagram(p, QRectF(inside.left() + 40 + i * 200, inside.top() + 90, 150, 170),
            i == 0       ? cMajor
                : i == 1 ? aMinor
                         : gMinor7);
    pointer(p, QPointF(bar.right() - step * 4 + 40, bar.top() + 40), 36);
}

} // namespace

namespace SlideScenes {

void paint(QPainter& painter, const QRectF& area, int step)
{
    using Scene = void (*)(QPainter&, const QRectF&);
    static const Scene scenes[] = {chooseInstrument, chooseRootAndType, threeViews, play,
        buildSequence, transpose, favourites, dragOut, help};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    scenes[step](painter, area);
    painter.restore();
}

} // namespace SlideScenes
