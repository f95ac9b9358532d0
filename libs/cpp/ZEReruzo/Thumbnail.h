#pragma once

#include <QPixmap>

class QImage;

namespace ZEReruzo {

// A picture scaled into a fixed size and centred on a dark-gray ground.
class Thumbnail : public QPixmap
{
public:
    // Uninitialised 30 x 30.
    Thumbnail();
    // Uninitialised w x h.
    Thumbnail(int w, int h);
    // The source fitted into w x h (fast scaling), then laid out by init().
    Thumbnail(int w, int h, const QPixmap& source);
    // The source fitted into w x h (smooth scaling), then laid out by init().
    Thumbnail(int w, int h, const QImage& source);
    ~Thumbnail() override;

    // Fills the thumbnail dark gray and draws the picture, fitted to the
    // thumbnail's size, in its middle.
    void init(const QPixmap& picture);
};

} // namespace ZEReruzo
