#pragma once

#include "../common/MouseDrag.h"
#include "../common/PeakMemory.h"
#include "App.h"
#include "ImageNoteWorkArea.h"

#include <QDir>
#include <QImage>
#include <QtTest>

#include <cmath>
#include <malloc.h>
#include <memory>

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

// A work area shown over the known picture, drawing in red 5 pixels thick,
// no work of an earlier one left in its folder.
inline std::unique_ptr<DORuverud::ImageNoteWorkArea> shownArea()
{
    QDir(DORuverud::App::theApp()->workDirectory()).removeRecursively();
    auto area = std::make_unique<DORuverud::ImageNoteWorkArea>(nullptr);
    area->slotSetPixmap(QPixmap::fromImage(knownPicture()));
    area->slotSetColor(QColor(255, 0, 0));
    area->slotSetThikness(5);
    area->show();
    return area;
}

// A click where from and to are one point, else a drag.
inline void clickOrDrag(QWidget* widget, const QPoint& from, const QPoint& to)
{
    if (from != to)
        return MouseDrag::drag(widget, from, to);
    MouseDrag::send(widget, QEvent::MouseButtonPress, from);
    MouseDrag::send(widget, QEvent::MouseButtonRelease, from);
}

// The peak memory from now on starts at what the process holds, without the
// free memory that earlier tests left to the allocator.
inline qint64 peakFromNow()
{
    malloc_trim(0);
    return resetPeakMemory() ? peakMemoryKiB() : 0;
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
