#pragma once

#include "MusicPagePictures.h"

#include <QImage>

// The metronome's pictures on one 800 x 800 canvas: the base picture (a
// wooden metronome with a face, eyes to the left) and the faces painted over
// it, transparent wherever the base shows through.
class MetronomeFacePainter
{
public:
    static QImage paint(VADirur::MusicPagePictures::MetronomeFace face);
};
