#include "NativeAudioPlayer.h"

#include "NativeAudioPlayerInternal.h"

namespace DIReridArazi {

NativeAudioPlayer::NativeAudioPlayer(QObject* parent)
    : QObject(parent)
    , m_internal(new NativeAudioPlayerInternal(this))
{
    connect(m_internal, &NativeAudioPlayerInternal::finished, this, &NativeAudioPlayer::finished);
    connect(m_internal, &NativeAudioPlayerInternal::positionChanged, this,
        &NativeAudioPlayer::positionChanged);
}

void NativeAudioPlayer::play(const QString& path)
{
    m_internal->play(path);
}

void NativeAudioPlayer::playAt(const QString& path, qint64 startNs)
{
    m_internal->playAt(path, startNs);
}

void NativeAudioPlayer::playAtFrame(const QString& path, qint64 frame)
{
    m_internal->playAtFrame(path, frame);
}

void NativeAudioPlayer::play()
{
    m_internal->play();
}

void NativeAudioPlayer::setMedia(const QString& path)
{
    m_fileName = path;
    m_internal->setMedia(path);
}

QString NativeAudioPlayer::fileName() const
{
    return m_fileName;
}

void NativeAudioPlayer::stop()
{
    m_internal->stop();
}

void NativeAudioPlayer::pause()
{
    m_internal->pause();
}

void NativeAudioPlayer::setPosition(qint64 ms)
{
    m_internal->setPosition(ms);
}

qint64 NativeAudioPlayer::position() const
{
    return m_internal->position();
}

qint64 NativeAudioPlayer::duration() const
{
    return m_internal->duration();
}

void NativeAudioPlayer::setVolume(double volume)
{
    m_internal->setVolume(volume);
}

double NativeAudioPlayer::volume() const
{
    return m_internal->volume();
}

void NativeAudioPlayer::setMuted(bool muted)
{
    if (muted) {
        m_savedVolume = volume();
        setVolume(0.0);
    } else {
        setVolume(m_savedVolume);
    }
}

bool NativeAudioPlayer::isMuted() const
{
    return volume() <= 0.0;
}

void NativeAudioPlayer::setBalance(float balance)
{
    m_internal->setBalance(balance);
}

bool NativeAudioPlayer::isPlaying() const
{
    return m_internal->isPlaying();
}

bool NativeAudioPlayer::isStopped() const
{
    return m_internal->isStopped();
}

bool NativeAudioPlayer::isPaused() const
{
    return m_internal->isPaused();
}

} // namespace DIReridArazi
