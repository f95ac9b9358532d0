#include "PianoChordsMainPage.h"

#include "ChordFiles.h"
#include "ChordView.h"
#include "PianoShop.h"

namespace VADirur {

static const int lowestKey = 48; // C3

// The pressed keys of each chord by index, in sample note names; the types
// of each root in the order major, m, aug, dim, 6, m6, 7, maj7, m7, 9, sus4.
static const char* const chordKeys[132] = {
    // A
    "A3 Cd4 E4",
    "C3 E3 A3",
    "F3 A3 Cd4",
    "C3 Dd3 Fd3 A3",
    "Fd3 A3 Cd4 E4",
    "A3 C4 E4 Fd4",
    "A3 Cd4 E4 G4",
    "A3 Cd4 E4 Gd4",
    "A3 C4 E4 G4",
    "A3 Cd4 E4 G4 B4",
    "A3 D4 E4",
    // Ab
    "Gd3 C4 Dd4",
    "Gd3 B3 Dd4",
    "C3 E3 Gd3",
    "D3 F3 Gd3 B3",
    "F3 Gd3 C4 Dd4",
    "Gd3 B3 Dd4 F4",
    "C3 Dd3 Fd3 Gd4",
    "Gd3 C4 Dd4 G4",
    "Gd3 B3 Dd4 Fd4",
    "Gd3 C4 Dd4 Fd4 Ad4",
    "Gd3 Cd4 Dd4",
    // B
    "B3 Dd4 Fd4",
    "B3 D4 Fd4",
    "G3 B3 Dd4",
    "D3 F3 Gd3 B3",
    "Gd3 B3 Dd4 Fd4",
    "B3 D4 Fd4 Gd4",
    "B3 Dd4 Fd4 A4",
    "B3 Dd4 Fd4 Ad4",
    "B3 D4 Fd4 A4",
    "Cd3 B3 Dd4 Fd4 A4",
    "B3 E4 Fd4",
    // Bb
    "Ad3 D4 F4",
    "Ad3 Cd4 F4",
    "D3 Fd3 Ad3",
    "E3 G3 Ad3 Cd4",
    "G3 Ad3 D4 F4",
    "Ad3 Cd4 F4 G4",
    "Ad3 D4 F4 Gd4",
    "Ad3 D4 F4 A4",
    "Ad3 Cd4 F4 Gd4",
    "C3 Ad3 D4 F4 Gd4",
    "Ad3 Dd4 F4",
    // C
    "C3 E3 G3",
    "C3 Dd3 G3",
    "C3 E3 Gd3",
    "C3 Dd3 Fd3 A3",
    "A3 C4 E4 G4",
    "C3 Dd3 G3 A3",
    "C3 E3 G3 Ad3",
    "C3 E3 G3 B3",
    "C3 Dd3 G3 Ad3",
    "C3 E3 G3 Ad3 D4",
    "C3 F3 G3",
    // D
    "D3 Fd3 A3",
    "D3 F3 A3",
    "D3 Fd3 Ad3",
    "D3 F3 Gd3 B3",
    "B3 D4 Fd4 A4",
    "D3 F3 A3 B3",
    "D3 Fd3 A3 C4",
    "D3 Fd3 A3 Cd4",
    "D3 F3 A3 C4",
    "D3 Fd3 A3 C4 E4",
    "D3 G3 A3",
    // Db
    "Cd3 F3 Gd3",
    "Cd3 E3 Gd3",
    "F3 A3 Cd4",
    "E3 G3 Ad3 Cd4",
    "Ad3 Cd4 F4 Gd4",
    "Cd3 E3 Gd3 Ad3",
    "Cd3 F3 Gd3 B3",
    "Cd3 F3 Gd3 C4",
    "Cd3 E3 Gd3 B3",
    "Cd3 F3 Gd3 B3 Dd4",
    "Cd3 Fd3 Gd3",
    // E
    "E3 Gd3 B3",
    "E3 G3 B3",
    "C3 E3 Gd3",
    "E3 G3 Ad3 Cd4",
    "Cd3 E3 Gd3 B3",
    "E3 G3 B3 Cd4",
    "E3 Gd3 B3 D4",
    "E3 Gd3 B3 Dd4",
    "E3 G3 B3 D4",
    "E3 Gd3 B3 D4 Fd4",
    "E3 A3 B3",
    // Eb
    "Dd3 G3 Ad3",
    "Dd3 Fd3 Ad3",
    "G3 B3 Dd4",
    "C3 Dd3 Fd3 A3",
    "C3 Dd3 G3 Ad3",
    "Dd3 Fd3 Ad3 C4",
    "Dd3 G3 Ad3 Cd4",
    "Dd3 G3 Ad3 D4",
    "Dd3 Fd3 Ad3 Cd4",
    "Dd3 G3 Ad3 Cd4 F4",
    "Dd3 Gd3 Ad3",
    // F
    "F3 A3 C4",
    "F3 Gd3 C4",
    "F3 A3 Cd4",
    "D3 F3 Gd3 B3",
    "D3 F3 A3 C4",
    "F3 Gd3 C4 D4",
    "F3 A3 C4 Dd4",
    "F3 A3 C4 E4",
    "F3 Gd3 C4 Dd4",
    "F3 A3 C4 Dd4 G4",
    "F3 Ad3 C4",
    // G
    "G3 B3 D4",
    "G3 Ad3 D4",
    "G3 B3 Dd4",
    "E3 G3 Ad3 Cd4",
    "E3 G3 B3 D4",
    "G3 Ad3 D4 E4",
    "G3 B3 D4 F4",
    "G3 B3 D4 Fd4",
    "G3 Ad3 D4 F4",
    "G3 B3 D4 F4 A4",
    "G3 C4 D4",
    // Gb
    "Fd3 Ad3 Cd4",
    "Fd3 A3 Cd4",
    "D3 Fd3 Ad3",
    "C3 Dd3 Fd3 A3",
    "Dd3 Fd3 Ad3 Cd4",
    "Fd3 A3 Cd4 Dd4",
    "Fd3 Ad3 Cd4 E4",
    "Fd3 Ad3 Cd4 F4",
    "Fd3 A3 Cd4 E4",
    "Fd3 Ad3 Cd4 E4 Gd4",
    "Fd3 B3 Cd4",
};

// The key of a note name such as "Cd4", counted from C3.
static int keyOf(const QString& name)
{
    static const QString letters = QStringLiteral("C D EF G A B");
    int key = letters.indexOf(name.at(0)) + (name.at(1) == QLatin1Char('d') ? 1 : 0);
    return key + (name.back().digitValue() + 1) * 12 - lowestKey;
}

PianoChordsMainPage::PianoChordsMainPage(QWidget* parent)
    : ChordsMainPage(parent)
{
    for (int key = 0; key < 24; ++key)
        m_keyPaths << ChordFiles::samplePath(m_strResourcePath, QStringLiteral("piano"),
            lowestKey + key, 0, lowestKey, lowestKey + 23);
    setInstrumentName(QStringLiteral("piano"));
    setDelay(40);
    initChords();
    m_pChordView->setChordTabAndName(0, m_vecTabs.at(0), QStringLiteral("A"));
}

void PianoChordsMainPage::addShopMenu()
{
    m_pShop = new PianoShop(this);
    doShopConnections();
}

QVector<int> PianoChordsMainPage::fingering(int index)
{
    QVector<int> keys(24, -1);
    const QStringList names = QString::fromLatin1(chordKeys[index]).split(QLatin1Char(' '));
    for (const QString& name : names)
        keys[keyOf(name)] = 0;
    return keys;
}

void PianoChordsMainPage::initChords()
{
    for (int index = 0; index < 132; ++index) {
        const QVector<int> k = fingering(index);
        setChord(index, k[0], k[1], k[2], k[3], k[4], k[5], k[6], k[7], k[8], k[9], k[10], k[11],
            k[12], k[13], k[14], k[15], k[16], k[17], k[18], k[19], k[20], k[21], k[22], k[23]);
    }
}

void PianoChordsMainPage::setChord(int index, int k0, int k1, int k2, int k3, int k4, int k5,
    int k6, int k7, int k8, int k9, int k10, int k11, int k12, int k13, int k14, int k15, int k16,
    int k17, int k18, int k19, int k20, int k21, int k22, int k23)
{
    const QVector<int> keys = {k0, k1, k2, k3, k4, k5, k6, k7, k8, k9, k10, k11, k12, k13, k14, k15,
        k16, k17, k18, k19, k20, k21, k22, k23};
    QStringList sounds;
    for (int key = 0; key < 24; ++key)
        sounds << (keys.at(key) == 0 ? m_keyPaths.at(key) : QString());
    m_vecSounds[index] = sounds;
    m_vecTabs[index] = keys;
}

} // namespace VADirur
