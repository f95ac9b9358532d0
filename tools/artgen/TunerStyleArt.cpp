// The rest of what the tuner's style sheet and App menu name: the dialogs'
// background, the menu indicator of its buttons and the Share icon.
#include "ArtImage.h"
#include "ArtRegistry.h"
#include "ArtWriter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

// Large enough that the dialogs never show it repeat: a blue light from the
// top left fading into black, crossed by a few faint strings.
QImage dialogBackground()
{
    const int width = 960;
    const int height = 720;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient light(QPointF(width * 0.2, height * 0.1), width * 0.9);
    light.setColorAt(0, QColor(40, 48, 86));
    light.setColorAt(0.6, QColor(14, 14, 22));
    light.setColorAt(1, QColor(4, 4, 6));
    p.fillRect(image.rect(), light);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(200, 200, 220, 22 - i * 4), 1.5 + i * 0.5));
        p.drawLine(
            QPointF(0, height * (0.55 + i * 0.08)), QPointF(width, height * (0.35 + i * 0.1)));
    }
    return image;
}

// The 9 x 9 arrow under a button that opens a menu.
QImage menuArrow()
{
    QImage image = ArtImage::blank(9, 9);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(211, 211, 211));
    p.drawPolygon(QPolygonF({QPointF(0.5, 2), QPointF(8.5, 2), QPointF(4.5, 7.5)}));
    return image;
}

// A raised thumb.
void recommend(QPainter* p)
{
    const QColor cuff(60, 120, 200);
    p->setPen(QPen(cuff.darker(160), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->setBrush(cuff);
    p->drawRoundedRect(QRectF(6, 30, 12, 28), 3, 3);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(20, 28, 36, 30), 7, 7);
    QPainterPath thumb;
    thumb.moveTo(22, 32);
    thumb.lineTo(30, 10);
    thumb.cubicTo(32, 4, 41, 5, 40, 12);
    thumb.lineTo(38, 30);
    thumb.closeSubpath();
    const QColor skin(244, 190, 120);
    QLinearGradient shade(0, 6, 0, 58);
    shade.setColorAt(0, skin.lighter(115));
    shade.setColorAt(1, skin.darker(120));
    p->setPen(QPen(skin.darker(170), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->setBrush(shade);
    p->drawPath(hand.united(thumb));
    p->setPen(QPen(skin.darker(150), 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i < 4; ++i)
        p->drawLine(QPointF(42, 28 + i * 7.5), QPointF(54, 28 + i * 7.5));
}

void paintTunerStyle(ArtWriter& writer)
{
    writer.saveResource(QStringLiteral("aboutbackground.png"), dialogBackground());
    writer.saveResource(QStringLiteral("spinbox_button_dw.png"), menuArrow());
    ArtImage::saveIcons(writer, 64, {{QStringLiteral("recommend.png"), recommend}});
}

ArtRegistry::Entry entry("tuner style", paintTunerStyle);

} // namespace
