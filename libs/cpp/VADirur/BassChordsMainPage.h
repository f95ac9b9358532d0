#pragma once

#include "ChordsMainPage.h"

namespace VADirur {

// The bass guitar in the first positions. It shares the samples of the
// higher-position bass page; no photographs exist for it.
class BassChordsMainPage : public ChordsMainPage
{
    Q_OBJECT

public:
    explicit BassChordsMainPage(QWidget* parent);

    void addShopMenu() override;
    void initChords() override;

    // The fingering of a chord by its index: frets of the strings
    // E1 A1 D2 G2, -1 for a string not played.
    static QVector<int> fingering(int index);

protected:
    // Stores a chord: its fingering and, per string, the sample of the fret
    // or "" for a muted string or a fret above 8.
    void setChord(int index, int s1, int s2, int s3, int s4);
};

} // namespace VADirur
