#pragma once

#include "ImageNoteWorkArea.h"

#include <QImage>
#include <QtTest>

#include <cmath>

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

// How far apart two colours stand for the eye, from 1 to 21 (the contrast
// ratio of their relative luminances).
inline qreal contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& colour) {
        const auto linear
            = [](qreal v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
            + 0.0722 * linear(colour.blueF());
    };
    const qreal la = luminance(a);
    const qreal lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

} // namespace ImageNoteTestTools
