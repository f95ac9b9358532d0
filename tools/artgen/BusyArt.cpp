// The busy animation of the wait windows.
#include "ArtRegistry.h"
#include "ArtWriter.h"
#include "DialogPictures.h"
#include "GifStripHandler.h"

#include <QPainter>
#include <QtMath>

namespace {

const int frameSize = 48;
const int frameCount = 12;

// Twelve dots round a circle; the lit one moves on, the ones behind fade.
void paintFrame(QPainter& painter, int frame)
{
    const QColor accent(0, 160, 224);
    const QColor background(71, 71, 71);
    const QPointF centre(frameSize / 2.0, frameSize / 2.0);
    for (int dot = 0; dot < frameCount; ++dot) {
        const int age = (frame - dot + frameCount) % frameCount;
        const qreal strength = 1.0 - age / qreal(frameCount);
        const qreal angle = 2 * M_PI * dot / frameCount - M_PI / 2;
        const QPointF at = centre + QPointF(qCos(angle), qSin(angle)) * 17.0;
        const qreal radius = 2.5 + 2.5 * strength;
        // Blend toward the dark window colour so the edge needs no alpha.
        QColor colour;
        colour.setRgbF(background.redF() + (accent.redF() - background.redF()) * strength,
            background.greenF() + (accent.greenF() - background.greenF()) * strength,
            background.blueF() + (accent.blueF() - background.blueF()) * strength);
        painter.setBrush(colour);
        painter.drawEllipse(at, radius, radius);
    }
}

QImage loadingStrip()
{
    QImage strip(frameSize * frameCount, frameSize, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.setPen(Qt::NoPen);
    // Hard edges: the animation has one transparent colour and no alpha.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int frame = 0; frame < frameCount; ++frame) {
        painter.save();
        painter.translate(frame * frameSize, 0);
        painter.setClipRect(0, 0, frameSize, frameSize);
        paintFrame(painter, frame);
        painter.restore();
    }
    painter.end();
    strip.setText(GifStripHandler::framesKey(), QString::number(frameCount));
    strip.setText(GifStripHandler::delayKey(), QStringLiteral("80"));
    return strip;
}

ArtRegistry::Entry entry("busy", [](ArtWriter& writer) {
    writer.saveResource(DORuverud::DialogPictures::loadingAnimation(), loadingStrip());
});

} // namespace
