#pragma once

#include <QFrame>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace VADirur {

// The metronome's tempo, its classical tempo names, the beats per bar and
// the two switches; a checked switch turns its tick off.
class MetronomeControls : public QFrame
{
    Q_OBJECT

public:
    explicit MetronomeControls(QWidget* parent);

    // The tempo in beats per minute; 1000 when the label holds no number.
    int interval() const;
    int beatsCount() const;
    // Shows the tempo, held to 38 to 208 beats per minute, and emits
    // intervalChanged() with it.
    void setInterval(int bpm);
    // Makes current the tempo row that holds bpm, unless it already is.
    void setSelectListItem(int bpm);

signals:
    void beatsCountChanged(int count);
    void visibleTickChanged(bool checked);
    void audibleTickChanged(bool checked);
    // The argument is the tempo in beats per minute.
    void intervalChanged(int bpm);

private slots:
    void slotBeatsCountChanged();
    void slotTempoInc();
    void slotTempoDec();
    void slotCurrentItemChanged();

private:
    void buildBeatsMenu();
    void setUpTempoList();
    void layOut();
    int rowOfTempo(int bpm) const;

    QPushButton* m_pVisibleTickButton;
    QPushButton* m_pAudibleTickButton;
    QTreeWidget* m_pTempoList;
    QPushButton* m_pBeatCombo;
    QPushButton* m_pBeatButton;
    QLabel* m_pTempoLabel;
    QPushButton* m_pTempoIncButton;
    QPushButton* m_pTempoDecButton;
    int m_nBeatsCount;
    QTreeWidgetItem* m_pTempoRows[6];
};

} // namespace VADirur
