#pragma once

#include "ChordSpelling.h"

#include <QImage>

// The two octaves from C3 as a plain keyboard, in two pictures: the
// keyboard picture with the chord's keys marked and named, and the
// photograph-like keyboard with a fingertip on each pressed key.
class PianoKeyboardPainter
{
public:
    static QImage paintDiagram(const QVector<ChordSpelling::Note>& notes);
    static QImage paintPhoto(const QVector<ChordSpelling::Note>& notes, quint32 seed);
};
