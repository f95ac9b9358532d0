#pragma once

#include <QImageIOHandler>

// Writes an animated GIF. Qt only reads GIFs, so artgen brings this writer.
// The image handed to write() is a strip of equal frames side by side; its
// text "frames" gives their number and "delay" the time of each in ms.
// Pixels with alpha below one half are transparent, the others are opaque.
// The colours must fit in 255 entries.
class GifStripHandler : public QImageIOHandler
{
public:
    bool canRead() const override;
    bool read(QImage* image) override;
    bool write(const QImage& image) override;

    // The key of the frame count and of the delay in the strip's text.
    static QString framesKey();
    static QString delayKey();
};
