// The note finder's pictures: the keyboard and its 88 marked keyboards, the
// note head, the two clefs, the side panels and the accidental buttons.
#include "ArtImage.h"
#include "ArtRegistry.h"
#include "ArtWriter.h"
#include "ClefPainter.h"
#include "MusicPagePictures.h"
#include "PianoBoardPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Pictures = VADirur::MusicPagePictures;

namespace {

const QColor ink(24, 20, 16);
const QColor gold(214, 176, 96);

QImage noteHead()
{
    QImage image = ArtImage::blank(220, 120);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(110, 60);
    p.rotate(-22);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(0, 0), 92, 52);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(QPointF(-30, -22), 30, 12);
    return image;
}

using ClefPaint = void (*)(QPainter*, const QPointF&, double, const QColor&);

// A clef on a transparent square of so many staff spaces, 64 px each; the
// treble clef covers eight from the slot above its staff, the bass clef its
// staff's four.
QImage clef(int spaces, ClefPaint paint, const QPointF& at)
{
    const double space = 64;
    QImage image = ArtImage::blank(int(spaces * space), int(spaces * space));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paint(&p, at * space, space, ink);
    return image;
}

// A lacquered cheek of the piano's case with a gold inlay and a gold clef.
QImage sidePanel(bool treble)
{
    QImage image(300, 600, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient lacquer(0, 0, 300, 0);
    lacquer.setColorAt(0, QColor(10, 10, 12));
    lacquer.setColorAt(treble ? 0.3 : 0.7, QColor(48, 46, 50));
    lacquer.setColorAt(1, QColor(8, 8, 10));
    p.fillRect(image.rect(), lacquer);
    p.setPen(QPen(gold, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(26, 26, 248, 548), 18, 18);
    p.setPen(QPen(QColor(gold.red(), gold.green(), gold.blue(), 90), 1.5));
    p.drawRoundedRect(QRectF(36, 36, 228, 528), 12, 12);
    if (treble)
        ClefPainter::paintTreble(&p, QPointF(150, 250), 34, gold);
    else
        ClefPainter::paintBass(&p, QPointF(110, 260), 34, gold);
    return image;
}

void paintNatural(QPainter* p)
{
    QPainterPath sign;
    sign.moveTo(26, 14);
    sign.lineTo(26, 50);
    sign.moveTo(48, 24);
    sign.lineTo(48, 60);
    p->setPen(QPen(ink, 4, Qt::SolidLine, Qt::FlatCap));
    p->drawPath(sign);
    p->setPen(QPen(ink, 8, Qt::SolidLine, Qt::FlatCap));
    p->drawLine(QPointF(26, 32), QPointF(48, 26));
    p->drawLine(QPointF(26, 50), QPointF(48, 44));
}

void paintSharp(QPainter* p)
{
    p->setPen(QPen(ink, 4, Qt::SolidLine, Qt::FlatCap));
    p->drawLine(QPointF(30, 12), QPointF(30, 62));
    p->drawLine(QPointF(44, 10), QPointF(44, 60));
    p->setPen(QPen(ink, 8, Qt::SolidLine, Qt::FlatCap));
    p->drawLine(QPointF(20, 32), QPointF(54, 24));
    p->drawLine(QPointF(20, 50), QPointF(54, 42));
}

void paintFlat(QPainter* p)
{
    p->setPen(QPen(ink, 4, Qt::SolidLine, Qt::FlatCap));
    p->drawLine(QPointF(28, 8), QPointF(28, 62));
    QPainterPath bowl;
    bowl.moveTo(28, 44);
    bowl.cubicTo(36, 34, 54, 32, 52, 42);
    bowl.cubicTo(50, 50, 38, 56, 28, 62);
    p->setPen(QPen(ink, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->drawPath(bowl);
}

// A key cap: ivory, or lit amber when checked, with the sign on it.
ArtImage::IconPainter signButton(void (*sign)(QPainter*), bool checked)
{
    return [sign, checked](QPainter* p) {
        const QRectF cap(3, 3, 68, 68);
        QLinearGradient face(cap.topLeft(), cap.bottomLeft());
        face.setColorAt(0, checked ? QColor(255, 226, 150) : QColor(250, 246, 236));
        face.setColorAt(1, checked ? QColor(222, 160, 60) : QColor(214, 206, 188));
        p->setPen(QPen(checked ? QColor(150, 96, 30) : QColor(150, 140, 120), 2));
        p->setBrush(face);
        p->drawRoundedRect(cap, 12, 12);
        sign(p);
    };
}

ArtRegistry::Entry entry("note finder", [](ArtWriter& writer) {
    writer.saveResource(Pictures::noteHead(), noteHead());
    writer.saveResource(Pictures::trebleClef(), clef(8, ClefPainter::paintTreble, QPointF(2.0, 5)));
    writer.saveResource(Pictures::bassClef(), clef(4, ClefPainter::paintBass, QPointF(0.6, 4)));
    writer.saveResource(Pictures::leftSide(), sidePanel(true));
    writer.saveResource(Pictures::rightSide(), sidePanel(false));
    ArtImage::saveIcons(writer, 74,
        {{QStringLiteral("NaturalSign.png"), signButton(paintNatural, false)},
            {QStringLiteral("NaturalSign_checked.png"), signButton(paintNatural, true)},
            {QStringLiteral("SharpSign.png"), signButton(paintSharp, false)},
            {QStringLiteral("SharpSign_checked.png"), signButton(paintSharp, true)},
            {QStringLiteral("FlatSign.png"), signButton(paintFlat, false)},
            {QStringLiteral("FlatSign_checked.png"), signButton(paintFlat, true)}});

    const QImage keyboard = PianoBoardPainter::paintKeyboard();
    writer.saveResource(Pictures::keyboard(), keyboard);
    for (int key = 1; key <= 88; ++key)
        writer.saveResource(Pictures::markedKeyboard(QString::number(key)),
            PianoBoardPainter::paintMarked(keyboard, key));
});

} // namespace
