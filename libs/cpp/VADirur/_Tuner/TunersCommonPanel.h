#pragma once

#include <QFrame>

class QCheckBox;
class QHBoxLayout;
class QMenu;
class QPushButton;

namespace VADirur {

// The tuner's strip of common controls: the reference pitch of A4 with its
// menu, the "Repeat the Sounds" switch and the App menu. The pitch and the
// switch live in the settings ("Pitch", "Repeat"), where the pages read them;
// every panel shows the choice made in any of them. GUI thread only.
class TunersCommonPanel : public QFrame
{
    Q_OBJECT

public:
    explicit TunersCommonPanel(QWidget* parent);
    ~TunersCommonPanel() override;

    // Shows the pitch in Hz on every panel's pitch button and stores it.
    void setPitch(int pitch);

signals:
    // The user switched repeat mode, in this panel or in another one.
    void repeatModeChangedTo(bool on);

private slots:
    void slotSetPitch415();
    void slotSetPitch430();
    void slotSetPitch435();
    void slotSetPitch439();
    void slotSetPitch440();
    void slotSetPitch442();
    void slotSetPitch443();
    void slotSetPitch445();
    void slotSetPitch452();
    void slotSetPitch460();
    void slotRepeatModeChanged(bool on);
    void slotAbout();

protected:
    // A flat "PanelButton" for this strip.
    QPushButton* makePanelButton(const QString& text);

    QHBoxLayout* m_pLayout;
    QPushButton* m_pPitchButton;
    QCheckBox* m_pRepeatCheckBox;
    QPushButton* m_pAppButton;

private:
    QMenu* makePitchMenu();
    QMenu* makeAppMenu();
    // Checks the box as another panel's user did, and passes the mode on.
    void followRepeatMode(bool on);
};

} // namespace VADirur
