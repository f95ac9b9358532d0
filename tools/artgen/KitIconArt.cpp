// The community menu's network icons (simple glyphs of our own on round
// tiles) and the magnifier of the search line.
#include "ArtImage.h"
#include "ArtRegistry.h"
#include "KitPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const int iconSize = 64;

void tile(QPainter* p, const QColor& colour)
{
    QLinearGradient gradient(0, 4, 0, 60);
    gradient.setColorAt(0.0, colour.lighter(130));
    gradient.setColorAt(1.0, colour.darker(120));
    p->setPen(QPen(colour.darker(150), 2));
    p->setBrush(gradient);
    p->drawEllipse(QRectF(3, 3, 58, 58));
    p->setPen(Qt::NoPen);
    p->setBrush(Qt::white);
}

void person(QPainter* p, const QPointF& head, double scale)
{
    p->drawEllipse(head, 6 * scale, 6 * scale);
    QPainterPath body;
    body.addRoundedRect(QRectF(head.x() - 10 * scale, head.y() + 8 * scale, 20 * scale, 14 * scale),
        7 * scale, 7 * scale);
    p->drawPath(body);
}

// Two friends side by side.
void friends(QPainter* p)
{
    tile(p, QColor(66, 103, 178));
    p->setBrush(QColor(255, 255, 255, 170));
    person(p, QPointF(40, 22), 0.9);
    p->setBrush(Qt::white);
    person(p, QPointF(26, 25), 1.0);
}

// A strip of film.
void film(QPainter* p)
{
    tile(p, QColor(190, 40, 40));
    p->drawRoundedRect(QRectF(14, 18, 36, 28), 3, 3);
    p->setBrush(QColor(190, 40, 40).darker(140));
    for (int i = 0; i < 5; ++i) {
        p->drawRect(QRectF(17 + i * 7, 20, 4, 4));
        p->drawRect(QRectF(17 + i * 7, 40, 4, 4));
    }
    p->drawRect(QRectF(17, 27, 30, 10));
}

// A speech bubble with a hash sign.
void shortMessage(QPainter* p)
{
    tile(p, QColor(40, 160, 220));
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(13, 15, 38, 26), 8, 8);
    QPainterPath tail(QPointF(22, 38));
    tail.lineTo(18, 50);
    tail.lineTo(32, 40);
    p->drawPath(bubble.united(tail));
    p->setPen(QPen(QColor(40, 160, 220), 2.5, Qt::SolidLine, Qt::RoundCap));
    p->drawLine(QPointF(28, 20), QPointF(26, 36));
    p->drawLine(QPointF(37, 20), QPointF(35, 36));
    p->drawLine(QPointF(21, 25), QPointF(43, 25));
    p->drawLine(QPointF(20, 31), QPointF(42, 31));
}

// A briefcase.
void briefcase(QPainter* p)
{
    tile(p, QColor(0, 128, 118));
    p->setPen(QPen(Qt::white, 3.5));
    p->setBrush(Qt::NoBrush);
    p->drawRoundedRect(QRectF(25, 14, 14, 10), 3, 3);
    p->setPen(Qt::NoPen);
    p->setBrush(Qt::white);
    p->drawRoundedRect(QRectF(13, 21, 38, 26), 4, 4);
    p->setBrush(QColor(0, 128, 118));
    p->drawRect(QRectF(13, 31, 38, 2.5));
    p->drawRoundedRect(QRectF(29, 29, 6, 7), 1.5, 1.5);
}

// A ringed planet: a world of one's own.
void planet(QPainter* p)
{
    const QColor ground(232, 120, 30);
    tile(p, ground);
    p->translate(32, 32);
    p->rotate(-20);
    const QRectF ring(-25, -8, 50, 16);
    p->setBrush(Qt::NoBrush);
    p->setPen(QPen(Qt::white, 3));
    p->drawArc(ring, 0, 180 * 16);
    p->setPen(QPen(ground, 3));
    p->setBrush(Qt::white);
    p->drawEllipse(QPointF(0, 0), 13, 13);
    p->setBrush(Qt::NoBrush);
    p->setPen(QPen(ground, 7, Qt::SolidLine, Qt::FlatCap));
    p->drawArc(ring, 195 * 16, 150 * 16);
    p->setPen(QPen(Qt::white, 3));
    p->drawArc(ring, 180 * 16, 180 * 16);
    p->resetTransform();
}

void magnifier(QPainter* p)
{
    p->setPen(QPen(QColor(40, 40, 44, 160), 9, Qt::SolidLine, Qt::RoundCap));
    p->drawLine(QPointF(40, 40), QPointF(54, 54));
    p->setPen(QPen(QColor(235, 235, 240), 6, Qt::SolidLine, Qt::RoundCap));
    p->drawLine(QPointF(40, 40), QPointF(54, 54));
    p->setBrush(QColor(200, 225, 255, 70));
    p->setPen(QPen(QColor(235, 235, 240), 5));
    p->drawEllipse(QPointF(27, 27), 16, 16);
}

} // namespace

static ArtRegistry::Entry entry("kit icons", [](ArtWriter& writer) {
    const QList<ArtImage::IconPainter> glyphs = {friends, film, shortMessage, briefcase, planet};
    const QStringList names = DORuverud::KitPictures::communityIcons();
    QList<QPair<QString, ArtImage::IconPainter>> icons;
    for (int i = 0; i < names.size(); ++i)
        icons.append({names.at(i), glyphs.at(i)});
    icons.append({DORuverud::KitPictures::searchIcon(), magnifier});
    ArtImage::saveIcons(writer, iconSize, icons);
});
