// The icons of the chord sequence's favourites menu: new, save and delete.
#include "ArtImage.h"
#include "ArtRegistry.h"
#include "TransposerPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const int iconSize = 64;

QLinearGradient shade(const QColor& colour, qreal top = 6, qreal bottom = 58)
{
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0.0, colour.lighter(140));
    gradient.setColorAt(1.0, colour.darker(125));
    return gradient;
}

QPen outline(const QColor& colour, qreal width = 2.5)
{
    return QPen(colour.darker(170), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A ruled sheet of paper with a folded corner.
void sheet(QPainter* p)
{
    QPainterPath page(QPointF(12, 4));
    page.lineTo(40, 4);
    page.lineTo(52, 16);
    page.lineTo(52, 60);
    page.lineTo(12, 60);
    page.closeSubpath();
    p->setPen(outline(QColor(170, 170, 175), 2));
    p->setBrush(shade(QColor(235, 235, 240), 4, 60));
    p->drawPath(page);
    QPainterPath fold(QPointF(40, 4));
    fold.lineTo(40, 16);
    fold.lineTo(52, 16);
    fold.closeSubpath();
    p->setBrush(QColor(200, 200, 208));
    p->drawPath(fold);
    p->setPen(QPen(QColor(160, 160, 170), 2, Qt::SolidLine, Qt::RoundCap));
    for (int y = 24; y <= 40; y += 8)
        p->drawLine(QPointF(19, y), QPointF(45, y));
}

// A new, empty sequence: a sheet with a green plus.
void newSequence(QPainter* p)
{
    sheet(p);
    const QColor green(60, 170, 80);
    p->setPen(outline(green, 2));
    p->setBrush(shade(green, 34, 62));
    p->drawEllipse(QPointF(46, 46), 15, 15);
    p->setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    p->drawLine(QPointF(46, 38), QPointF(46, 54));
    p->drawLine(QPointF(38, 46), QPointF(54, 46));
}

// Keeping the sequence: a diskette.
void save(QPainter* p)
{
    const QColor body(50, 100, 190);
    QPainterPath disk(QPointF(8, 6));
    disk.lineTo(48, 6);
    disk.lineTo(58, 16);
    disk.lineTo(58, 58);
    disk.lineTo(8, 58);
    disk.closeSubpath();
    p->setPen(outline(body));
    p->setBrush(shade(body));
    p->drawPath(disk);
    p->setPen(outline(QColor(190, 195, 205), 1.5));
    p->setBrush(shade(QColor(200, 205, 215), 6, 26));
    p->drawRect(QRectF(18, 6, 26, 20));
    p->setBrush(body.darker(140));
    p->setPen(Qt::NoPen);
    p->drawRect(QRectF(34, 10, 6, 12));
    p->setPen(outline(QColor(230, 230, 235), 1.5));
    p->setBrush(QColor(248, 248, 250));
    p->drawRoundedRect(QRectF(15, 34, 36, 20), 2, 2);
    p->setPen(QPen(QColor(150, 160, 180), 1.5));
    p->drawLine(QPointF(20, 41), QPointF(46, 41));
    p->drawLine(QPointF(20, 47), QPointF(46, 47));
}

// Throwing a favourite away: a waste bin.
void discard(QPainter* p)
{
    const QColor metal(150, 155, 165);
    QPainterPath bin(QPointF(14, 18));
    bin.lineTo(50, 18);
    bin.lineTo(46, 60);
    bin.lineTo(18, 60);
    bin.closeSubpath();
    p->setPen(outline(metal));
    p->setBrush(shade(metal, 18, 60));
    p->drawPath(bin);
    p->setPen(QPen(metal.darker(150), 2.5, Qt::SolidLine, Qt::RoundCap));
    for (qreal x : {24.0, 32.0, 40.0})
        p->drawLine(QPointF(x, 26), QPointF(x + (x - 32) * 0.1, 53));
    p->setPen(outline(metal));
    p->setBrush(shade(metal.lighter(115), 8, 18));
    p->drawRoundedRect(QRectF(8, 10, 48, 8), 2, 2);
    p->drawRoundedRect(QRectF(25, 4, 14, 6), 2, 2);
    const QColor red(205, 45, 50);
    p->setPen(QPen(red, 5, Qt::SolidLine, Qt::RoundCap));
    p->drawLine(QPointF(40, 34), QPointF(58, 52));
    p->drawLine(QPointF(58, 34), QPointF(40, 52));
}

} // namespace

static ArtRegistry::Entry entry("favourites menu", [](ArtWriter& writer) {
    const QList<QPair<QString, ArtImage::IconPainter>> icons = {
        {VADirur::TransposerPictures::newImage(), newSequence},
        {VADirur::TransposerPictures::saveImage(), save},
        {VADirur::TransposerPictures::deleteImage(), discard},
    };
    ArtImage::saveIcons(writer, iconSize, icons);
});
