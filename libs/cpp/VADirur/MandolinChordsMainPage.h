#pragma once

#include "ChordsMainPage.h"

namespace VADirur {

// The mandolin, tuned in fifths.
class MandolinChordsMainPage : public ChordsMainPage
{
    Q_OBJECT

public:
    explicit MandolinChordsMainPage(QWidget* parent);

    void addShopMenu() override;
    void initChords() override;

    // The fingering of a chord by its index: frets of the strings
    // G3 D4 A4 E5, -1 for a string not played.
    static QVector<int> fingering(int index);

protected:
    // Stores a chord: its fingering and, per string, the sample of the fret
    // or "" for a muted string or a fret above 8.
    void setChord(int index, int s1, int s2, int s3, int s4);
};

} // namespace VADirur
