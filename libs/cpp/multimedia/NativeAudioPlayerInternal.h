#pragma once

#include <QObject>
#include <QTimer>

namespace DIReridArazi {

class AudioVoice;

// The platform back end of NativeAudioPlayer: one voice of the audio
// engine, the 500 ms position timer and the play state. GUI thread only.
class NativeAudioPlayerInternal : public QObject
{
    Q_OBJECT

public:
    explicit NativeAudioPlayerInternal(QObject* parent);
    ~NativeAudioPlayerInternal() override;

    void play(const QString& path);
    void playAt(const QString& path, qint64 startNs);
    void playAtFrame(const QString& path, qint64 frame);
    void play();
    void setMedia(const QString& path);
    void stop();
    void pause();
    void setPosition(qint64 ms);
    qint64 position() const;
    qint64 duration() const;
    void setVolume(double volume);
    double volume() const;
    void setBalance(float balance);
    bool isPlaying() const;
    bool isStopped() const;
    bool isPaused() const;

signals:
    void finished();
    void positionChanged(qint64 ms);

private slots:
    void slotPositionChanged();

private:
    enum State { Playing = 0, Stopped = 1, Paused = 2 };

    void releasePlayer();
    // Starts the voice at the time or, when startFrame is not negative, at
    // the output frame; one already past (startNs 0 too) is now.
    void start(qint64 startNs, qint64 startFrame);

    AudioVoice* m_player = nullptr;
    QTimer m_positionTimer;
    // Stopped until the first play, stop or pause.
    int m_state = Stopped;
    double m_volume = 0.5;
};

} // namespace DIReridArazi
