// Every picture the application style sheet names, the program's icon and
// the icons of the "More" menu links.
#include "AppStyleSheet.h"
#include "ArtImage.h"
#include "ArtRegistry.h"
#include "ArtWriter.h"
#include "BarIconArt.h"
#include "InstrumentArt.h"
#include "MoreMenuLinks.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QRegularExpression>

namespace {

// "PianoItem" gives "piano", "BassItem" "bass".
QString instrumentOf(const QString& itemName)
{
    return itemName.left(itemName.indexOf(QLatin1String("Item"))).toLower();
}

// A selector button: the instrument on a tile, dim, lit or chosen.
QImage selectorTile(const QString& instrument, const QString& state)
{
    const int size = 128;
    QImage image = ArtImage::blank(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(4, 4, size - 8, size - 8);
    QLinearGradient back(tile.topLeft(), tile.bottomLeft());
    if (state == QLatin1String("checked")) {
        back.setColorAt(0, QColor(131, 167, 222));
        back.setColorAt(0.45, QColor(0, 0, 155));
        back.setColorAt(1, QColor(4, 12, 100));
    } else if (state == QLatin1String("hover")) {
        back.setColorAt(0, QColor(105, 105, 110));
        back.setColorAt(1, QColor(45, 45, 50));
    } else {
        back.setColorAt(0, QColor(72, 72, 76));
        back.setColorAt(1, QColor(28, 28, 30));
    }
    p.setPen(
        QPen(state == QLatin1String("checked") ? QColor(200, 215, 240) : QColor(95, 95, 100), 3));
    p.setBrush(back);
    p.drawRoundedRect(tile, 18, 18);
    const qreal brightness = state == QLatin1String("normal") ? 0.8 : 1.1;
    const QRectF area
        = instrument == QLatin1String("piano") ? QRectF(18, 30, 92, 68) : QRectF(35, 8, 58, 112);
    InstrumentArt::draw(p, area, instrument, brightness);
    return image;
}

// The chord view's 40 x 105 label, painted at twice the size.
QImage instrumentLabel(const QString& instrument)
{
    QImage image = ArtImage::blank(80, 210);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area
        = instrument == QLatin1String("piano") ? QRectF(14, 20, 52, 170) : QRectF(6, 8, 68, 194);
    InstrumentArt::draw(p, area, instrument, 1.0);
    return image;
}

QImage backgroundBar()
{
    QImage image(64, 88, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    QLinearGradient gradient(0, 0, 0, 88);
    gradient.setColorAt(0, QColor(96, 96, 100));
    gradient.setColorAt(0.5, QColor(52, 52, 56));
    gradient.setColorAt(1, QColor(26, 26, 28));
    p.fillRect(image.rect(), gradient);
    p.fillRect(QRect(0, 0, 64, 2), QColor(140, 140, 145));
    p.fillRect(QRect(0, 86, 64, 2), QColor(10, 10, 10));
    return image;
}

// A small integer hash, so the texture is the same on every build.
quint32 hash(quint32 x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

// Brushed dark metal that tiles without seams: the grain runs along x
// and wraps around the tile's width.
QImage panelBackground()
{
    const int size = 128;
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        const int row = int(hash(quint32(y) * 977U) % 9) - 4;
        for (int x = 0; x < size; ++x) {
            int grain = 0;
            for (int k = -3; k <= 3; ++k)
                grain += int(hash(quint32(y) * 131U + quint32((x + k + size) % size)) % 13) - 6;
            const int v = 52 + row + grain / 5;
            image.setPixel(x, y, qRgb(v, v, v + 3));
        }
    }
    return image;
}

QImage arrow(bool right)
{
    QImage image = ArtImage::blank(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF triangle({QPointF(11, 7), QPointF(23, 16), QPointF(11, 25)});
    if (!right)
        triangle = QTransform().translate(32, 0).scale(-1, 1).map(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPolygon(triangle.translated(1, 1.5));
    p.setBrush(QColor(211, 211, 211));
    p.drawPolygon(triangle);
    return image;
}

QImage menuIndicator()
{
    QImage image = ArtImage::blank(8, 8);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(211, 211, 211));
    p.drawPolygon(QPolygonF({QPointF(0.5, 2), QPointF(7.5, 2), QPointF(4, 6.5)}));
    return image;
}

// The round play button; pressed it turns blue, hovered it lights up.
QImage playButton(bool pressed, bool hover)
{
    const int size = 96;
    QImage image = ArtImage::blank(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(48, 48);
    QLinearGradient ring(0, 4, 0, 92);
    ring.setColorAt(0, QColor(200, 200, 205));
    ring.setColorAt(1, QColor(60, 60, 65));
    p.setPen(QPen(QColor(20, 20, 20), 2));
    p.setBrush(ring);
    p.drawEllipse(c, 44, 44);
    QRadialGradient face(QPointF(40, 34), 50);
    if (pressed) {
        face.setColorAt(0, hover ? QColor(160, 190, 240) : QColor(131, 167, 222));
        face.setColorAt(0.6, QColor(0, 0, 155));
        face.setColorAt(1, QColor(4, 12, 100));
    } else {
        face.setColorAt(0, hover ? QColor(110, 110, 118) : QColor(84, 84, 90));
        face.setColorAt(1, hover ? QColor(30, 30, 34) : QColor(16, 16, 18));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawEllipse(c, 37, 37);
    const QPolygonF triangle({QPointF(38, 28), QPointF(38, 68), QPointF(70, 48)});
    if (hover) {
        p.setPen(QPen(QColor(131, 167, 222, 160), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolygon(triangle);
    }
    p.setPen(QPen(QColor(255, 255, 255), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 255, 255));
    p.drawPolygon(triangle);
    return image;
}

QImage appIcon()
{
    QImage image = ArtImage::blank(512, 512);
    QPainter p(&image);
    BarIconArt::drawAppSymbol(p, QRectF(0, 0, 512, 512));
    return image;
}

// The picture of one name of the style sheet; null for an unknown name.
QImage styleImage(const QString& name)
{
    static const QRegularExpression item(
        QStringLiteral("^([A-Za-z]+Item)(?:_(hover|checked))?\\.png$"));
    static const QRegularExpression social(
        QStringLiteral("^(facebook|twitter|vkontakte|email)(share|join)(_hover)?\\.png$"));
    static const QRegularExpression bar(QStringLiteral(
        "^(AppButton|MoreAppsButton|RateButton|share|join|Help|More)(_hover)?\\.png$"));
    static const QRegularExpression instrument(
        QStringLiteral("^(piano|guitar|bass|ukulele|banjo|mandolin|balalaika)\\.png$"));
    static const QRegularExpression play(QStringLiteral("^Play(_prs)?(_hvr)?\\.png$"));
    QRegularExpressionMatch m;
    if ((m = item.match(name)).hasMatch())
        return selectorTile(instrumentOf(m.captured(1)),
            m.captured(2).isEmpty() ? QStringLiteral("normal") : m.captured(2));
    if ((m = social.match(name)).hasMatch())
        return BarIconArt::socialButton(
            m.captured(1), m.captured(2) == QLatin1String("join"), !m.captured(3).isEmpty());
    if ((m = bar.match(name)).hasMatch())
        return BarIconArt::barIcon(m.captured(1), !m.captured(2).isEmpty());
    if ((m = instrument.match(name)).hasMatch())
        return instrumentLabel(m.captured(1));
    if ((m = play.match(name)).hasMatch())
        return playButton(!m.captured(1).isEmpty(), !m.captured(2).isEmpty());
    if (name == QLatin1String("backgroundbar.png"))
        return backgroundBar();
    if (name == QLatin1String("panelbackground.png"))
        return panelBackground();
    if (name == QLatin1String("arrowleft.png") || name == QLatin1String("arrowright.png"))
        return arrow(name == QLatin1String("arrowright.png"));
    if (name == QLatin1String("spinbox_button2.png"))
        return menuIndicator();
    if (name == QLatin1String("app.png"))
        return appIcon();
    return QImage();
}

void paintStyleImages(ArtWriter& writer)
{
    const QStringList names = VADirur::AppStyleSheet::imageNames();
    for (const QString& name : names) {
        const QImage image = styleImage(name);
        if (image.isNull())
            qFatal("artgen: no painter for the style sheet's %s", qPrintable(name));
        writer.saveResource(name, image);
    }
}

void paintLinkIcons(ArtWriter& writer)
{
    const QStringList names = VADirur::MoreMenuLinks::iconNames();
    for (const QString& name : names) {
        const QString key = name.section(QLatin1Char('/'), -1).section(QLatin1Char('.'), 0, 0);
        writer.saveResource(name, BarIconArt::linkIcon(key));
    }
}

ArtRegistry::Entry styleEntry("appstyle", paintStyleImages);
ArtRegistry::Entry linksEntry("menulinks", paintLinkIcons);

} // namespace
