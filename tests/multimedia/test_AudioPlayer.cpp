#include "App.h"
#include "AudioPlayer.h"
#include "VoiceLog.h"

#include <QtTest>

using DIReridArazi::AudioPlayer;

// The first instance() reads the settings, so the test functions run in order.
class TestAudioPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startsMutedFromStoredSettings();
    void storesVolumeAndMute();
    void loopRestartsEveryDurationUntilStopped();
    void noLoopWithoutLength_data();
    void noLoopWithoutLength();

private:
    QTemporaryDir m_dir;
};

void TestAudioPlayer::initTestCase()
{
    auto* app = DORuverud::App::theApp();
    app->setSettingsValue(QStringLiteral("/SoundVolume"), 0.0);
    app->setSettingsValue(QStringLiteral("/SoundMute"), true);
    QVERIFY(VoiceLog::writeTone(m_dir.filePath(QStringLiteral("two-seconds.wav")), 2000));
    QVERIFY(VoiceLog::writeTone(m_dir.filePath(QStringLiteral("after.wav")), 1000));
    QVERIFY(VoiceLog::writeTone(m_dir.filePath(QStringLiteral("empty.wav")), 0));
}

void TestAudioPlayer::startsMutedFromStoredSettings()
{
    AudioPlayer* player = AudioPlayer::instance();
    QCOMPARE(AudioPlayer::instance(), player);
    QVERIFY(player->isMuted());
    QCOMPARE(player->volume(), 0.0);

    player->setMuted(false);
    QCOMPARE(player->volume(), 0.5);
    QVERIFY(!player->isMuted());
}

void TestAudioPlayer::storesVolumeAndMute()
{
    auto* app = DORuverud::App::theApp();
    AudioPlayer* player = AudioPlayer::instance();

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
    const QString file = m_dir.filePath(QStringLiteral("two-seconds.wav"));
    VoiceLog log;
    QSignalSpy stopped(player, &AudioPlayer::stopped);
    QElapsedTimer clock;
    clock.start();
    player->play(file, true);
    QCOMPARE(player->duration(), qint64(2000));

    // WHEN it has restarted twice
    QTRY_COMPARE_WITH_TIMEOUT(log.count(file), 3, 20000);
    QVERIFY2(clock.elapsed() >= 3900, qPrintable(QString::number(clock.elapsed())));
    player->slotStop();

    // THEN stopping ends the loop
    QCOMPARE(stopped.count(), 1);
    QTest::qWait(2500);
    QCOMPARE(log.count(file), 3);
    QVERIFY(player->isStopped());
}

void TestAudioPlayer::noLoopWithoutLength_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::newRow("file that cannot be opened") << "missing.wav";
    QTest::newRow("file of no length") << "empty.wav";
}

void TestAudioPlayer::noLoopWithoutLength()
{
    // GIVEN a looped play of a file without length
    QFETCH(QString, fileName);
    AudioPlayer* player = AudioPlayer::instance();
    VoiceLog log;
    player->play(m_dir.filePath(fileName), true);
    QCOMPARE(player->duration(), qint64(0));

    // WHEN another file is played once
    const QString after = m_dir.filePath(QStringLiteral("after.wav"));
    player->play(after, false);

    // THEN no loop is left over to restart it
    QTRY_COMPARE_WITH_TIMEOUT(log.count(after), 1, 10000);
    QTest::qWait(2000);
    QCOMPARE(log.count(after), 1);
    player->stop();
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestAudioPlayer test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AudioPlayer.moc"
