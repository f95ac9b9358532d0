#pragma once

#include "ChordSpelling.h"

#include <QImage>

// The two octaves from C3 as a photograph-like keyboard with a fingertip on
// each pressed key.
class PianoKeyboardPainter
{
public:
    static QImage paintPhoto(const QVector<VADirur::ChordSpelling::Note>& notes, quint32 seed);
};
