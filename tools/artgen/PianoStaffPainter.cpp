#include "PianoStaffPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

using VADirur::ChordSpelling;

namespace {

const int imageWidth = 400;
const int imageHeight = 300;
const double space = 14.0; // between staff lines
const double trebleTop = 84.0; // the F5 line
const double bassTop = trebleTop + 4 * space + 4 * space; // the A3 line
const double staffLeft = 24.0;
const double staffRight = imageWidth - 24.0;
const double noteX = 232.0;
const int middleC = 4 * 7; // diatonic position of C4

bool onTreble(int step)
{
    return step >= middleC;
}

// Steps up from the bottom line: E4 on the treble staff, G2 on the bass.
double yOf(int step)
{
    return onTreble(step) ? trebleTop + 4 * space - (step - 30) * space / 2
                          : bassTop + 4 * space - (step - 18) * space / 2;
}

// A smooth stroke through the points (Catmull-Rom), in staff spaces, y up.
QPainterPath spline(const QVector<QPointF>& points, const QPointF& origin)
{
    auto at = [&](int i) {
        const QPointF p = points.at(qBound(0, i, points.size() - 1));
        return QPointF(origin.x() + p.x() * space, origin.y() - p.y() * space);
    };
    QPainterPath path(at(0));
    for (int i = 0; i + 1 < points.size(); ++i) {
        const QPointF c1 = at(i) + (at(i + 1) - at(i - 1)) / 6.0;
        const QPointF c2 = at(i + 1) - (at(i + 2) - at(i)) / 6.0;
        path.cubicTo(c1, c2, at(i + 1));
    }
    return path;
}

void paintTrebleClef(QPainter* painter)
{
    const QPointF origin(staffLeft + 26, yOf(32)); // curl around the G line
    const QVector<QPointF> points = {{0.35, 0.05}, {0.0, 0.45}, {-0.55, 0.2}, {-0.75, -0.4},
        {-0.3, -1.0}, {0.45, -1.05}, {0.95, -0.45}, {0.85, 0.4}, {0.3, 1.15}, {-0.35, 1.9},
        {-0.55, 2.8}, {-0.25, 3.8}, {0.25, 4.45}, {0.45, 3.9}, {0.25, 3.1}, {0.0, 2.0}, {0.05, 0.8},
        {0.15, -0.6}, {0.25, -1.9}, {0.05, -2.5}, {-0.45, -2.45}};
    painter->setPen(QPen(Qt::black, space * 0.24, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(spline(points, origin));
    painter->setPen(Qt::NoPen);
    painter->setBrush(Qt::black);
    painter->drawEllipse(
        QPointF(origin.x() - 0.38 * space, origin.y() + 2.15 * space), 0.34 * space, 0.34 * space);
}

void paintBassClef(QPainter* painter)
{
    const QPointF origin(staffLeft + 14, yOf(18)); // the G2 line
    const QVector<QPointF> points = {
        {0.0, 3.0}, {0.25, 3.75}, {0.85, 3.92}, {1.4, 3.3}, {1.3, 2.3}, {0.8, 1.4}, {-0.1, 0.55}};
    painter->setPen(QPen(Qt::black, space * 0.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(spline(points, origin));
    painter->setPen(Qt::NoPen);
    painter->setBrush(Qt::black);
    const double r = 0.36 * space;
    painter->drawEllipse(QPointF(origin.x() + 0.15 * space, origin.y() - 3.0 * space), r, r);
    painter->drawEllipse(
        QPointF(origin.x() + 1.95 * space, origin.y() - 3.5 * space), 0.18 * space, 0.18 * space);
    painter->drawEllipse(
        QPointF(origin.x() + 1.95 * space, origin.y() - 2.5 * space), 0.18 * space, 0.18 * space);
}

void paintStaves(QPainter* painter)
{
    painter->setPen(QPen(Qt::black, 1.3));
    for (double top : {trebleTop, bassTop}) {
        for (int i = 0; i < 5; ++i)
            painter->drawLine(
                QPointF(staffLeft, top + i * space), QPointF(staffRight, top + i * space));
    }
    painter->drawLine(QPointF(staffLeft, trebleTop), QPointF(staffLeft, bassTop + 4 * space));
    painter->drawLine(QPointF(staffRight, trebleTop), QPointF(staffRight, bassTop + 4 * space));
    painter->setPen(QPen(Qt::black, 4));
    painter->drawLine(
        QPointF(staffLeft - 8, trebleTop), QPointF(staffLeft - 8, bassTop + 4 * space));
}

void paintLedgers(QPainter* painter, int step, double x)
{
    painter->setPen(QPen(Qt::black, 1.3));
    const int low = onTreble(step) ? 28 : 16; // first ledger below each staff
    const int high = onTreble(step) ? 40 : 28; // first ledger above each staff
    for (int line = low; line >= step; line -= 2)
        painter->drawLine(QPointF(x - space, yOf(line)), QPointF(x + space, yOf(line)));
    for (int line = high; line <= step; line += 2)
        painter->drawLine(QPointF(x - space, yOf(line)), QPointF(x + space, yOf(line)));
}

void paintWholeNote(QPainter* painter, double x, double y)
{
    painter->save();
    painter->translate(x, y);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Qt::black);
    painter->drawEllipse(QPointF(0, 0), space * 0.78, space * 0.52);
    painter->rotate(-35);
    painter->setBrush(Qt::white);
    painter->drawEllipse(QPointF(0, 0), space * 0.36, space * 0.24);
    painter->restore();
}

void paintAccidental(QPainter* painter, const ChordSpelling::Note& note, double x)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(int(space * 2.9));
    painter->setFont(font);
    painter->setPen(Qt::black);
    const QString text = ChordSpelling::name(note).mid(1);
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    painter->drawText(QPointF(x - width, yOf(note.step) + space * 0.7), text);
}

} // namespace

QImage PianoStaffPainter::paint(const QVector<ChordSpelling::Note>& chord)
{
    QImage image(imageWidth, imageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintStaves(&painter);
    paintTrebleClef(&painter);
    paintBassClef(&painter);

    QVector<ChordSpelling::Note> notes = chord;
    std::sort(notes.begin(), notes.end(),
        [](const ChordSpelling::Note& a, const ChordSpelling::Note& b) { return a.step < b.step; });
    // A second up from an unshifted note goes to the right of the stem side.
    QVector<double> xs;
    for (int i = 0; i < notes.size(); ++i) {
        const bool shifted = i > 0 && notes.at(i).step - notes.at(i - 1).step == 1
            && onTreble(notes.at(i).step) == onTreble(notes.at(i - 1).step)
            && xs.at(i - 1) == noteX;
        xs << (shifted ? noteX + space * 1.5 : noteX);
    }
    for (int i = 0; i < notes.size(); ++i) {
        paintLedgers(&painter, notes.at(i).step, xs.at(i));
        paintWholeNote(&painter, xs.at(i), yOf(notes.at(i).step));
    }
    // Accidentals from the top down, a new column when one would touch the last.
    QVector<QPair<double, double>> placed; // y, x of each accidental
    for (int i = notes.size() - 1; i >= 0; --i) {
        if (notes.at(i).accidental == 0)
            continue;
        const double y = yOf(notes.at(i).step);
        double x = noteX - space * 1.3;
        for (const auto& other : placed) {
            if (qAbs(other.first - y) < space * 2.6 && other.second <= x)
                x = other.second - space * 1.4;
        }
        paintAccidental(&painter, notes.at(i), x);
        placed << qMakePair(y, x);
    }
    return image;
}
