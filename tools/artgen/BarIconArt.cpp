#include "BarIconArt.h"

#include "ArtImage.h"
#include "InstrumentArt.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace {

const int barSize = 64;
const int socialWidth = 380;
const int socialHeight = 70;
const int linkSize = 64;

QPainterPath star(const QPointF& centre, qreal outer, qreal inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? inner : outer;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(
            centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

QPainterPath person(const QPointF& head, qreal size)
{
    QPainterPath path;
    path.addEllipse(head, size * 0.22, size * 0.22);
    QPainterPath body;
    body.moveTo(head.x() - size * 0.42, head.y() + size * 0.85);
    body.cubicTo(head.x() - size * 0.42, head.y() + size * 0.3, head.x() + size * 0.42,
        head.y() + size * 0.3, head.x() + size * 0.42, head.y() + size * 0.85);
    body.closeSubpath();
    return path.united(body);
}

QPainterPath envelope(const QRectF& r, qreal pen)
{
    QPainterPath path;
    path.addRoundedRect(r, pen, pen);
    path.moveTo(r.topLeft() + QPointF(pen, pen));
    path.lineTo(r.center().x(), r.top() + r.height() * 0.55);
    path.lineTo(r.topRight() + QPointF(-pen, pen));
    return path;
}

// The symbol of a bar button, drawn in white-ish ink on 64 x 64.
void drawBarSymbol(QPainter& p, const QString& kind, const QColor& ink)
{
    const QPointF c(32, 32);
    QPen pen(ink, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    if (kind == QLatin1String("AppButton")) {
        BarIconArt::drawAppSymbol(p, QRectF(10, 10, 44, 44));
    } else if (kind == QLatin1String("MoreAppsButton")) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        for (int i = 0; i < 4; ++i)
            p.drawRoundedRect(QRectF(13 + (i % 2) * 20, 13 + (i / 2) * 20, 16, 16), 4, 4);
    } else if (kind == QLatin1String("RateButton")) {
        p.setBrush(ink);
        p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(star(QPointF(32, 34), 22, 9));
    } else if (kind == QLatin1String("share")) {
        p.drawPolyline(QPolygonF(
            {QPointF(26, 20), QPointF(14, 20), QPointF(14, 50), QPointF(44, 50), QPointF(44, 38)}));
        p.drawLine(QPointF(26, 38), QPointF(50, 14));
        p.drawPolyline(QPolygonF({QPointF(36, 14), QPointF(50, 14), QPointF(50, 28)}));
    } else if (kind == QLatin1String("join")) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(person(QPointF(24, 22), 26));
        p.setPen(pen);
        p.drawLine(QPointF(46, 30), QPointF(46, 48));
        p.drawLine(QPointF(37, 39), QPointF(55, 39));
    } else if (kind == QLatin1String("Help")) {
        p.drawEllipse(c, 22, 22);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(30);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(10, 10, 44, 44), Qt::AlignCenter, QStringLiteral("?"));
    } else if (kind == QLatin1String("More")) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(16 + i * 16, 32), 5, 5);
    }
}

QColor networkColour(const QString& network)
{
    if (network == QLatin1String("facebook"))
        return QColor(52, 86, 160);
    if (network == QLatin1String("twitter"))
        return QColor(40, 160, 225);
    if (network == QLatin1String("vkontakte"))
        return QColor(80, 118, 165);
    return QColor(200, 120, 30);
}

QString networkName(const QString& network)
{
    if (network == QLatin1String("facebook"))
        return QStringLiteral("Facebook");
    if (network == QLatin1String("twitter"))
        return QStringLiteral("Twitter");
    if (network == QLatin1String("vkontakte"))
        return QStringLiteral("VKontakte");
    return QStringLiteral("E-mail");
}

QString networkLetters(const QString& network)
{
    if (network == QLatin1String("facebook"))
        return QStringLiteral("F");
    if (network == QLatin1String("twitter"))
        return QStringLiteral("T");
    return QStringLiteral("VK");
}

void tile(QPainter& p, const QRectF& r, const QColor& colour, qreal radius)
{
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, colour.lighter(135));
    gradient.setColorAt(1, colour.darker(130));
    p.setPen(QPen(colour.darker(180), r.width() / 40));
    p.setBrush(gradient);
    p.drawRoundedRect(r, radius, radius);
    QLinearGradient gloss(r.topLeft(), QPointF(r.left(), r.center().y()));
    gloss.setColorAt(0, QColor(255, 255, 255, 90));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(r.adjusted(r.width() / 20, r.width() / 20, -r.width() / 20, -r.height() / 2),
        radius * 0.8, radius * 0.8);
}

