// The maker's logo of the About box and the picture behind the
// video-introduction offer.
#include "ArtImage.h"
#include "ArtRegistry.h"
#include "ArtWriter.h"
#include "DialogPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor accent(0, 160, 224);

// A ring with a note stem through its lower right: a Q that is also a note.
void drawMakerEmblem(QPainter& p, const QRectF& box)
{
    const qreal pen = box.width() * 0.13;
    const QRectF ring = box.adjusted(pen, pen, -pen, -pen);
    p.setPen(QPen(accent, pen, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(ring, 0, 360 * 16);
    const QPointF foot = ring.center() + QPointF(ring.width() * 0.2, ring.height() * 0.2);
    const QPointF tail = box.bottomRight() + QPointF(-pen * 0.2, -pen * 0.2);
    p.setPen(QPen(Qt::white, pen * 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(foot, tail);
}

// Small enough to stand under three lines of text in the About box.
QImage makerLogo()
{
    const int scale = 4;
    const QSize size(116, 20);
    QImage image = ArtImage::blank(size.width() * scale, size.height() * scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    drawMakerEmblem(p, QRectF(1, 1.5, 17, 17));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(23, 0, 93, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("QUELMAR"));
    p.end();
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Dark blue with a soft light, a film strip's edges and a large, faint play sign.
QImage linkBackground()
{
    QImage image(360, 177, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 0, 177);
    back.setColorAt(0, QColor(22, 38, 66));
    back.setColorAt(1, QColor(8, 14, 28));
    p.fillRect(image.rect(), back);
    QRadialGradient glow(QPointF(250, 60), 220);
    glow.setColorAt(0, QColor(0, 160, 224, 90));
    glow.setColorAt(1, QColor(0, 160, 224, 0));
    p.fillRect(image.rect(), glow);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawRect(QRectF(0, 0, 360, 14));
    p.drawRect(QRectF(0, 163, 360, 14));
    p.setBrush(QColor(255, 255, 255, 40));
    for (int x = 6; x < 360; x += 20) {
        p.drawRoundedRect(QRectF(x, 3, 10, 8), 2, 2);
        p.drawRoundedRect(QRectF(x, 166, 10, 8), 2, 2);
    }

    const QPointF centre(300, 120);
    p.setBrush(QColor(255, 255, 255, 28));
    p.drawEllipse(centre, 38, 38);
    QPainterPath play;
    play.moveTo(centre + QPointF(-12, -18));
    play.lineTo(centre + QPointF(20, 0));
    play.lineTo(centre + QPointF(-12, 18));
    play.closeSubpath();
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawPath(play);
    p.end();
    return image;
}

ArtRegistry::Entry entry("dialogs", [](ArtWriter& writer) {
    using namespace DORuverud;
    writer.saveResource(DialogPictures::makerLogo(), makerLogo());
    writer.saveResource(DialogPictures::linkBackground(), linkBackground(), 92);
});

} // namespace
