#pragma once

#include "TunerInstruments.h"

#include <QFrame>
#include <QPixmap>
#include <QStringList>

namespace VADirur {

class ButtonsPanel;
class ModesPanel;
class TuneButton;

// One instrument's tuner page: the links panel at the top, the string
// buttons at the foot and the instrument's picture behind them. A string
// button plays its string's tone at the reference pitch chosen in the
// settings ("Pitch").
class TunerBasePage : public QFrame
{
    Q_OBJECT

public:
    explicit TunerBasePage(QWidget* parent);

    void setPicture(const QPixmap& picture);
    // Null for an index outside 0 to 9.
    TuneButton* button(int index) const;
    ModesPanel* modesPanel() const;
    // Hides the pitch button, the repeat switch and the App button.
    void hideAppOptions();

public slots:
    void slotSetRepeatMode(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

    // What an instrument page does first: its picture, and one button per
    // string with its note as caption and its sample pattern, shown from
    // the instrument's first shown string on.
    void setInstrument(TunerInstruments::Instrument instrument);
    // What it does last: the shop links of the system's country, the
    // product entries and the shop entries of the More menu.
    void fillLinksPanel(TunerInstruments::Instrument instrument);

private slots:
    // Plays the pattern's sample at the current reference pitch, when shown.
    void slotPlay(const QString& pattern);

private:
    QPixmap scaledPicture() const;

    ButtonsPanel* m_pButtonsPanel;
    ModesPanel* m_pModesPanel;
    QPixmap m_picture;

protected:
    // The sample pattern of each string button, button 0 first; set by
    // setInstrument(). Each button plays its pattern through one connection
    // made with the page, so a page set up again still plays a string once.
    QStringList soundPatterns;
    // The samples' folder, ending in "/".
    const QString resourcesPath;
};

} // namespace VADirur
