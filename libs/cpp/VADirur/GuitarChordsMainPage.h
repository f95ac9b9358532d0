#pragma once

#include "ChordsMainPage.h"

namespace VADirur {

// The six-string guitar in standard tuning.
class GuitarChordsMainPage : public ChordsMainPage
{
    Q_OBJECT

public:
    explicit GuitarChordsMainPage(QWidget* parent);

    void addShopMenu() override;
    void initChords() override;

    // The fingering of a chord by its index: frets of the strings
    // E2 A2 D3 G3 B3 E4, -1 for a string not played.
    static QVector<int> fingering(int index);

protected:
    // Stores a chord: its fingering and, per string, the sample of the fret
    // or "" for a muted string or a fret above 8.
    void setChord(int index, int s1, int s2, int s3, int s4, int s5, int s6);
};

} // namespace VADirur
