#pragma once

#include "MetronomeClock.h"
#include "MusicPagePictures.h"

#include <QFrame>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QVector>

namespace DIReridArazi {
class NativeAudioPlayer;
}

namespace VADirur {

class MetronomeBeats;
class MetronomeControls;

// The metronome's face and its engine: ticks at the controls' tempo from
// construction on, sounds each beat on time, lights its lamp and moves the
// face's eyes; the first beat of each bar rings a bell.
// The beats lie on a grid of the sound engine's output frames. Each tick's
// sound is handed to the engine for its frame well ahead, so that a late
// GUI thread delays no tick; the face and the lamps follow once the output
// has reached the tick. Only a new tempo starts a new grid.
class Metronome : public QFrame
{
    Q_OBJECT

public:
    explicit Metronome(QWidget* parent);
    // Ticks still to come are silenced; one already sounding plays out.
    ~Metronome() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    // Once a period: hands the engine the sounds of the coming ticks.
    void slotTick();
    // Shows the ticks the output has reached.
    void slotShowTicks();
    void slotVisibleTickChanged(bool checked);
    void slotAudibleTickChanged(bool checked);
    // The controls hold the tempo to 38 to 208 beats per minute.
    void slotTickIntervalChanged(int bpm);

private:
    struct ScheduledSound
    {
        qint64 frame;
        QPointer<DIReridArazi::NativeAudioPlayer> player;
    };

    // One step of the bar on the face and the lamps; a tick advances, a
    // refresh only sets the face.
    void updateState(bool tick);
    void normalBehavior();
    // Sounds a file of the Resources folder at the output frame.
    void play(const QString& fileName, qint64 frame);
    void restartTimer(int bpm);
    // Schedules the sounds of the ticks up to a while ahead of the output;
    // ticks before earliestFrame stay as they are.
    void scheduleSounds(qint64 earliestFrame);
    // Schedules anew from the last tick shown, after a switch or the bar changed.
    void rescheduleSounds();
    // Silences the scheduled sounds from the frame on.
    void cancelSounds(qint64 fromFrame);
    // The first frame whose sound may still be scheduled or cancelled.
    static qint64 earliestFrame();
    void aimFaceTimer();
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
    // Where the face is drawn: the widget below the lamps, so that they
    // never cover it.
    QRect faceArea() const;
    // Paints a picture made at twice the face area's size, centred in it, at
    // half that size.
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
    // Shows each tick when the output reaches its frame.
    QTimer m_faceTimer;
    // Ticks of the grid shown, and scheduled; the beat index after the last
    // scheduled one.
    qint64 m_nShownTicks = 0;
    qint64 m_nScheduledTicks = 0;
    qint32 m_nScheduledBeatIndex = 0;
    QVector<ScheduledSound> m_sounds;
};

} // namespace VADirur
