#pragma once

#include <QObject>
#include <QString>

namespace DIReridArazi {

class NativeAudioPlayerInternal;

// Plays one audio file at a time and signals finished() once a started
// sound has ended by itself. Callers playing a sample create it without a
// parent, connect finished() to deleteLater() and call play(path); many
// may sound at once. GUI thread only.
class NativeAudioPlayer : public QObject
{
    Q_OBJECT

public:
    explicit NativeAudioPlayer(QObject* parent = nullptr);

    // Opens path and plays it; fileName() stays as it was.
    void play(const QString& path);
    // Like play(path), but the sound begins at the output sample that belongs
    // to startNs on DIReridArazi::AudioEngine::clockNs(); a time already past
    // starts at once. Ask a few periods (some 20 ms) ahead for an exact start.
    void playAt(const QString& path, qint64 startNs);
    // Like play(path), but the sound begins at the output frame, as
    // DIReridArazi::AudioEngine::framesMixed() counts them; a frame the mixer
    // has passed starts at once.
    void playAtFrame(const QString& path, qint64 frame);
    // Starts or resumes the current media.
    void play();
    void setMedia(const QString& path);
    QString fileName() const;
    // Stops and rewinds.
    void stop();
    void pause();
    void setPosition(qint64 ms);
    qint64 position() const;
    qint64 duration() const;
    void setVolume(double volume);
    double volume() const;
    // Muting remembers the volume; unmuting restores it.
    void setMuted(bool muted);
    bool isMuted() const;
    // Pan of the current media only; media opened later plays centred.
    void setBalance(float balance);
    bool isPlaying() const;
    bool isStopped() const;
    bool isPaused() const;

signals:
    void finished();
    void positionChanged(qint64 ms);

private:
    NativeAudioPlayerInternal* m_internal;
    QString m_fileName;
    // The default volume until the first mute.
    double m_savedVolume = 0.5;
};

} // namespace DIReridArazi
