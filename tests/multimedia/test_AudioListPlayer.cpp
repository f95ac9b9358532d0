#include "App.h"
#include "AudioListPlayer.h"
#include "AudioPlayer.h"
#include "PlayListModel.h"
#include "VoiceLog.h"

#include <QtTest>

using DIReridArazi::AudioListPlayer;

class TestAudioListPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void emptyListGivesSafeResults();
    void playsThroughAList();
    void nextAndPreviousStopAtTheEnds();
    void playFromListTakesTheNearestOccurrence();
    void appendingWhilePlaying();
    void listOfAFolderWithItsCover();

private:
    QUrl url(const QString& name) const;
    QList<QUrl> urls(const QStringList& names) const;

    QTemporaryDir m_dir;
};

QUrl TestAudioListPlayer::url(const QString& name) const
{
    return QUrl::fromLocalFile(m_dir.filePath(name));
}

QList<QUrl> TestAudioListPlayer::urls(const QStringList& names) const
{
    QList<QUrl> list;
    for (const QString& name : names)
        list.append(url(name));
    return list;
}

void TestAudioListPlayer::initTestCase()
{
    for (const char* name : {"one.wav", "two.wav", "three.wav"})
        QVERIFY(VoiceLog::writeTone(m_dir.filePath(QLatin1String(name)), 300));
    for (const char* name : {"long-a.wav", "long-b.wav", "long-c.wav"})
        QVERIFY(VoiceLog::writeTone(m_dir.filePath(QLatin1String(name)), 30000));
}

// Nothing of one test may end, and so advance the list, during the next.
void TestAudioListPlayer::cleanup()
{
    AudioListPlayer::instance()->stop();
}

void TestAudioListPlayer::emptyListGivesSafeResults()
{
    AudioListPlayer* player = AudioListPlayer::instance();
    QSignalSpy next(player, &AudioListPlayer::nextTriggered);
    QSignalSpy previous(player, &AudioListPlayer::previousTriggered);

    player->setPlayList(QList<QUrl>());
    player->slotPlayNext();
    player->slotPlayPrevious();
    player->slotPlayFromList(url(QStringLiteral("one.wav")));

    QVERIFY(player->playList().isEmpty());
    QCOMPARE(player->currentIndex(), -1);
    QCOMPARE(player->index(0), -1);
    QCOMPARE(player->currentUrl(), QUrl());
    QCOMPARE(player->currentName(), QString());
    QVERIFY(player->currentCover().isNull());
    QCOMPARE(next.count() + previous.count(), 0);
    QVERIFY(player->playListModel());
    QCOMPARE(player->playListModel()->rowCount(), 0);
}

void TestAudioListPlayer::playsThroughAList()
{
    // GIVEN a list of three short files
    AudioListPlayer* player = AudioListPlayer::instance();
    VoiceLog log;
    QSignalSpy next(player, &AudioListPlayer::nextTriggered);
    QSignalSpy finished(player, &AudioListPlayer::finished);
    const QList<QUrl> list = urls({"one.wav", "two.wav", "three.wav"});

    // WHEN it is set and plays to its end
    player->setPlayList(list);
    QCOMPARE(next.count(), 1);
    QCOMPARE(player->currentUrl(), list.at(0));
    QCOMPARE(player->currentName(), QStringLiteral("one.wav"));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);

    // THEN each switch was announced and the list is back at its start
    QCOMPARE(next.count(), 3);
    QCOMPARE(player->currentNumber(), 0);
    QCOMPARE(log.started(),
        QStringList(
            {list.at(0).toLocalFile(), list.at(1).toLocalFile(), list.at(2).toLocalFile()}));
    QCOMPARE(player->playListModel()->rowCount(), 3);
}

