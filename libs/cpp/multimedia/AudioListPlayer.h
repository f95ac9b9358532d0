#pragma once

#include <QDir>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QStringList>
#include <QUrl>

namespace DIReridArazi {

class PlayListModel;

// The application-wide play-list player: plays local files one after
// another through AudioPlayer, with next, previous and play-from-list.
// Made on first use (which makes the AudioPlayer too) and never deleted by
// the program. GUI thread only.
class AudioListPlayer : public QObject
{
    Q_OBJECT

public:
    static AudioListPlayer* instance();

    // An empty list changes nothing; otherwise the first entry plays.
    void setPlayList(const QList<QUrl>& list);
    // The files of the folder that match the filters, in directory order.
    void setPlayList(const QDir& dir, const QStringList& nameFilters);
    // An empty list changes nothing; the sound goes on.
    void appendToPlayList(const QList<QUrl>& list);
    QList<QUrl> playList() const;
    // The play-order entry at the position, -1 outside the list.
    int index(int position) const;
    void regenerateIndexes();

    int currentNumber() const;
    // The current entry; -1, an empty URL, an empty name and a null cover
    // while the list is empty.
    int currentIndex() const;
    QUrl currentUrl() const;
    QString currentName() const;
    QPixmap currentCover() const;

    // Plays a file outside the list; the list and its position stay.
    void play(const QString& file);
    void play();
    void stop();
    void pause();
    bool isPlaying() const;
    bool isStopped() const;
    bool isPaused() const;
    bool isMuted() const;
    double volume() const;

    // Kept and given back only.
    void setShuffleMode(bool on);
    bool isShuffleMode() const;
    void setLoopMode(bool on);
    bool isLoopMode() const;

    // A model of the same files, kept in step with the list.
    PlayListModel* playListModel() const;

signals:
    void stopped();
    void finished();
    void nextTriggered();
    void previousTriggered();
    void listChanged();

public slots:
    void setMuted(bool muted);
    void setVolume(double volume);
    void slotPlayNext();
    void slotPlayPrevious();
    void slotPlayFromList(const QUrl& url);

private slots:
    void slotFinished();

private:
    AudioListPlayer();
    void playEntry(int number);
    static QStringList localFiles(const QList<QUrl>& list);

    QList<QUrl> m_playList;
    QList<int> m_playOrder;
    int m_currentNumber = 0;
    bool m_shuffleMode = false;
    bool m_loopMode = false;
    PlayListModel* m_playListModel;
    static AudioListPlayer* m_uniqueInstance;
};

} // namespace DIReridArazi
