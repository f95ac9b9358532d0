#pragma once

#include <QFrame>
#include <QMap>
#include <QStringList>
#include <QVector>

#include <functional>

class QAction;
class QMenu;
class QPushButton;

namespace VADirur {

class ChordsButtonsPanel;
class ChordsTabBar;
class FavoritesDeleteDlg;

// The chord sequence under a chord page: tabs of chord texts (root, line
// feed, type), transposition by 1 to 11 semitones, the sound switch and
// the favourites kept in the settings. GUI thread only.
class Transposer : public QFrame
{
    Q_OBJECT

public:
    explicit Transposer(QWidget* parent = nullptr);
    ~Transposer() override;

    // The panel to read the chosen chord from and to select chords on.
    void setChordsButtonsPanel(ChordsButtonsPanel* panel);

    int currentChordIndex() const;
    void setCurrentChordIndex(int index);
    QStringList currentChords() const;
    // Replaces every tab, without checking the texts.
    void setCurrentChords(const QStringList& chords);

    // Reads the sound switch from the settings.
    void updateState();
    // Re-reads the favourites and rebuilds their menu and delete list.
    void recreateFavoritesMenu();

    // The stored value of the favourite a new installation starts with.
    static QString defaultFavorite();

signals:
    void play();

private slots:
    void slotSoundClicked();
    void slotTransposeD();
    void slotTransposeB();
    void slotNewFavorite();
    void slotSaveFavorite();
    void slotLoadFavorite();
    void slotDeleteFavorite();
    void slotTabClicked();
    void slotAddChord();
    void slotRemoveChord();
    void slotChordsCountChanged(int count);

private:
    void setUpButtons(QPushButton* addButton, QPushButton* favoritesButton);
    void createTransposeMenu();
    void createLayout(QPushButton* addButton, QPushButton* favoritesButton);
    void setSoundCaption();
    void transpose(QAction* action, bool up);
    QString transposedTab(const QString& tab, int steps) const;
    QVector<int> readFavorites();
    void insertFavorite(const QString& value);
    void saveFavorites(const QVector<int>& stored);
    void changeFavorites(const std::function<void()>& change);
    void removeHiddenFavorites();

    ChordsTabBar* m_tabBar = nullptr;
    ChordsButtonsPanel* m_chordsButtonsPanel = nullptr;
    QStringList m_flatNotes;
    QStringList m_sharpNotes;
    QMenu* m_favoritesMenu = nullptr;
    QMap<QString, QStringList> m_favorites;
    QPushButton* m_transposeButton = nullptr;
    QAction* m_saveFavoriteAction = nullptr;
    QPushButton* m_removeButton = nullptr;
    QPushButton* m_soundButton = nullptr;
    FavoritesDeleteDlg* m_deleteDlg = nullptr;
};

} // namespace VADirur
