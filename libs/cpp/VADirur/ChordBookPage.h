#pragma once

#include "ChordsMainPage.h"

#include <QHash>

namespace VADirur {

struct ChordTable;

// A chord page whose book comes from an instrument's table: it names the
// instrument, fills the 132 chords with their fingerings and samples,
// shows the first chord and makes the instrument's shop.
class ChordBookPage : public ChordsMainPage
{
    Q_OBJECT

public:
    void addShopMenu() override;
    void initChords() override;

protected:
    ChordBookPage(const ChordTable& table, QWidget* parent);

    // Stores a chord: its fingering and, per string, the sample of the fret,
    // "" for a string not played or a fret above the table's highest.
    void setChord(int index, const QVector<int>& tab);

private:
    QString samplePath(int string, int fret);

    const ChordTable& m_table;
    // The chords name the same few samples over and over: each path is
    // built once, by MIDI note, and shared.
    QHash<int, QString> m_samplePaths;
};

} // namespace VADirur
