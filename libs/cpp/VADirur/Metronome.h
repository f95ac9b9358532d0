#pragma once

#include "MetronomeClock.h"
#include "MusicPagePictures.h"

#include <QFrame>
#include <QPixmap>
#include <QTimer>

namespace VADirur {

class MetronomeBeats;
class MetronomeControls;

// The metronome's face and its engine: ticks at the controls' tempo from
// construction on, sounds each beat on time, lights its lamp and moves the
// face's eyes; the first beat of each bar rings a bell.
class Metronome : public QFrame
{
    Q_OBJECT

public:
    explicit Metronome(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void slotTick();
    void slotVisibleTickChanged(bool checked);
    void slotAudibleTickChanged(bool checked);
    void slotTickIntervalChanged(int bpm);

private:
    // One step of the bar; a tick sounds and advances, a refresh only sets the face.
    void updateState(bool tick);
    void normalBehavior(bool tick);
    // Sounds a file of the Resources folder on the current beat.
    void play(const QString& fileName);
    void restartTimer(int bpm);
    void layOut();

    QPixmap& baseEyesLeftPix();
    QPixmap& eyesRightPix();
    QPixmap& beatPix();
    QPixmap& muteEyesLeftPix();
    QPixmap& muteEyesRightPix();
    QPixmap& muteBeatPix();
    QPixmap& eyesClosedPix();
    QPixmap& closedMutePix();
    QPixmap& cachedPix(QPixmap& cache, MusicPagePictures::MetronomeFace face);
    void setNeedsRecreatePixmaps();
    // Paints a picture made at twice the widget's size, centred, at half its pixel size.
    void drawPixmap(QPainter* painter, const QPixmap& pixmap);

    MetronomeControls* m_pControls;
    MetronomeBeats* m_pBeats;
    QPixmap m_baseEyesLeftPix;
    QPixmap m_eyesRightPix;
    QPixmap m_beatPix;
    QPixmap m_muteEyesLeftPix;
    QPixmap m_muteEyesRightPix;
    QPixmap m_muteBeatPix;
    QPixmap m_eyesClosedPix;
    QPixmap m_closedMutePix;
    QPixmap m_face;
    QTimer m_timer;
    qint32 m_nTicks = 0;
    bool m_bVisibleTick = true;
    bool m_bAudibleTick = true;
    qint32 m_nBeatIndex = 0;
    QString m_strResourcesPath;
    MetronomeClock m_clock;
    // The time of the beat being ticked, for its sound.
    qint64 m_nBeatNs = 0;
};

} // namespace VADirur
