#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QVector>

class ArtWriter;

// The photograph-like picture of a chord on a fretted instrument: the neck
// seen from the front, nut at the top, the first value's string on the
// left, wood, frets and strings lit as by a lamp, and a fingertip on each
// pressed string. Open strings get a ring above the nut, muted ones a cross.
class FretPhotoPainter
{
public:
    static QImage paint(const QString& instrument, int strings, const QVector<int>& fingering);

    // Paints the photograph of each distinct fingering, in parallel, into
    // the chord pictures of the resource tree under the name the chord view
    // asks for.
    static void paintAll(ArtWriter& writer, const QString& instrument, int strings,
        const QList<QVector<int>>& fingerings);
};
