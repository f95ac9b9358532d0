#pragma once

#include "ChordsMainPage.h"

namespace VADirur {

// The five-string banjo in open G; the short drone string comes first.
class BanjoChordsMainPage : public ChordsMainPage
{
    Q_OBJECT

public:
    explicit BanjoChordsMainPage(QWidget* parent);

    void addShopMenu() override;
    void initChords() override;

    // The fingering of a chord by its index: frets of the strings
    // G4 D3 G3 B3 D4, -1 for a string not played.
    static QVector<int> fingering(int index);

protected:
    // Stores a chord: its fingering and, per string, the sample of the fret
    // or "" for a muted string or a fret above 11.
    void setChord(int index, int s1, int s2, int s3, int s4, int s5);
};

} // namespace VADirur
