#pragma once

#include "BaseMainPage.h"

#include <QStringList>
#include <QVector>

namespace VADirur {

class ChordsButtonsPanel;
class ChordView;
class Transposer;

// The chord page of one instrument: the selector panel, the chord view and
// the chord sequence under the promotion bar, and the book of 132 chords
// (fingering and samples) that the subclass fills in initChords().
class ChordsMainPage : public BaseMainPage
{
    Q_OBJECT

public:
    explicit ChordsMainPage(QWidget* parent);
    ~ChordsMainPage() override;

    // Fills all 132 chords; the subclass's constructor calls it.
    virtual void initChords() = 0;

    void setInstrumentName(const QString& name);
    void setDelay(int delay);

    // The page state that the main window carries between instruments.
    QString currentChord() const;
    void setCurrentChord(const QString& chord);
    QStringList currentTransposerChords() const;
    void setCurrentTransposerChords(const QStringList& chords);
    int currentTransposerChordIndex() const;
    void setCurrentTransposerChordIndex(int index);
    void recreateFavoritesMenu();
    void updateTransposerState();

    // Sets the application style sheet.
    static void applyStyle();

public slots:
    void slotPlay();
    // Starts one player per non-empty path, all in this one call.
    void slotPlayChord(const QStringList& sounds);

private slots:
    void slotSetChordAndName(int n, const QString& str);

protected:
    // Has the page's samples decoded ahead, so that a first press finds them.
    void showEvent(QShowEvent* event) override;

    ChordsButtonsPanel* m_pChordsButtonsPanel;
    ChordView* m_pChordView;
    int m_nCurrentChord = 0;
    QVector<QStringList> m_vecSounds;
    QVector<QVector<int>> m_vecTabs;
    Transposer* m_pTransposer;
    QString m_strResourcePath;
    int m_nDelay = 0;
};

} // namespace VADirur
