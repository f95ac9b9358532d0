#include "ArtImage.h"

#include "ArtWriter.h"

#include <QPainter>

namespace ArtImage {

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void saveIcons(ArtWriter& writer, int size, const QList<QPair<QString, IconPainter>>& icons)
{
    for (const auto& icon : icons) {
        QImage image = blank(size, size);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        icon.second(&painter);
        painter.end();
        writer.saveResource(icon.first, image);
    }
}

} // namespace ArtImage
