#pragma once

#include "ImageNoteWorkArea.h"

#include <QImage>
#include <QtTest>

// Pictures and checks shared by the annotation editor's tests.
namespace ImageNoteTestTools {

// 400 x 300 in squares of 10 pixels, so that a blur shows.
inline QImage knownPicture(const QSize& size = QSize(400, 300))
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x / 10 + y / 10) % 2 ? qRgb(230, 230, 230) : qRgb(40, 90, 140));
    }
    return image;
}

// What the area shows, without alpha.
inline QImage shown(DORuverud::ImageNoteWorkArea& area)
{
    return area.pixContent().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace ImageNoteTestTools
