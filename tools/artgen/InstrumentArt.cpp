#include "InstrumentArt.h"

#include "BowedArt.h"
#include "InstrumentStrokes.h"

#include <QRadialGradient>
#include <QtMath>
#include <cmath>

namespace {

using namespace InstrumentStrokes;
using VADirur::TunerInstruments;
using Stringing = TunerInstruments::Stringing;

int leftHalf(int pegs)
{
    return (pegs + 1) / 2;
}

int rightHalf(int pegs)
{
    return pegs / 2;
}

void guitar(Canvas& c, const Stringing& s)
{
    const Box& b = c.b;
    drawNeck(c, 0.43, 0.57, 0.12, 0.55);
    drawHead(c, b.rect(0.4, 0.02, 0.6, 0.13), leftHalf(s.headPegs), rightHalf(s.headPegs));
    fillBody(c, unite({b.ellipse(0.5, 0.79, 0.46, 0.19), b.ellipse(0.5, 0.58, 0.36, 0.15)}),
        QColor(240, 180, 90), QColor(150, 80, 25));
    drawHole(c, b.circle(0.5, 0.62, 0.14));
    drawBridge(c, b.rect(0.36, 0.82, 0.64, 0.85));
    drawStrings(c, {s.notes, s.stringsPerNote, 0.45, 0.55, 0.1, 0.835});
}

// A solid body with two horns, a pickup and its machine heads in one row
// down the head's left side.
void bass(Canvas& c, const Stringing& s)
{
    const Box& b = c.b;
    drawNeck(c, 0.44, 0.56, 0.12, 0.66);
    const QRectF head = b.rect(0.44, 0.0, 0.6, 0.125);
    c.p.setPen(QPen(shade(QColor(25, 12, 4), c.k), qMax(0.8, head.width() / 20)));
    c.p.setBrush(shade(QColor(45, 24, 12), c.k));
    c.p.drawRoundedRect(head, head.width() * 0.3, head.width() * 0.3);
    for (int i = 0; i < s.headPegs; ++i)
        drawMachine(c,
            QPointF(head.left(), head.top() + head.height() * (i + 0.7) / (s.headPegs + 0.4)),
            qMin(head.width() * 0.4, head.height() / s.headPegs * 0.9), -1);
    fillBody(c,
        unite({b.ellipse(0.5, 0.83, 0.42, 0.14), b.ellipse(0.5, 0.71, 0.33, 0.12),
            b.ellipse(0.28, 0.62, 0.11, 0.08), b.ellipse(0.7, 0.6, 0.1, 0.09)}),
        QColor(200, 40, 40), QColor(90, 10, 10));
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(shade(QColor(20, 20, 20), c.k));
    c.p.drawRoundedRect(b.rect(0.38, 0.72, 0.62, 0.75), 2, 2);
    drawBridge(c, b.rect(0.4, 0.86, 0.6, 0.89));
    drawStrings(c, {s.notes, s.stringsPerNote, 0.465, 0.535, 0.1, 0.875});
}

void ukulele(Canvas& c, const Stringing& s)
{
    const Box& b = c.b;
    drawNeck(c, 0.43, 0.57, 0.25, 0.6);
    drawHead(c, b.rect(0.4, 0.14, 0.6, 0.26), leftHalf(s.headPegs), rightHalf(s.headPegs));
    fillBody(c, unite({b.ellipse(0.5, 0.8, 0.38, 0.15), b.ellipse(0.5, 0.64, 0.29, 0.12)}),
        QColor(245, 205, 130), QColor(175, 110, 45));
    drawHole(c, b.circle(0.5, 0.67, 0.12));
    drawBridge(c, b.rect(0.38, 0.84, 0.62, 0.87));
    drawStrings(c, {s.notes, s.stringsPerNote, 0.46, 0.54, 0.24, 0.855});
}

// A skin stretched over a metal rim held by hooks all round; the short
// fifth string starts at a peg on the neck, five frets down.
void banjo(Canvas& c, const Stringing& s)
{
    const Box& b = c.b;
    const qreal neckTop = 0.1;
    const qreal neckBottom = 0.62;
    drawNeck(c, 0.44, 0.56, neckTop, neckBottom);
    drawHead(c, b.rect(0.41, 0.01, 0.59, 0.11), leftHalf(s.headPegs), rightHalf(s.headPegs));
    const qreal fifthFret = neckTop + (neckBottom - neckTop) * fretAt(5);
    for (int i = 0; i < s.neckPegs; ++i)
        drawPeg(
            c, b.at(0.425, fifthFret + i * 0.03), b.r.width() * 0.03, b.r.width() * 0.021, true);
    const QRectF rim = b.circle(0.5, 0.77, 0.46);
    c.p.setPen(QPen(shade(QColor(40, 40, 40), c.k), rim.width() / 50));
    QRadialGradient metal(rim.center(), rim.width() / 2);
    metal.setColorAt(0.85, shade(QColor(120, 120, 125), c.k));
    metal.setColorAt(0.93, shade(QColor(235, 235, 240), c.k));
    metal.setColorAt(1.0, shade(QColor(90, 90, 95), c.k));
    c.p.setBrush(metal);
    c.p.drawEllipse(rim);
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(shade(QColor(60, 60, 64), c.k));
    const int hooks = 20;
    for (int i = 0; i < hooks; ++i) {
        const qreal angle = 2 * M_PI * i / hooks;
        const QPointF hook
            = rim.center() + QPointF(std::cos(angle), std::sin(angle)) * rim.width() * 0.455;
        c.p.drawEllipse(hook, rim.width() / 70, rim.width() / 70);
    }
    const QRectF skinArea = rim.adjusted(
        rim.width() * 0.09, rim.width() * 0.09, -rim.width() * 0.09, -rim.width() * 0.09);
    QRadialGradient skin(
        skinArea.center() - QPointF(skinArea.width() * 0.15, skinArea.height() * 0.15),
        skinArea.width() * 0.7);
    skin.setColorAt(0, shade(QColor(252, 248, 235), c.k));
    skin.setColorAt(1, shade(QColor(215, 205, 180), c.k));
    c.p.setBrush(skin);
    c.p.drawEllipse(skinArea);
    c.p.setBrush(shade(QColor(150, 150, 158), c.k));
    c.p.drawRoundedRect(b.rect(0.45, 0.9, 0.55, 0.985), 3, 3);
    drawBridge(c, b.rect(0.4, 0.8, 0.6, 0.82));
    drawStrings(c, {s.notes, s.stringsPerNote, 0.455, 0.545, 0.08, 0.9, s.neckPegs, fifthFret});
}

// A round-backed body under a tailpiece; each note on a pair of strings.
void mandolin(Canvas& c, const Stringing& s)
{
    const Box& b = c.b;
    drawNeck(c, 0.43, 0.57, 0.2, 0.55);
    drawHead(c, b.rect(0.39, 0.04, 0.61, 0.21), leftHalf(s.headPegs), rightHalf(s.headPegs));
    QPainterPath body;
    body.moveTo(b.at(0.5, 0.47));
    body.cubicTo(b.at(0.85, 0.52), b.at(0.98, 0.72), b.at(0.9, 0.84));
    body.cubicTo(b.at(0.8, 0.97), b.at(0.2, 0.97), b.at(0.1, 0.84));
    body.cubicTo(b.at(0.02, 0.72), b.at(0.15, 0.52), b.at(0.5, 0.47));
    fillBody(c, body, QColor(235, 150, 70), QColor(120, 45, 15));
    drawHole(c, b.ellipse(0.5, 0.64, 0.1, 0.035));
    drawBridge(c, b.rect(0.36, 0.8, 0.64, 0.825));
    c.p.setBrush(shade(QColor(190, 190, 196), c.k));
    c.p.drawRoundedRect(b.rect(0.42, 0.88, 0.58, 0.945), 3, 3);
    drawStrings(c, {s.notes, s.stringsPerNote, 0.44, 0.56, 0.19, 0.9});
}

void balalaika(Canvas& c, const Stringing& s)
{
    const Box& b = c.b;
    drawNeck(c, 0.44, 0.56, 0.14, 0.55);
    drawHead(c, b.rect(0.41, 0.04, 0.59, 0.15), leftHalf(s.headPegs), rightHalf(s.headPegs));
    QPainterPath body;
    body.moveTo(b.at(0.5, 0.48));
    body.quadTo(b.at(0.62, 0.52), b.at(0.97, 0.93));
    body.quadTo(b.at(0.5, 0.99), b.at(0.03, 0.93));
    body.quadTo(b.at(0.38, 0.52), b.at(0.5, 0.48));
    fillBody(c, body, QColor(250, 200, 110), QColor(160, 90, 30));
    drawHole(c, b.circle(0.5, 0.74, 0.08));
    drawBridge(c, b.rect(0.4, 0.86, 0.6, 0.885));
    drawStrings(c, {s.notes, s.stringsPerNote, 0.47, 0.53, 0.12, 0.875});
}

// A pear-shaped body, a long fretted neck and a narrow head.
void dombra(Canvas& c, const Stringing& s)
{
    const Box& b = c.b;
    drawNeck(c, 0.46, 0.54, 0.1, 0.58);
    drawHead(c, b.rect(0.44, 0.01, 0.56, 0.11), leftHalf(s.headPegs), rightHalf(s.headPegs));
    const std::vector<QPointF> pear = {
        {0.5, 0.0}, {0.62, 0.02}, {0.9, 0.25}, {0.95, 0.6}, {0.98, 0.9}, {0.72, 1.0}, {0.5, 1.0}};
    fillBody(c, mirroredOutline(Box {b.rect(0.1, 0.5, 0.9, 0.99)}, pear), QColor(240, 195, 120),
        QColor(150, 90, 35));
    drawHole(c, b.circle(0.5, 0.7, 0.06));
    drawBridge(c, b.rect(0.42, 0.86, 0.58, 0.875));
    drawStrings(c, {s.notes, s.stringsPerNote, 0.48, 0.52, 0.09, 0.95});
}

// Keys run across the long side of the rect.
void piano(QPainter& p, const QRectF& rect, qreal k)
{
    p.save();
    QRectF area = rect;
    if (rect.height() > rect.width()) {
        p.translate(rect.center());
        p.rotate(-90);
        area = QRectF(-rect.height() / 2, -rect.width() / 2, rect.height(), rect.width());
    }
    const qreal height = qMin(area.height(), area.width() * 0.75);
    const QRectF keys(area.left(), area.center().y() - height / 2, area.width(), height);
    const int whites = 7;
    const qreal w = keys.width() / whites;
    p.setPen(QPen(shade(QColor(20, 20, 20), k), qMax(0.8, w / 14)));
    for (int i = 0; i < whites; ++i) {
        QLinearGradient ivory(keys.topLeft(), keys.bottomLeft());
        ivory.setColorAt(0, shade(QColor(215, 215, 210), k));
        ivory.setColorAt(1, shade(QColor(255, 255, 250), k));
        p.setBrush(ivory);
        p.drawRoundedRect(QRectF(keys.left() + i * w, keys.top(), w, keys.height()), w / 8, w / 8);
    }
    static const bool hasBlack[] = {true, true, false, true, true, true, false};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < whites - 1; ++i) {
        if (!hasBlack[i])
            continue;
        const QRectF key(
            keys.left() + (i + 1) * w - w * 0.3, keys.top(), w * 0.6, keys.height() * 0.6);
        QLinearGradient ebony(key.topLeft(), key.topRight());
        ebony.setColorAt(0, shade(QColor(10, 10, 10), k));
        ebony.setColorAt(0.5, shade(QColor(70, 70, 75), k));
        ebony.setColorAt(1, shade(QColor(10, 10, 10), k));
        p.setBrush(ebony);
        p.drawRoundedRect(key, w / 10, w / 10);
    }
    p.restore();
}

