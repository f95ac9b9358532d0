#include "../common/SoundStartLog.h"
#include "App.h"
#include "AudioListPlayer.h"
#include "AudioPlayer.h"
#include "PlayListModel.h"
#include "TestSound.h"

#include <QtTest>

using DIReridArazi::AudioListPlayer;
using DIReridArazi::AudioPlayer;

// The looping player and the play-list player on its back. The first
// AudioPlayer::instance() reads the settings, so the functions run in order.
class TestAudioPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void restoresAndStoresVolumeAndMute();
    void loopRestartsEveryDurationUntilStopped();
    void playOnceLeavesNoLoop_data();
    void playOnceLeavesNoLoop();
    void emptyListGivesSafeResults();
    void listPlaysThroughAndFinishes();
    void listMovesToNeighboursAndOccurrences();

private:
    QString path(const QString& name) const
    {
        return m_dir.filePath(name);
    }
    QList<QUrl> urls(const QStringList& names) const;

    QTemporaryDir m_dir;
};

QList<QUrl> TestAudioPlayer::urls(const QStringList& names) const
{
    QList<QUrl> list;
    for (const QString& name : names)
        list.append(QUrl::fromLocalFile(path(name)));
    return list;
}

void TestAudioPlayer::initTestCase()
{
    auto* app = DORuverud::App::theApp();
    app->setSettingsValue(QStringLiteral("/SoundVolume"), 0.0);
    app->setSettingsValue(QStringLiteral("/SoundMute"), true);
    const QPair<const char*, int> tones[] = {{"two-seconds.wav", 2000}, {"empty.wav", 0},
        {"one.wav", 300}, {"two.wav", 300}, {"three.wav", 300}, {"long-a.wav", 30000},
        {"long-b.wav", 30000}, {"long-c.wav", 30000}};
    for (const auto& tone : tones)
        QVERIFY(TestSound::writeTone(path(tone.first), tone.second));
}

// Nothing of one test may end, and so advance a list or a loop, during the next.
void TestAudioPlayer::cleanup()
{
    AudioListPlayer::instance()->stop();
    AudioPlayer::instance()->stop();
}

void TestAudioPlayer::restoresAndStoresVolumeAndMute()
{
    // GIVEN stored silence, THEN the player starts muted and unmutes to 0.5
    auto* app = DORuverud::App::theApp();
    AudioPlayer* player = AudioPlayer::instance();
    QVERIFY(player->isMuted());
    QCOMPARE(player->volume(), 0.0);
    player->setMuted(false);
    QCOMPARE(player->volume(), 0.5);

    // WHEN the program quits, THEN volume and mute are stored
    player->setVolume(0.3);
    QVERIFY(QMetaObject::invokeMethod(player, "slotSetAboutToQuit"));
    QCOMPARE(app->settingsValue(QStringLiteral("/SoundVolume")).toDouble(), 0.3);
    QCOMPARE(app->settingsValue(QStringLiteral("/SoundMute")).toBool(), false);
    player->setMuted(true);
    QVERIFY(QMetaObject::invokeMethod(player, "slotSetAboutToQuit"));
    QCOMPARE(app->settingsValue(QStringLiteral("/SoundVolume")).toDouble(), 0.0);
    QCOMPARE(app->settingsValue(QStringLiteral("/SoundMute")).toBool(), true);
    player->setMuted(false);
    QCOMPARE(player->volume(), 0.3);
}

void TestAudioPlayer::loopRestartsEveryDurationUntilStopped()
{
    // GIVEN a looped play of a 2 s file
    AudioPlayer* player = AudioPlayer::instance();
    const QString file = path(QStringLiteral("two-seconds.wav"));
    SoundStartLog log;
    QSignalSpy stopped(player, &AudioPlayer::stopped);
    QElapsedTimer clock;
    clock.start();
    player->play(file, true);
    QCOMPARE(player->duration(), qint64(2000));

    // WHEN it has restarted twice
    QTRY_COMPARE_WITH_TIMEOUT(log.names.count(file), 3, 20000);
    QVERIFY2(clock.elapsed() >= 3900, qPrintable(QString::number(clock.elapsed())));
    player->slotStop();

    // THEN stopping ends the loop
    QCOMPARE(stopped.count(), 1);
    QTest::qWait(2200);
    QCOMPARE(log.names.count(file), 3);
    QVERIFY(player->isStopped());
}

void TestAudioPlayer::playOnceLeavesNoLoop_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<qint64>("duration");
    QTest::newRow("file that cannot be opened") << "missing.wav" << qint64(0);
    QTest::newRow("file of no length") << "empty.wav" << qint64(0);
    QTest::newRow("running loop") << "two-seconds.wav" << qint64(2000);
}

