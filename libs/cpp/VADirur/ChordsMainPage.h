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
// A page made while content is deferred has only its promotion bar and its
// book until it is first shown or its chord or sequence is first set; till
// then it reports the first chord, A, and an empty sequence.
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
    // Whether the pages made from now on defer their content.
    static void setContentDeferred(bool deferred);

    void setVisible(bool visible) override;
    // At least 400 × 600, and as large as the selector, the chord view and
    // the sequence need to show whole.
    QSize minimumSizeHint() const override;

public slots:
    void slotPlay();
    // Starts one player per non-empty path, all in this one call.
    void slotPlayChord(const QStringList& sounds);

private slots:
    void slotSetChordAndName(int n, const QString& str);

protected:
    // The shown chord's samples are decoded ahead, once the page's frame is
    // painted and whenever another chord is picked, so that a press finds them.
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The subclass's constructor calls it once the book is filled: builds
    // the content unless it is deferred.
    void finishConstruction();

    // Null until the content is built.
    ChordsButtonsPanel* m_pChordsButtonsPanel = nullptr;
    ChordView* m_pChordView = nullptr;
    int m_nCurrentChord = 0;
    QVector<QStringList> m_vecSounds;
    QVector<QVector<int>> m_vecTabs;
    Transposer* m_pTransposer = nullptr;
    QString m_strResourcePath;
    int m_nDelay = 0;

private:
    // The selector panel, the chord view and the sequence, once.
    void ensureContent();
    void prefetchShownChord();

    QString m_instrumentName;
    bool m_prefetchDue = false;
};

} // namespace VADirur
