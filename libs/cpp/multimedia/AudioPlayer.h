#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace DIReridArazi {

class NativeAudioPlayer;

// The application-wide player of single files, once or in a loop. Its
// volume and mute state start from the settings "/SoundVolume" and
// "/SoundMute" of the application object and are written back by
// slotSetAboutToQuit(); without an application object that keeps settings it
// starts at 0.5, not muted, and stores nothing. Made on first use and never
// deleted by the program. GUI thread only.
class AudioPlayer : public QObject
{
    Q_OBJECT

public:
    static AudioPlayer* instance();
    ~AudioPlayer() override;

    // A loop restarts the file every duration() ms until stop() or a play
    // without looping; a file of no length, or one that cannot be opened, is
    // not looped.
    void play(const QString& file, bool looped);
    void stop();
    void play();
    void pause();
    qint64 duration() const;
    qint64 position() const;
    void setPosition(qint64 ms);
    qint64 remainingDuration() const;
    double volume() const;
    bool isMuted() const;
    bool isPlaying() const;
    bool isStopped() const;
    bool isPaused() const;
    QString fileName() const;

signals:
    // Comes when a caller stops the player.
    void stopped();
    void finished();
    void positionChanged(qint64 ms);

public slots:
    void setMuted(bool muted);
    void setVolume(double volume);
    void slotStop();

private slots:
    void loopedPlay();
    void slotSetAboutToQuit();

private:
    AudioPlayer();
    void armLoop();

    NativeAudioPlayer* m_player;
    bool m_loopStopped = false;
    QTimer m_loopTimer;
    static AudioPlayer* _uniqueInstance;
};

} // namespace DIReridArazi
