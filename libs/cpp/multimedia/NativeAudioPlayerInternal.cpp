#include "NativeAudioPlayerInternal.h"

#include "AudioEngine.h"
#include "AudioVoice.h"

#include <cmath>

namespace DIReridArazi {

NativeAudioPlayerInternal::NativeAudioPlayerInternal(QObject* parent)
    : QObject(parent)
{
    m_positionTimer.setInterval(500);
    connect(
        &m_positionTimer, &QTimer::timeout, this, &NativeAudioPlayerInternal::slotPositionChanged);
}

NativeAudioPlayerInternal::~NativeAudioPlayerInternal()
{
    releasePlayer();
}

void NativeAudioPlayerInternal::play(const QString& path)
{
    setMedia(path);
    play();
}

void NativeAudioPlayerInternal::playAt(const QString& path, qint64 startNs)
{
    setMedia(path);
    start(startNs, -1);
}

void NativeAudioPlayerInternal::playAtFrame(const QString& path, qint64 frame)
{
    setMedia(path);
    start(0, frame);
}

void NativeAudioPlayerInternal::play()
{
    start(0, -1);
}

void NativeAudioPlayerInternal::start(qint64 startNs, qint64 startFrame)
{
    if (!m_player)
        return;
    m_player->setVolume(float(m_volume));
    if (startFrame >= 0)
        m_player->playAtFrame(startFrame);
    else
        m_player->playAt(startNs);
    m_positionTimer.start();
    m_state = Playing;
}

void NativeAudioPlayerInternal::setMedia(const QString& path)
{
    releasePlayer();
    m_player = AudioEngine::instance()->openVoice(path);
}

void NativeAudioPlayerInternal::stop()
{
    if (!m_player)
        return;
    m_positionTimer.stop();
    m_player->pause();
    m_player->setCurrentTime(0.0);
    m_state = Stopped;
}

void NativeAudioPlayerInternal::pause()
{
    if (!m_player)
        return;
    m_player->pause();
    m_state = Paused;
}

void NativeAudioPlayerInternal::setPosition(qint64 ms)
{
    if (m_player)
        m_player->setCurrentTime(double(ms) / 1000.0);
}

// Single precision, then to the nearest integer, halves away from zero.
qint64 NativeAudioPlayerInternal::position() const
{
    if (!m_player)
        return 0;
    return std::lround(float(m_player->currentTime() * 1000.0));
}

qint64 NativeAudioPlayerInternal::duration() const
{
    if (!m_player)
        return 0;
    return qint64(m_player->duration() * 1000.0);
}

void NativeAudioPlayerInternal::setVolume(double volume)
{
    m_volume = volume;
    if (m_player)
        m_player->setVolume(float(volume));
}

double NativeAudioPlayerInternal::volume() const
{
    return m_volume;
}

void NativeAudioPlayerInternal::setBalance(float balance)
{
    if (m_player)
        m_player->setPan(balance);
}

bool NativeAudioPlayerInternal::isPlaying() const
{
    return m_player && m_player->isPlaying();
}

bool NativeAudioPlayerInternal::isStopped() const
{
    return m_player && m_state == Stopped;
}

bool NativeAudioPlayerInternal::isPaused() const
{
    return m_player && m_state == Paused;
}

void NativeAudioPlayerInternal::slotPositionChanged()
{
    if (!m_player)
        return;
    if (m_player->isPlaying()) {
        emit positionChanged(position());
        return;
    }
    if (m_state != Playing)
        return;
    // The sound ended by itself (or never started): a receiver may delete us.
    m_positionTimer.stop();
    releasePlayer();
    emit finished();
}

void NativeAudioPlayerInternal::releasePlayer()
{
    if (!m_player)
        return;
    m_player->release();
    m_player = nullptr;
}

} // namespace DIReridArazi
