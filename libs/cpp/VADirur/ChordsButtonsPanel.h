#pragma once

#include <QFrame>
#include <QStringList>

class QButtonGroup;
class QPushButton;

namespace VADirur {

// The chord selector: 21 root buttons above 11 chord-type buttons, one of
// each always checked. A chord index is root index * 11 + type index; a
// chord text is a root label directly followed by a type label.
// GUI thread only.
class ChordsButtonsPanel : public QFrame
{
    Q_OBJECT

public:
    static constexpr int RootLabelCount = 21;
    static constexpr int TypeLabelCount = 11;

    explicit ChordsButtonsPanel(QWidget* parent = nullptr);

    // Checks the root the text starts with and the type it ends with (the
    // major type when none), then emits chordChanged() once with the text.
    void setChord(const QString& text);
    // The chord index of a chord text; 131 for any other text.
    int stringToChord(const QString& text) const;

    QString currentChordPart1() const;
    QString currentChordPart2() const;
    QString currentChord() const;

    static void applyPanelButtonProperties(QPushButton* button);

    // Hide one type button; it keeps its group and its grid cell.
    void hideBlank();
    void hideM();
    void hideAug();
    void hideDim();
    void hide6();
    void hideM6();
    void hide7();
    void hideM7();
    void hideMaj7();
    void hide9();
    void hideSus4();

signals:
    void chordChanged(int index, const QString& text);

private slots:
    void slotButtonClicked();

private:
    void createButtons();
    void createGroups();
    QFrame* createTypeFrame(int margin);
    QFrame* createRootFrame(int margin);
    void checkRoot(const QString& text);
    void checkType(const QString& text);

    QPushButton* m_rootButtons[RootLabelCount] = {};
    QPushButton* m_typeButtons[TypeLabelCount] = {};
    QButtonGroup* m_rootGroup = nullptr;
    QButtonGroup* m_typeGroup = nullptr;
    QStringList m_rootLabels;
};

} // namespace VADirur
