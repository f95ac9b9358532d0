#pragma once

#include "ChordsMainPage.h"

namespace VADirur {

// The prima balalaika; its two lower strings share one note.
class BalalaikaChordsMainPage : public ChordsMainPage
{
    Q_OBJECT

public:
    explicit BalalaikaChordsMainPage(QWidget* parent);

    void addShopMenu() override;
    void initChords() override;

    // The fingering of a chord by its index: frets of the strings
    // E4 E4 A4, -1 for a string not played.
    static QVector<int> fingering(int index);

protected:
    // Stores a chord: its fingering and, per string, the sample of the fret
    // or "" for a muted string or a fret above 9.
    void setChord(int index, int s1, int s2, int s3);
};

} // namespace VADirur
