// The tuner's pictures: each instrument page's picture, the faces of the
// chooser's buttons and the chooser's background.
#include "ArtImage.h"
#include "ArtRegistry.h"
#include "ArtWriter.h"
#include "BarIconArt.h"
#include "InstrumentArt.h"
#include "TunerInstruments.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

namespace {

using VADirur::TunerInstruments;

// The instrument upright under a spotlight, on a black stage with a pool
// of light at its foot.
QImage pagePicture(TunerInstruments::Instrument instrument)
{
    const int width = 720;
    const int height = 1000;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient spot(QPointF(width / 2.0, height * 0.38), height * 0.62);
    spot.setColorAt(0, QColor(62, 64, 78));
    spot.setColorAt(0.55, QColor(20, 20, 26));
    spot.setColorAt(1, QColor(0, 0, 0));
    p.fillRect(image.rect(), spot);
    p.save();
    p.translate(width / 2.0, height * 0.83);
    p.scale(1.0, 0.16);
    QRadialGradient pool(QPointF(0, 0), width * 0.4);
    pool.setColorAt(0, QColor(120, 120, 135, 150));
    pool.setColorAt(1, QColor(120, 120, 135, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(pool);
    p.drawEllipse(QPointF(0, 0), width * 0.4, width * 0.4);
    p.restore();
    // Clear of the strip above and the string buttons below.
    const QRectF area(width * 0.25, height * 0.08, width * 0.5, height * 0.76);
    InstrumentArt::draw(p, area, InstrumentArt::drawingName(instrument), 1.0);
    return image;
}

// The drawing on an instrument's chooser button, by the button's name.
QString drawingOfButton(const QString& button)
{
    for (TunerInstruments::Instrument instrument : TunerInstruments::all()) {
        if (TunerInstruments::name(instrument) == button)
            return InstrumentArt::drawingName(instrument);
    }
    return QString();
}

// A steel-rimmed face: dark, lit under the pointer, blue when chosen.
QImage chooserFace(const QString& button, const QString& state)
{
    const bool pressed = state.startsWith(QLatin1String("_pressed"));
    const bool hover = state.endsWith(QLatin1String("_hvr"));
    QImage image = ArtImage::blank(184, 184);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF rim(6, 6, 172, 172);
    QLinearGradient steel(rim.topLeft(), rim.bottomRight());
    steel.setColorAt(0, QColor(176, 176, 184));
    steel.setColorAt(0.5, QColor(66, 66, 72));
    steel.setColorAt(1, QColor(150, 150, 158));
    p.setPen(QPen(QColor(8, 8, 10), 2));
    p.setBrush(steel);
    p.drawRoundedRect(rim, 26, 26);
    const QRectF face = rim.adjusted(7, 7, -7, -7);
    QRadialGradient glow(face.center() - QPointF(0, face.height() * 0.3), face.width() * 0.9);
    if (pressed) {
        glow.setColorAt(0, hover ? QColor(150, 185, 240) : QColor(110, 150, 220));
        glow.setColorAt(0.5, QColor(0, 0, 155));
        glow.setColorAt(1, QColor(4, 12, 100));
    } else {
        glow.setColorAt(0, hover ? QColor(100, 100, 110) : QColor(62, 62, 68));
        glow.setColorAt(1, hover ? QColor(28, 28, 32) : QColor(12, 12, 14));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawRoundedRect(face, 20, 20);
    if (hover) {
        p.setPen(QPen(QColor(131, 167, 222, 210), 3));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(face.adjusted(2, 2, -2, -2), 18, 18);
    }
    if (button == QLatin1String("Tessivar"))
        BarIconArt::drawAppSymbol(p, face.adjusted(24, 24, -24, -24));
    else
        InstrumentArt::draw(p,
            QRectF(face.center().x() - 38, face.top() + 8, 76, face.height() - 16),
            drawingOfButton(button), hover || pressed ? 1.1 : 0.85);
    return image;
}

// Dark woven strands that tile without seams.
QImage chooserBackground()
{
    const int size = 64;
    const int strand = 8;
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool across = (x / strand + y / strand) % 2 == 0;
            const qreal t = (across ? y % strand : x % strand) / qreal(strand - 1);
            const int v = 16 + qRound(16 * std::sin(M_PI * t));
            image.setPixel(x, y, qRgb(v, v, v + 5));
        }
    }
    return image;
}

void paintTunerPictures(ArtWriter& writer)
{
    for (TunerInstruments::Instrument instrument : TunerInstruments::all())
        writer.saveResource(TunerInstruments::pictureName(instrument), pagePicture(instrument));
    const QVector<TunerInstruments::ChooserPicture> faces = TunerInstruments::chooserPictures();
    for (const TunerInstruments::ChooserPicture& face : faces)
        writer.saveResource(face.path, chooserFace(face.button, face.state));
    writer.saveResource(QStringLiteral("background.png"), chooserBackground());
}

ArtRegistry::Entry entry("tuner", paintTunerPictures);

} // namespace
