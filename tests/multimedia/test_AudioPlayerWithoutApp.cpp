#include "../common/SoundStartLog.h"
#include "AudioEngine.h"
#include "AudioPlayer.h"
#include "TestSound.h"

#include <QDir>
#include <QDirIterator>
#include <QtTest>

using DIReridArazi::AudioEngine;
using DIReridArazi::AudioPlayer;

// The looping player in a program whose application object keeps no
// settings: it plays at the default volume and stores nothing.
class TestAudioPlayerWithoutApp : public QObject
{
    Q_OBJECT

private slots:
    void playsAtDefaultsAndStoresNothing();
};

void TestAudioPlayerWithoutApp::playsAtDefaultsAndStoresNothing()
{
    // GIVEN no settings to read
    AudioEngine::instance()->setManualClock(true);
    const QString home = qEnvironmentVariable("HOME");
    const QString tone = QDir(home).filePath("tone.wav");
    QVERIFY(TestSound::writeTone(tone, 300));
    AudioPlayer* player = AudioPlayer::instance();

    // THEN it starts at half volume, not muted
    QCOMPARE(player->volume(), 0.5);
    QVERIFY(!player->isMuted());

    // WHEN a file plays, THEN it sounds at that volume
    SoundStartLog log;
    player->play(tone, false);
    QCOMPARE(player->duration(), qint64(300));
    QVERIFY(std::fabs(TestSound::peak(TestSound::render(4410)) - 0.05f) < 0.001f);
    AudioEngine::instance()->poll();
    QCOMPARE(log.names, QStringList(tone));

    // WHEN muted and the program quits, THEN it is silent and nothing is stored
    player->setMuted(true);
    QVERIFY(player->isMuted());
    QVERIFY(QMetaObject::invokeMethod(player, "slotSetAboutToQuit"));
    QVERIFY(player->isStopped());
    QDirIterator files(home, QDir::Files, QDirIterator::Subdirectories);
    QCOMPARE(files.next(), tone);
    QVERIFY(!files.hasNext());
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TestAudioPlayerWithoutApp test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_AudioPlayerWithoutApp.moc"
