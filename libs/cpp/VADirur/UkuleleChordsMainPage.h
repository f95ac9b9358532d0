#pragma once

#include "ChordsMainPage.h"

namespace VADirur {

// The ukulele's chord page: strings G4, C4, E4, A4 (re-entrant tuning).
class UkuleleChordsMainPage : public ChordsMainPage
{
    Q_OBJECT

public:
    explicit UkuleleChordsMainPage(QWidget* parent);

    void addShopMenu() override;
    void initChords() override;

    // The fingering of a chord by its index: frets of the strings G, C, E, A.
    static QVector<int> fingering(int index);

private:
    void setChord(int index, int s1, int s2, int s3, int s4);
    QString notePath(int note) const;

    QStringList m_notePaths;
};

} // namespace VADirur
