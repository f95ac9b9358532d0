#include "../common/SoundStartLog.h"
#include "AudioEngine.h"
#include "AudioPlayer.h"
#include "TestSound.h"

#include <QDir>
#include <QtTest>

using DIReridArazi::AudioEngine;
using DIReridArazi::AudioPlayer;

// The looping player in a program whose application object keeps no
// settings: it sounds at the default volume, unmuted, and quits safely.
class TestAudioPlayerWithoutApp : public QObject
{
    Q_OBJECT

private slots:
    void playsAtDefaultsAndQuits()
    {
        AudioEngine::instance()->setManualClock(true);
        const QString tone = QDir(qEnvironmentVariable("HOME")).filePath("tone.wav");
        QVERIFY(TestSound::writeTone(tone, 300));
        AudioPlayer* player = AudioPlayer::instance();
        SoundStartLog log;
        player->play(tone, false);
        // The test tone's full scale is 0.1; the default volume is half of it.
        QVERIFY(std::fabs(TestSound::peak(TestSound::render(4410)) - 0.05f) < 0.001f);
        AudioEngine::instance()->poll();
        QCOMPARE(log.names, QStringList(tone));
        QVERIFY(QMetaObject::invokeMethod(player, "slotSetAboutToQuit"));
        QVERIFY(player->isStopped());
    }
};

QTEST_GUILESS_MAIN(TestAudioPlayerWithoutApp)

#include "test_AudioPlayerWithoutApp.moc"