void TestAudioListPlayer::nextAndPreviousStopAtTheEnds()
{
    AudioListPlayer* player = AudioListPlayer::instance();
    player->setPlayList(urls({"long-a.wav", "long-b.wav", "long-c.wav"}));
    QSignalSpy next(player, &AudioListPlayer::nextTriggered);
    QSignalSpy previous(player, &AudioListPlayer::previousTriggered);

    player->slotPlayPrevious();
    QCOMPARE(previous.count(), 0);
    QCOMPARE(player->currentNumber(), 0);

    player->slotPlayNext();
    player->slotPlayNext();
    QCOMPARE(next.count(), 2);
    QCOMPARE(player->currentName(), QStringLiteral("long-c.wav"));
    QCOMPARE(DIReridArazi::AudioPlayer::instance()->fileName(),
        m_dir.filePath(QStringLiteral("long-c.wav")));

    player->slotPlayNext();
    QCOMPARE(next.count(), 2);
    QCOMPARE(player->currentNumber(), 2);

    player->slotPlayPrevious();
    QCOMPARE(previous.count(), 1);
    QCOMPARE(player->currentIndex(), 1);
}

void TestAudioListPlayer::playFromListTakesTheNearestOccurrence()
{
    // GIVEN a list with one file twice, playing its first entry
    AudioListPlayer* player = AudioListPlayer::instance();
    player->setPlayList(urls({"long-a.wav", "long-b.wav", "long-a.wav", "long-c.wav"}));
    QSignalSpy next(player, &AudioListPlayer::nextTriggered);
    QSignalSpy previous(player, &AudioListPlayer::previousTriggered);

    // THEN the nearest occurrence after the current entry wins
    player->slotPlayFromList(url(QStringLiteral("long-a.wav")));
    QCOMPARE(player->currentNumber(), 2);
    QCOMPARE(next.count(), 1);

    // and then the nearest one before it
    player->slotPlayFromList(url(QStringLiteral("long-a.wav")));
    QCOMPARE(player->currentNumber(), 0);
    QCOMPARE(previous.count(), 1);

    // and neither the current entry nor a stranger changes anything
    player->slotPlayFromList(url(QStringLiteral("long-c.wav")));
    QCOMPARE(player->currentNumber(), 3);
    player->slotPlayFromList(url(QStringLiteral("long-c.wav")));
    player->slotPlayFromList(url(QStringLiteral("elsewhere.wav")));
    QCOMPARE(player->currentNumber(), 3);
    QCOMPARE(next.count(), 2);
    QCOMPARE(previous.count(), 1);
}

void TestAudioListPlayer::appendingWhilePlaying()
{
    AudioListPlayer* player = AudioListPlayer::instance();
    player->setPlayList(urls({"long-a.wav"}));
    QTRY_VERIFY_WITH_TIMEOUT(player->isPlaying(), 10000);
    QSignalSpy changed(player, &AudioListPlayer::listChanged);
    QSignalSpy next(player, &AudioListPlayer::nextTriggered);

    player->appendToPlayList({});
    QCOMPARE(changed.count(), 0);

    player->appendToPlayList(urls({"long-b.wav", "long-c.wav"}));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(next.count(), 0);
    QVERIFY(player->isPlaying());
    QCOMPARE(player->currentNumber(), 0);
    QCOMPARE(player->playList().size(), 3);
    QCOMPARE(player->index(2), 2);
    QCOMPARE(player->playListModel()->rowCount(), 3);
}

void TestAudioListPlayer::listOfAFolderWithItsCover()
{
    QTemporaryDir folder;
    QVERIFY(VoiceLog::writeTone(folder.filePath(QStringLiteral("song.wav")), 30000));
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::green);
    QVERIFY(picture.save(folder.filePath(QStringLiteral("front.png"))));

    AudioListPlayer* player = AudioListPlayer::instance();
    player->setPlayList(QDir(folder.path()), {QStringLiteral("*.wav")});
    QCOMPARE(player->playList(),
        QList<QUrl>({QUrl::fromLocalFile(folder.filePath(QStringLiteral("song.wav")))}));
    QCOMPARE(player->currentCover().size(), QSize(16, 16));
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestAudioListPlayer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AudioListPlayer.moc"