void TestAudioPlayer::playOnceLeavesNoLoop()
{
    // GIVEN a looped play
    QFETCH(QString, fileName);
    QFETCH(qint64, duration);
    AudioPlayer* player = AudioPlayer::instance();
    SoundStartLog log;
    player->play(path(fileName), true);
    QCOMPARE(player->duration(), duration);
    const int looped = duration > 0 ? 1 : 0;
    QTRY_COMPARE_WITH_TIMEOUT(log.names.count(path(fileName)), looped, 10000);

    // WHEN another file is played once
    const QString after = path(QStringLiteral("one.wav"));
    player->play(after, false);

    // THEN no loop is left over to restart it, or the looped file
    QTRY_COMPARE_WITH_TIMEOUT(log.names.count(after), 1, 10000);
    QTest::qWait(int(duration) + 1000);
    QCOMPARE(log.names.count(after), 1);
    QCOMPARE(log.names.count(path(fileName)), looped);
}

void TestAudioPlayer::emptyListGivesSafeResults()
{
    AudioListPlayer* player = AudioListPlayer::instance();
    QSignalSpy next(player, &AudioListPlayer::nextTriggered);
    QSignalSpy previous(player, &AudioListPlayer::previousTriggered);

    player->setPlayList(QList<QUrl>());
    player->slotPlayNext();
    player->slotPlayPrevious();
    player->slotPlayFromList(urls({"one.wav"}).first());

    QCOMPARE(player->currentIndex(), -1);
    QCOMPARE(player->index(0), -1);
    QCOMPARE(player->currentUrl(), QUrl());
    QCOMPARE(player->currentName(), QString());
    QVERIFY(player->currentCover().isNull());
    QCOMPARE(next.count() + previous.count(), 0);
    QCOMPARE(player->playListModel()->rowCount(), 0);
}

void TestAudioPlayer::listPlaysThroughAndFinishes()
{
    // GIVEN a list of three short files
    AudioListPlayer* player = AudioListPlayer::instance();
    SoundStartLog log;
    QSignalSpy next(player, &AudioListPlayer::nextTriggered);
    QSignalSpy finished(player, &AudioListPlayer::finished);
    const QList<QUrl> list = urls({"one.wav", "two.wav", "three.wav"});

    // WHEN it is set and plays to its end
    player->setPlayList(list);
    QCOMPARE(next.count(), 1);
    QCOMPARE(player->currentName(), QStringLiteral("one.wav"));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);

    // THEN each switch was announced and the list is back at its start
    QCOMPARE(next.count(), 3);
    QCOMPARE(player->currentNumber(), 0);
    QCOMPARE(log.names,
        QStringList({list[0].toLocalFile(), list[1].toLocalFile(), list[2].toLocalFile()}));
    QCOMPARE(player->playListModel()->rowCount(), 3);
}

void TestAudioPlayer::listMovesToNeighboursAndOccurrences()
{
    // GIVEN a list with one file twice, playing its first entry
    AudioListPlayer* player = AudioListPlayer::instance();
    player->setPlayList(urls({"long-a.wav", "long-b.wav", "long-a.wav", "long-c.wav"}));
    QSignalSpy next(player, &AudioListPlayer::nextTriggered);
    QSignalSpy previous(player, &AudioListPlayer::previousTriggered);

    // THEN previous stops at the start
    player->slotPlayPrevious();
    QCOMPARE(previous.count(), 0);

    // and the nearest occurrence after the current entry wins, then the one before
    player->slotPlayFromList(urls({"long-a.wav"}).first());
    QCOMPARE(player->currentNumber(), 2);
    player->slotPlayFromList(urls({"long-a.wav"}).first());
    QCOMPARE(player->currentNumber(), 0);
    QCOMPARE(next.count(), 1);
    QCOMPARE(previous.count(), 1);

    // and next stops at the end, playing the last entry
    for (int i = 0; i < 4; ++i)
        player->slotPlayNext();
    QCOMPARE(next.count(), 4);
    QCOMPARE(player->currentNumber(), 3);
    QCOMPARE(AudioPlayer::instance()->fileName(), path(QStringLiteral("long-c.wav")));

    // and neither the current entry nor a stranger changes anything
    player->slotPlayFromList(urls({"long-c.wav"}).first());
    player->slotPlayFromList(urls({"elsewhere.wav"}).first());
    QCOMPARE(player->currentNumber(), 3);
    QCOMPARE(next.count() + previous.count(), 5);

    // WHEN more is appended while it plays, THEN it plays on
    QTRY_VERIFY_WITH_TIMEOUT(player->isPlaying(), 10000);
    QSignalSpy changed(player, &AudioListPlayer::listChanged);
    player->appendToPlayList({});
    QCOMPARE(changed.count(), 0);
    player->appendToPlayList(urls({"long-b.wav"}));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(next.count(), 4);
    QVERIFY(player->isPlaying());
    QCOMPARE(player->currentNumber(), 3);
    QCOMPARE(player->playListModel()->rowCount(), 5);
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestAudioPlayer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AudioPlayer.moc"
