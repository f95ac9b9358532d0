#include "AudioListPlayer.h"

#include "AudioPlayer.h"
#include "ID3Info.h"
#include "PlayListModel.h"

#include <QFileInfo>

namespace DIReridArazi {

AudioListPlayer* AudioListPlayer::m_uniqueInstance = nullptr;

AudioListPlayer* AudioListPlayer::instance()
{
    if (!m_uniqueInstance)
        m_uniqueInstance = new AudioListPlayer;
    return m_uniqueInstance;
}

AudioListPlayer::AudioListPlayer()
    : QObject(nullptr)
    , m_playListModel(new PlayListModel(this))
{
    AudioPlayer* player = AudioPlayer::instance();
    connect(player, &AudioPlayer::stopped, this, &AudioListPlayer::stopped);
    connect(player, &AudioPlayer::finished, this, &AudioListPlayer::slotFinished);
}

void AudioListPlayer::setPlayList(const QList<QUrl>& list)
{
    if (list.isEmpty())
        return;
    AudioPlayer::instance()->stop();
    m_playList = list;
    m_playListModel->setPlayList(localFiles(list));
    regenerateIndexes();
    m_currentNumber = 0;
    playEntry(0);
    emit nextTriggered();
}

void AudioListPlayer::setPlayList(const QDir& dir, const QStringList& nameFilters)
{
    QList<QUrl> list;
    const QStringList names = dir.entryList(nameFilters, QDir::Files, QDir::NoSort);
    for (const QString& name : names)
        list.append(QUrl::fromLocalFile(dir.absoluteFilePath(name)));
    setPlayList(list);
}

void AudioListPlayer::appendToPlayList(const QList<QUrl>& list)
{
    if (list.isEmpty())
        return;
    m_playList.append(list);
    m_playListModel->appendToPlayList(localFiles(list));
    regenerateIndexes();
    emit listChanged();
}

QList<QUrl> AudioListPlayer::playList() const
{
    return m_playList;
}

int AudioListPlayer::index(int position) const
{
    return m_playOrder.value(position, -1);
}

void AudioListPlayer::regenerateIndexes()
{
    m_playOrder.clear();
    for (int i = 0; i < m_playList.size(); ++i)
        m_playOrder.append(i);
}

int AudioListPlayer::currentNumber() const
{
    return m_currentNumber;
}

int AudioListPlayer::currentIndex() const
{
    return index(m_currentNumber);
}

QUrl AudioListPlayer::currentUrl() const
{
    return m_playList.value(currentIndex());
}

QString AudioListPlayer::currentName() const
{
    return QFileInfo(currentUrl().toString()).fileName();
}

QPixmap AudioListPlayer::currentCover() const
{
    if (currentIndex() < 0)
        return QPixmap();
    return ID3Info(currentUrl().toLocalFile()).cover();
}

void AudioListPlayer::play(const QString& file)
{
    AudioPlayer::instance()->play(file, false);
}

void AudioListPlayer::play()
{
    AudioPlayer::instance()->play();
}

void AudioListPlayer::stop()
{
    AudioPlayer::instance()->stop();
}

void AudioListPlayer::pause()
{
    AudioPlayer::instance()->pause();
}

bool AudioListPlayer::isPlaying() const
{
    return AudioPlayer::instance()->isPlaying();
}

bool AudioListPlayer::isStopped() const
{
    return AudioPlayer::instance()->isStopped();
}

bool AudioListPlayer::isPaused() const
{
    return AudioPlayer::instance()->isPaused();
}

bool AudioListPlayer::isMuted() const
{
    return AudioPlayer::instance()->isMuted();
}

void AudioListPlayer::setMuted(bool muted)
{
    AudioPlayer::instance()->setMuted(muted);
}

double AudioListPlayer::volume() const
{
    return AudioPlayer::instance()->volume();
}

void AudioListPlayer::setVolume(double volume)
{
    AudioPlayer::instance()->setVolume(volume);
}

void AudioListPlayer::setShuffleMode(bool on)
{
    m_shuffleMode = on;
}

bool AudioListPlayer::isShuffleMode() const
{
    return m_shuffleMode;
}

void AudioListPlayer::setLoopMode(bool on)
{
    m_loopMode = on;
}

bool AudioListPlayer::isLoopMode() const
{
    return m_loopMode;
}

PlayListModel* AudioListPlayer::playListModel() const
{
    return m_playListModel;
}

void AudioListPlayer::slotPlayNext()
{
    if (m_currentNumber + 1 >= m_playList.size())
        return;
    ++m_currentNumber;
    AudioPlayer::instance()->stop();
    playEntry(m_currentNumber);
    emit nextTriggered();
}

void AudioListPlayer::slotPlayPrevious()
{
    if (m_currentNumber <= 0)
        return;
    --m_currentNumber;
    AudioPlayer::instance()->stop();
    playEntry(m_currentNumber);
    emit previousTriggered();
}

// The nearest occurrence after the current entry wins, then the nearest
// before it; the current entry itself is never matched.
void AudioListPlayer::slotPlayFromList(const QUrl& url)
{
    for (int number = m_currentNumber + 1; number < m_playList.size(); ++number) {
        if (m_playList.value(index(number)) == url) {
            m_currentNumber = number;
            playEntry(number);
            emit nextTriggered();
            return;
        }
    }
    for (int number = m_currentNumber - 1; number >= 0; --number) {
        if (m_playList.value(index(number)) == url) {
            m_currentNumber = number;
            playEntry(number);
            emit previousTriggered();
            return;
        }
    }
}

void AudioListPlayer::slotFinished()
{
    ++m_currentNumber;
    if (m_currentNumber < m_playList.size()) {
        playEntry(m_currentNumber);
        emit nextTriggered();
        return;
    }
    m_currentNumber = 0;
    emit finished();
}

void AudioListPlayer::playEntry(int number)
{
    AudioPlayer::instance()->play(m_playList.value(index(number)).toLocalFile(), false);
}

QStringList AudioListPlayer::localFiles(const QList<QUrl>& list)
{
    QStringList files;
    for (const QUrl& url : list)
        files.append(url.toLocalFile());
    return files;
}

} // namespace DIReridArazi