using Plucked = void (*)(Canvas&, const Stringing&);

Plucked pluckedDrawing(TunerInstruments::Instrument instrument)
{
    switch (instrument) {
    case TunerInstruments::Guitar:
        return guitar;
    case TunerInstruments::BassGuitar:
        return bass;
    case TunerInstruments::Ukulele:
        return ukulele;
    case TunerInstruments::Banjo:
        return banjo;
    case TunerInstruments::Mandolin:
        return mandolin;
    case TunerInstruments::Balalaika:
        return balalaika;
    case TunerInstruments::Dombra:
        return dombra;
    default:
        return nullptr;
    }
}

} // namespace

namespace InstrumentArt {

QString drawingName(TunerInstruments::Instrument instrument)
{
    return instrument == TunerInstruments::BassGuitar ? QStringLiteral("bass")
                                                      : TunerInstruments::key(instrument);
}

Drawn draw(QPainter& painter, const QRectF& rect, const QString& instrument, qreal brightness)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    Canvas canvas {painter, {rect}, brightness, {}};
    if (instrument == QLatin1String("piano"))
        piano(painter, rect, brightness);
    for (TunerInstruments::Instrument tuned : TunerInstruments::all()) {
        if (drawingName(tuned) != instrument)
            continue;
        const Stringing stringing = TunerInstruments::stringing(tuned);
        if (const Plucked plucked = pluckedDrawing(tuned))
            plucked(canvas, stringing);
        else
            BowedArt::draw(canvas, instrument, stringing);
    }
    painter.restore();
    return canvas.drawn;
}

} // namespace InstrumentArt
