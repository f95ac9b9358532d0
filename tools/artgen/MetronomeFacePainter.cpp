#include "MetronomeFacePainter.h"

#include "ArtImage.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace VADirur::MusicPagePictures;

namespace {

const int canvas = 800;
const QColor ink(34, 18, 10);
const QColor brass(226, 182, 88);
const QPointF leftEye(346, 268);
const QPointF rightEye(454, 268);

// The metronome's case, narrow at the top.
QPainterPath bodyOutline()
{
    QPainterPath body;
    body.addPolygon(QPolygonF({{352, 64}, {448, 64}, {672, 790}, {128, 790}}));
    body.closeSubpath();
    return body;
}

void paintBody(QPainter& p)
{
    QLinearGradient wood(128, 0, 672, 0);
    wood.setColorAt(0, QColor(70, 28, 14));
    wood.setColorAt(0.35, QColor(150, 72, 34));
    wood.setColorAt(0.5, QColor(172, 88, 44));
    wood.setColorAt(1, QColor(62, 24, 12));
    p.setPen(QPen(brass, 4));
    p.setBrush(wood);
    p.drawPath(bodyOutline());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(brass.red(), brass.green(), brass.blue(), 220));
    p.drawRoundedRect(QRectF(372, 40, 56, 30), 10, 10);
    p.save();
    p.setClipPath(bodyOutline(), Qt::IntersectClip);
    // The scale window where the pendulum swings, below the face.
    p.setBrush(QColor(20, 10, 6, 200));
    p.drawPolygon(QPolygonF({{352, 430}, {448, 430}, {560, 760}, {240, 760}}));
    p.setBrush(QColor(240, 120, 110, 60));
    p.drawEllipse(QPointF(290, 338), 34, 20);
    p.drawEllipse(QPointF(510, 338), 34, 20);
    p.restore();
}

// Paints the body again over the face's part, hiding the base's features.
void coverFace(QPainter& p)
{
    p.save();
    p.setClipRect(QRectF(250, 196, 300, 200));
    paintBody(p);
    p.restore();
}

void paintOpenEyes(QPainter& p, double look)
{
    for (const QPointF& eye : {leftEye, rightEye}) {
        p.setPen(QPen(ink, 5));
        p.setBrush(QColor(252, 250, 244));
        p.drawEllipse(eye, 46, 54);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        const QPointF pupil = eye + QPointF(look * 20, 6);
        p.drawEllipse(pupil, 22, 24);
        p.setBrush(Qt::white);
        p.drawEllipse(pupil + QPointF(-8, -10), 7, 7);
    }
}

void paintClosedEyes(QPainter& p)
{
    p.setPen(QPen(ink, 7, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (const QPointF& eye : {leftEye, rightEye}) {
        p.drawArc(QRectF(eye.x() - 40, eye.y() - 30, 80, 50), 200 * 16, 140 * 16);
        for (int lash = -1; lash <= 1; ++lash)
            p.drawLine(eye + QPointF(lash * 22, 22), eye + QPointF(lash * 30, 36));
    }
}

void paintHappyEyes(QPainter& p)
{
    p.setPen(QPen(ink, 9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (const QPointF& eye : {leftEye, rightEye})
        p.drawArc(QRectF(eye.x() - 40, eye.y() - 20, 80, 60), 20 * 16, 140 * 16);
}

void paintSmile(QPainter& p)
{
    p.setPen(QPen(ink, 7, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(350, 300, 100, 64), 200 * 16, 140 * 16);
}

void paintSinging(QPainter& p)
{
    p.setPen(QPen(ink, 5));
    p.setBrush(QColor(110, 20, 24));
    p.drawEllipse(QPointF(400, 356), 30, 28);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 110, 110));
    p.drawEllipse(QPointF(400, 372), 16, 8);
}

void paintZippedMouth(QPainter& p)
{
    p.setPen(QPen(ink, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(360, 352), QPointF(440, 352));
    p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap));
    for (int x = 368; x <= 432; x += 16)
        p.drawLine(QPointF(x, 342), QPointF(x, 362));
}

void paintBell(QPainter& p, bool ringing)
{
    p.save();
    p.translate(606, 150);
    p.rotate(ringing ? 18 : 0);
    QPainterPath bell;
    bell.moveTo(-44, 40);
    bell.cubicTo(-40, 0, -36, -46, 0, -48);
    bell.cubicTo(36, -46, 40, 0, 44, 40);
    bell.closeSubpath();
    QLinearGradient shine(-44, 0, 44, 0);
    shine.setColorAt(0, brass.darker(150));
    shine.setColorAt(0.35, brass.lighter(130));
    shine.setColorAt(1, brass.darker(170));
    p.setPen(QPen(brass.darker(220), 3));
    p.setBrush(shine);
    p.drawPath(bell);
    p.drawRoundedRect(QRectF(-52, 36, 104, 12), 6, 6);
    p.drawEllipse(QPointF(0, 58), 12, 12);
    p.drawEllipse(QPointF(0, -54), 9, 9);
    p.restore();
    if (!ringing)
        return;
    p.setPen(QPen(brass, 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int wave = 0; wave < 3; ++wave) {
        const double r = 72 + wave * 22;
        p.drawArc(QRectF(606 - r, 150 - r, 2 * r, 2 * r), -30 * 16, 60 * 16);
    }
}

// A small speaker, crossed out, on the metronome's forehead.
void paintMuteBadge(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 10, 6, 210));
    p.drawEllipse(QPointF(400, 150), 34, 34);
    QPainterPath speaker;
    speaker.moveTo(378, 140);
    speaker.lineTo(390, 140);
    speaker.lineTo(404, 126);
    speaker.lineTo(404, 174);
    speaker.lineTo(390, 160);
    speaker.lineTo(378, 160);
    speaker.closeSubpath();
    p.setBrush(QColor(240, 232, 214));
    p.drawPath(speaker);
    p.setPen(QPen(QColor(230, 60, 50), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(410, 138), QPointF(426, 162));
    p.drawLine(QPointF(426, 138), QPointF(410, 162));
}

void paintEyes(QPainter& p, MetronomeFace face)
{
    switch (face) {
    case BaseEyesLeft:
    case MuteEyesLeft:
        paintOpenEyes(p, -1);
        break;
    case EyesRight:
    case MuteEyesRight:
        paintOpenEyes(p, 1);
        break;
    case Beat:
    case MuteBeat:
        paintHappyEyes(p);
        break;
    default:
        paintClosedEyes(p);
    }
}

bool isMuted(MetronomeFace face)
{
    return face == MuteEyesLeft || face == MuteEyesRight || face == MuteBeat
        || face == EyesClosedMute;
}

} // namespace

QImage MetronomeFacePainter::paint(MetronomeFace face)
{
    QImage image = ArtImage::blank(canvas, canvas);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (face == BaseEyesLeft)
        paintBody(p);
    else
        coverFace(p);
    paintEyes(p, face);
    const bool beat = face == Beat || face == MuteBeat;
    if (isMuted(face)) {
        paintZippedMouth(p);
        paintMuteBadge(p);
    } else if (beat) {
        paintSinging(p);
    } else {
        paintSmile(p);
    }
    if (beat)
        paintBell(p, face == Beat);
    return image;
}
