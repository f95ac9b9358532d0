// The metronome's base picture and faces, and the pictures of its style
// sheet: tempo buttons, the two switches, the beats menu and the lamps.
#include "ArtImage.h"
#include "ArtRegistry.h"
#include "ArtWriter.h"
#include "MetronomeFacePainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace Pictures = VADirur::MusicPagePictures;

namespace {

const QColor amber(255, 196, 92);
const QColor cream(244, 236, 220);

ArtImage::IconPainter tempoButton(bool plus, bool pressed)
{
    return [plus, pressed](QPainter* p) {
        QRadialGradient face(QPointF(34, 30), 44);
        face.setColorAt(0, pressed ? amber : amber.lighter(115));
        face.setColorAt(1, pressed ? amber.darker(190) : amber.darker(150));
        p->setPen(QPen(QColor(90, 54, 16), 3));
        p->setBrush(face);
        p->drawEllipse(QPointF(40, 40), 35, 35);
        p->setPen(QPen(QColor(50, 26, 6), 8, Qt::SolidLine, Qt::RoundCap));
        p->drawLine(QPointF(24, 40), QPointF(56, 40));
        if (plus)
            p->drawLine(QPointF(40, 24), QPointF(40, 56));
    };
}

void paintRoundPlate(QPainter* p)
{
    p->setPen(QPen(QColor(150, 112, 60), 2));
    p->setBrush(QColor(0, 0, 0, 150));
    p->drawRoundedRect(QRectF(3, 3, 74, 74), 12, 12);
}

ArtImage::IconPainter eyeSwitch(bool off)
{
    return [off](QPainter* p) {
        paintRoundPlate(p);
        QPainterPath eye;
        eye.moveTo(14, 40);
        eye.quadTo(40, off ? 52 : 14, 66, 40);
        if (!off)
            eye.quadTo(40, 66, 14, 40);
        p->setPen(QPen(off ? cream.darker(160) : cream, 4, Qt::SolidLine, Qt::RoundCap));
        p->setBrush(Qt::NoBrush);
        p->drawPath(eye);
        if (off)
            return;
        p->setPen(Qt::NoPen);
        p->setBrush(amber);
        p->drawEllipse(QPointF(40, 40), 10, 10);
    };
}

ArtImage::IconPainter speakerSwitch(bool off)
{
    return [off](QPainter* p) {
        paintRoundPlate(p);
        QPainterPath speaker;
        speaker.moveTo(14, 32);
        speaker.lineTo(24, 32);
        speaker.lineTo(38, 18);
        speaker.lineTo(38, 62);
        speaker.lineTo(24, 48);
        speaker.lineTo(14, 48);
        speaker.closeSubpath();
        p->setPen(Qt::NoPen);
        p->setBrush(off ? cream.darker(160) : cream);
        p->drawPath(speaker);
        p->setBrush(Qt::NoBrush);
        if (off) {
            p->setPen(QPen(QColor(230, 70, 60), 5, Qt::SolidLine, Qt::RoundCap));
            p->drawLine(QPointF(46, 30), QPointF(64, 50));
            p->drawLine(QPointF(64, 30), QPointF(46, 50));
            return;
        }
        p->setPen(QPen(amber, 4, Qt::SolidLine, Qt::RoundCap));
        p->drawArc(QRectF(30, 26, 24, 28), -50 * 16, 100 * 16);
        p->drawArc(QRectF(28, 16, 40, 48), -50 * 16, 100 * 16);
    };
}

// Four notes of a bar, the first one accented.
void paintBeatsPerBar(QPainter* p)
{
    paintRoundPlate(p);
    p->setPen(Qt::NoPen);
    for (int beat = 0; beat < 4; ++beat) {
        p->setBrush(beat == 0 ? amber : cream);
        const double r = beat == 0 ? 7 : 5;
        p->drawEllipse(QPointF(17 + beat * 15, 48), r, r);
    }
    p->setPen(QPen(cream, 3));
    p->drawLine(QPointF(10, 30), QPointF(70, 30));
}

void paintMenuArrow(QPainter* p)
{
    QPainterPath arrow;
    arrow.moveTo(2, 6);
    arrow.lineTo(18, 6);
    arrow.lineTo(10, 15);
    arrow.closeSubpath();
    p->setPen(Qt::NoPen);
    p->setBrush(cream);
    p->drawPath(arrow);
}

ArtImage::IconPainter lamp(bool lit)
{
    return [lit](QPainter* p) {
        p->setPen(QPen(QColor(90, 70, 40), 4));
        p->setBrush(QColor(24, 18, 12));
        p->drawEllipse(QPointF(50, 50), 44, 44);
        QRadialGradient glass(QPointF(42, 40), 40);
        glass.setColorAt(0, lit ? QColor(255, 246, 200) : QColor(90, 70, 50));
        glass.setColorAt(0.45, lit ? QColor(255, 168, 40) : QColor(60, 40, 26));
        glass.setColorAt(1, lit ? QColor(200, 70, 10) : QColor(30, 20, 14));
        p->setPen(Qt::NoPen);
        p->setBrush(glass);
        p->drawEllipse(QPointF(50, 50), 36, 36);
        p->setBrush(QColor(255, 255, 255, lit ? 150 : 50));
        p->drawEllipse(QPointF(38, 36), 10, 7);
    };
}

ArtRegistry::Entry entry("metronome", [](ArtWriter& writer) {
    for (int face = 0; face < Pictures::MetronomeFaceCount; ++face) {
        const auto which = Pictures::MetronomeFace(face);
        writer.saveResource(Pictures::metronomeFace(which), MetronomeFacePainter::paint(which));
    }
    ArtImage::saveIcons(writer, 80,
        {{QStringLiteral("TempoDec.png"), tempoButton(false, false)},
            {QStringLiteral("TempoDec_pressed.png"), tempoButton(false, true)},
            {QStringLiteral("TempoInc.png"), tempoButton(true, false)},
            {QStringLiteral("TempoInc_pressed.png"), tempoButton(true, true)},
            {QStringLiteral("VisibleTick.png"), eyeSwitch(false)},
            {QStringLiteral("VisibleTick_off.png"), eyeSwitch(true)},
            {QStringLiteral("AudibleTick.png"), speakerSwitch(false)},
            {QStringLiteral("AudibleTick_off.png"), speakerSwitch(true)},
            {QStringLiteral("BeatsPerBar.png"), paintBeatsPerBar}});
    ArtImage::saveIcons(writer, 20, {{QStringLiteral("BeatMenuArrow.png"), paintMenuArrow}});
    ArtImage::saveIcons(writer, 100,
        {{QStringLiteral("BeatLampOn.png"), lamp(true)},
            {QStringLiteral("BeatLampOff.png"), lamp(false)}});
});

} // namespace
