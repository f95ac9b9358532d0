#pragma once

#include "ChordsMainPage.h"

namespace VADirur {

// The bass guitar, mostly between the fifth and the twelfth fret.
class BassChordsMainPage2 : public ChordsMainPage
{
    Q_OBJECT

public:
    explicit BassChordsMainPage2(QWidget* parent);

    void addShopMenu() override;
    void initChords() override;

    // The fingering of a chord by its index: frets of the strings
    // E1 A1 D2 G2, -1 for a string not played.
    static QVector<int> fingering(int index);

protected:
    // Stores a chord: its fingering and, per string, the sample of the fret
    // or "" for a muted string or a fret above 13.
    void setChord(int index, int s1, int s2, int s3, int s4);
};

} // namespace VADirur