void drawLinkGlyph(QPainter& p, const QString& key)
{
    const QColor ink(255, 255, 255, 235);
    QPen pen(ink, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    if (key == QLatin1String("home")) {
        p.drawPolyline(QPolygonF({QPointF(14, 32), QPointF(32, 15), QPointF(50, 32)}));
        p.drawPolyline(
            QPolygonF({QPointF(19, 29), QPointF(19, 49), QPointF(45, 49), QPointF(45, 29)}));
        p.drawRect(QRectF(28, 37, 8, 12));
    } else if (key == QLatin1String("lessons")) {
        p.drawRoundedRect(QRectF(12, 16, 40, 28), 4, 4);
        p.drawLine(QPointF(24, 50), QPointF(40, 50));
        p.setBrush(ink);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(28, 23), QPointF(28, 37), QPointF(39, 30)}));
    } else if (key == QLatin1String("charts")) {
        pen.setWidth(2);
        p.setPen(pen);
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(20 + i * 8, 16), QPointF(20 + i * 8, 48));
        for (int i = 0; i < 5; ++i)
            p.drawLine(QPointF(20, 16 + i * 8), QPointF(44, 16 + i * 8));
        p.setBrush(ink);
        p.drawEllipse(QPointF(28, 28), 3.5, 3.5);
        p.drawEllipse(QPointF(36, 36), 3.5, 3.5);
        p.drawEllipse(QPointF(20, 36), 3.5, 3.5);
    } else if (key == QLatin1String("metronome")) {
        p.drawPolygon(
            QPolygonF({QPointF(24, 14), QPointF(40, 14), QPointF(48, 50), QPointF(16, 50)}));
        p.drawLine(QPointF(32, 44), QPointF(42, 20));
        p.setBrush(ink);
        p.drawRect(QRectF(36, 27, 6, 4));
    } else if (key == QLatin1String("tuner")) {
        p.drawPolyline(QPolygonF(
            {QPointF(24, 12), QPointF(24, 34), QPointF(32, 40), QPointF(40, 34), QPointF(40, 12)}));
        p.drawLine(QPointF(32, 40), QPointF(32, 54));
    } else if (key == QLatin1String("notes")) {
        p.setBrush(ink);
        p.drawEllipse(QPointF(21, 45), 6, 4.5);
        p.drawEllipse(QPointF(43, 41), 6, 4.5);
        p.drawLine(QPointF(26, 45), QPointF(26, 18));
        p.drawLine(QPointF(48, 41), QPointF(48, 14));
        p.setPen(QPen(ink, 6, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(26, 19), QPointF(48, 15));
    } else if (key == QLatin1String("ear")) {
        p.setBrush(ink);
        p.drawEllipse(QPointF(18, 32), 4, 4);
        p.setBrush(Qt::NoBrush);
        for (int i = 1; i <= 3; ++i)
            p.drawArc(QRectF(18 - i * 9, 32 - i * 9, i * 18, i * 18), -50 * 16, 100 * 16);
    } else if (key == QLatin1String("scales")) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        for (int i = 0; i < 5; ++i)
            p.drawRoundedRect(QRectF(12 + i * 8.5, 46 - i * 7, 6.5, 6 + i * 7), 1.5, 1.5);
    } else if (key == QLatin1String("drums")) {
        p.drawEllipse(QRectF(14, 26, 36, 10));
        p.drawLine(QPointF(14, 31), QPointF(14, 46));
        p.drawLine(QPointF(50, 31), QPointF(50, 46));
        p.drawArc(QRectF(14, 41, 36, 10), 180 * 16, 180 * 16);
        p.drawLine(QPointF(22, 12), QPointF(34, 28));
        p.drawLine(QPointF(44, 12), QPointF(36, 28));
    } else if (key == QLatin1String("songbook")) {
        QPainterPath book;
        book.moveTo(32, 20);
        book.cubicTo(26, 15, 16, 15, 10, 18);
        book.lineTo(10, 48);
        book.cubicTo(16, 45, 26, 45, 32, 50);
        book.cubicTo(38, 45, 48, 45, 54, 48);
        book.lineTo(54, 18);
        book.cubicTo(48, 15, 38, 15, 32, 20);
        book.lineTo(32, 50);
        p.drawPath(book);
    } else if (key == QLatin1String("banjo") || key == QLatin1String("balalaika")
        || key == QLatin1String("mandolin")) {
        InstrumentArt::draw(p, QRectF(19, 6, 26, 52), key, 1.15);
    } else if (key == QLatin1String("recorder")) {
        p.drawRoundedRect(QRectF(25, 10, 14, 26), 7, 7);
        p.drawArc(QRectF(18, 20, 28, 24), 180 * 16, 180 * 16);
        p.drawLine(QPointF(32, 44), QPointF(32, 52));
        p.drawLine(QPointF(24, 52), QPointF(40, 52));
    }
}

QColor linkColour(const QString& key)
{
    static const struct
    {
        const char* key;
        QRgb colour;
    } colours[] = {{"home", 0x3a6ea5}, {"lessons", 0xb8432f}, {"charts", 0x4f7f3a},
        {"metronome", 0x8a5a2b}, {"tuner", 0x2f7f7a}, {"notes", 0x5b4aa0}, {"ear", 0xa0447a},
        {"scales", 0x3c8c5a}, {"drums", 0xb07a1e}, {"songbook", 0x6b5a3a}, {"recorder", 0x9a2f3f},
        {"banjo", 0x2f5f8a}, {"balalaika", 0x8a2f2f}, {"mandolin", 0x4a6a2a}};
    for (const auto& entry : colours) {
        if (key == QLatin1String(entry.key))
            return QColor(entry.colour);
    }
    return QColor(90, 90, 90);
}

} // namespace

