#pragma once

#include "ChordsMainPage.h"

namespace VADirur {

// The piano's chord page: the keys to press on the two octaves from C3.
class PianoChordsMainPage : public ChordsMainPage
{
    Q_OBJECT

public:
    explicit PianoChordsMainPage(QWidget* parent);

    void addShopMenu() override;
    void initChords() override;

    // The 24 key values of a chord by its index: 0 pressed, -1 not.
    static QVector<int> fingering(int index);

private:
    void setChord(int index, int k0, int k1, int k2, int k3, int k4, int k5, int k6, int k7, int k8,
        int k9, int k10, int k11, int k12, int k13, int k14, int k15, int k16, int k17, int k18,
        int k19, int k20, int k21, int k22, int k23);

    QStringList m_keyPaths;
};

} // namespace VADirur
