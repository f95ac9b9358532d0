#include "ChordBookPage.h"

#include "ChordTable.h"
#include "SampleName.h"

namespace VADirur {

ChordBookPage::ChordBookPage(const ChordTable& table, QWidget* parent)
    : ChordsMainPage(parent)
    , m_table(table)
{
    setInstrumentName(QLatin1String(table.instrument));
    setDelay(table.delay);
    initChords();
    finishConstruction();
}

void ChordBookPage::addShopMenu()
{
    m_pShop = m_table.createShop(this);
    doShopConnections();
}

void ChordBookPage::initChords()
{
    for (int index = 0; index < m_vecTabs.size(); ++index)
        setChord(index, m_table.fingering(index));
}

void ChordBookPage::setChord(int index, const QVector<int>& tab)
{
    QStringList sounds;
    for (int string = 0; string < tab.size(); ++string)
        sounds << samplePath(string, tab.at(string));
    m_vecSounds[index] = sounds;
    m_vecTabs[index] = tab;
}

QString ChordBookPage::samplePath(int string, int fret)
{
    if (fret < 0 || fret > m_table.highestFret)
        return QString();
    const int note = m_table.openNotes[string] + fret;
    QString& path = m_samplePaths[note];
    if (path.isNull())
        path = m_strResourcePath
            + DIReridArazi::SampleName::fileName(QLatin1String(m_table.samples), 440, note);
    return path;
}

} // namespace VADirur