namespace BarIconArt {

QImage barIcon(const QString& kind, bool hover)
{
    QImage image = ArtImage::blank(barSize, barSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A lit button is an opaque blue disc: its white symbol reads on the dark
    // bar and where the menus show the same picture on a light ground, the
    // disc standing apart from that ground.
    if (hover) {
        QRadialGradient disc(QPointF(32, 26), 36);
        disc.setColorAt(0, QColor(86, 140, 214));
        disc.setColorAt(1, QColor(40, 84, 160));
        p.setPen(QPen(QColor(24, 52, 110), 1.5));
        p.setBrush(disc);
        p.drawEllipse(QPointF(32, 32), 30.5, 30.5);
    }
    drawBarSymbol(p, kind, hover ? QColor(255, 255, 255) : QColor(205, 205, 205));
    return image;
}

// A 190 x 35 button face at twice the size: the network's mark, its name
// and a badge that tells sharing (an arrow) from joining (a plus).
QImage socialButton(const QString& network, bool join, bool hover)
{
    QImage image = ArtImage::blank(socialWidth, socialHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor colour = hover ? networkColour(network).lighter(125) : networkColour(network);
    const QRectF r(2, 2, socialWidth - 4, socialHeight - 4);
    tile(p, r, colour, 14);
    const QColor ink(255, 255, 255);
    const QRectF mark(12, 9, 52, 52);
    p.setPen(Qt::NoPen);
    p.setBrush(colour.darker(135));
    p.drawRoundedRect(mark, 10, 10);
    if (network == QLatin1String("email")) {
        p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(envelope(mark.adjusted(8, 13, -8, -13), 4));
    } else {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(network == QLatin1String("vkontakte") ? 22 : 34);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(mark, Qt::AlignCenter, networkLetters(network));
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(26);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(
        QRectF(74, 0, socialWidth - 150, socialHeight), Qt::AlignCenter, networkName(network));
    const QPointF badge(socialWidth - 38, socialHeight / 2.0);
    p.setPen(QPen(colour.darker(160), 2));
    p.setBrush(ink);
    p.drawEllipse(badge, 20, 20);
    p.setPen(QPen(colour.darker(140), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (join) {
        p.drawLine(badge + QPointF(0, -10), badge + QPointF(0, 10));
        p.drawLine(badge + QPointF(-10, 0), badge + QPointF(10, 0));
    } else {
        p.drawLine(badge + QPointF(-8, 8), badge + QPointF(8, -8));
        p.drawPolyline(
            QPolygonF({badge + QPointF(-3, -8), badge + QPointF(8, -8), badge + QPointF(8, 3)}));
    }
    if (hover) {
        p.setPen(QPen(QColor(255, 255, 255, 200), 3));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 12, 12);
    }
    return image;
}

QImage linkIcon(const QString& key)
{
    QImage image = ArtImage::blank(linkSize, linkSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    tile(p, QRectF(2, 2, 60, 60), linkColour(key), 12);
    drawLinkGlyph(p, key);
    return image;
}

void drawAppSymbol(QPainter& p, const QRectF& rect)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(rect.topLeft());
    p.scale(rect.width() / 256.0, rect.height() / 256.0);
    QLinearGradient back(0, 0, 0, 256);
    back.setColorAt(0, QColor(70, 70, 78));
    back.setColorAt(1, QColor(18, 18, 22));
    p.setPen(QPen(QColor(150, 150, 160), 5));
    p.setBrush(back);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 48, 48);
    // A chord diagram: the nut, six strings, four frets and three fingers.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 232, 210));
    p.drawRoundedRect(QRectF(52, 48, 152, 12), 4, 4);
    p.setPen(QPen(QColor(200, 196, 186), 5, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < 6; ++i)
        p.drawLine(QPointF(56 + i * 28.8, 56), QPointF(56 + i * 28.8, 214));
    p.setPen(QPen(QColor(150, 146, 140), 4));
    for (int i = 1; i <= 4; ++i)
        p.drawLine(QPointF(52, 56 + i * 39), QPointF(204, 56 + i * 39));
    QRadialGradient dot(QPointF(0, 0), 18);
    dot.setColorAt(0, QColor(255, 214, 120));
    dot.setColorAt(1, QColor(214, 120, 20));
    p.setPen(QPen(QColor(90, 40, 0), 2));
    const QPointF fingers[] = {{84.8, 114.5}, {142.4, 153.5}, {171.2, 153.5}};
    for (const QPointF& finger : fingers) {
        p.save();
        p.translate(finger);
        p.setBrush(dot);
        p.drawEllipse(QPointF(0, 0), 16, 16);
        p.restore();
    }
    p.restore();
}

} // namespace BarIconArt
