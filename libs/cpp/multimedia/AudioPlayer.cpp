#include "AudioPlayer.h"

#include "NativeAudioPlayer.h"
#include "SettingsStore.h"

namespace DIReridArazi {

namespace {

const QString volumeKey = QStringLiteral("/SoundVolume");
const QString muteKey = QStringLiteral("/SoundMute");

// A stored setting; the default without an application object that keeps them.
QVariant stored(const QString& key, const QVariant& defaultValue)
{
    ZAruri::SettingsStore* settings = ZAruri::SettingsStore::application();
    return settings ? settings->settingsValue(key, defaultValue) : defaultValue;
}

} // namespace

AudioPlayer* AudioPlayer::_uniqueInstance = nullptr;

AudioPlayer* AudioPlayer::instance()
{
    if (_uniqueInstance)
        return _uniqueInstance;
    _uniqueInstance = new AudioPlayer;
    const bool mute = stored(muteKey, false).toBool();
    const double volume = stored(volumeKey, 0.5).toDouble();
    // The stored volume decides: 0.0 stored while muted starts muted.
    _uniqueInstance->setMuted(mute);
    _uniqueInstance->setVolume(volume);
    return _uniqueInstance;
}

AudioPlayer::AudioPlayer()
    : QObject(nullptr)
    , m_player(new NativeAudioPlayer(this))
{
    m_loopTimer.setSingleShot(true);
    m_loopTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_loopTimer, &QTimer::timeout, this, &AudioPlayer::loopedPlay);
    connect(m_player, &NativeAudioPlayer::finished, this, &AudioPlayer::finished);
    connect(m_player, &NativeAudioPlayer::positionChanged, this, &AudioPlayer::positionChanged);
}

AudioPlayer::~AudioPlayer()
{
    slotSetAboutToQuit();
    if (_uniqueInstance == this)
        _uniqueInstance = nullptr;
}

// A play without looping ends a running loop, which would otherwise restart
// the new file at its next turn.
void AudioPlayer::play(const QString& file, bool looped)
{
    m_player->setMedia(file);
    m_loopStopped = !looped;
    if (looped)
        armLoop();
    else
        m_loopTimer.stop();
    m_player->stop();
    m_player->play();
}

void AudioPlayer::stop()
{
    slotStop();
}

void AudioPlayer::slotStop()
{
    m_loopStopped = true;
    m_loopTimer.stop();
    m_player->stop();
    emit stopped();
}

void AudioPlayer::loopedPlay()
{
    if (m_loopStopped)
        return;
    // Opened again: the player lets go of a sound it has seen end.
    m_player->setMedia(m_player->fileName());
    armLoop();
    m_player->stop();
    m_player->play();
}

// The loop runs on the clock alone; without a length there is nothing to repeat.
void AudioPlayer::armLoop()
{
    const qint64 length = m_player->duration();
    if (length > 0)
        m_loopTimer.start(int(length));
    else
        m_loopTimer.stop();
}

void AudioPlayer::slotSetAboutToQuit()
{
    if (ZAruri::SettingsStore* settings = ZAruri::SettingsStore::application()) {
        settings->setSettingsValue(volumeKey, m_player->volume());
        settings->setSettingsValue(muteKey, m_player->isMuted());
    }
    m_loopStopped = true;
    m_loopTimer.stop();
    m_player->stop();
}

void AudioPlayer::play()
{
    m_player->play();
}

void AudioPlayer::pause()
{
    m_player->pause();
}

qint64 AudioPlayer::duration() const
{
    return m_player->duration();
}

qint64 AudioPlayer::position() const
{
    return m_player->position();
}

void AudioPlayer::setPosition(qint64 ms)
{
    m_player->setPosition(ms);
}

qint64 AudioPlayer::remainingDuration() const
{
    return duration() - position();
}

double AudioPlayer::volume() const
{
    return m_player->volume();
}

void AudioPlayer::setVolume(double volume)
{
    m_player->setVolume(volume);
}

bool AudioPlayer::isMuted() const
{
    return m_player->isMuted();
}

void AudioPlayer::setMuted(bool muted)
{
    m_player->setMuted(muted);
}

bool AudioPlayer::isPlaying() const
{
    return m_player->isPlaying();
}

bool AudioPlayer::isStopped() const
{
    return m_player->isStopped();
}

bool AudioPlayer::isPaused() const
{
    return m_player->isPaused();
}

QString AudioPlayer::fileName() const
{
    return m_player->fileName();
}

} // namespace DIReridArazi
