#pragma once

#include <QImage>

// The note finder's 88-key keyboard, painted where the keyboard's hit table
// puts each key, and the same keyboard with one key marked.
class PianoBoardPainter
{
public:
    static QImage paintKeyboard();
    // The keyboard with key number 1 to 88 marked, only where a click hits it.
    static QImage paintMarked(const QImage& keyboard, int key);
};
