#include "App.h"
#include "AudioEngine.h"
#include "AudioEngineObserver.h"
#include "ChordFiles.h"
#include "ChordsButtonsPanel.h"
#include "NativeAudioPlayer.h"
#include "UkuleleChordsMainPage.h"

#include <QMutex>
#include <QPushButton>
#include <QtTest>

// Qt's object hooks (the table debuggers use) let the test count players.
QT_BEGIN_NAMESPACE
extern quintptr Q_CORE_EXPORT qtHookData[];
QT_END_NAMESPACE

using namespace VADirur;

namespace {

const int addObjectHook = 3;
const int removeObjectHook = 4;

QMutex objectsMutex;
QSet<QObject*> liveObjects;

void objectAdded(QObject* object)
{
    QMutexLocker lock(&objectsMutex);
    liveObjects.insert(object);
}

void objectRemoved(QObject* object)
{
    QMutexLocker lock(&objectsMutex);
    liveObjects.remove(object);
}

int livePlayers()
{
    QMutexLocker lock(&objectsMutex);
    int count = 0;
    for (QObject* object : qAsConst(liveObjects))
        count += qobject_cast<DIReridArazi::NativeAudioPlayer*>(object) ? 1 : 0;
    return count;
}

class StartRecorder : public DIReridArazi::AudioEngineObserver
{
public:
    StartRecorder()
    {
        DIReridArazi::AudioEngine::instance()->addObserver(this);
    }
    ~StartRecorder() override
    {
        DIReridArazi::AudioEngine::instance()->removeObserver(this);
    }
    void voiceStarted(const QString& name, qint64 frame) override
    {
        names << QFileInfo(name).fileName();
        frames << frame;
    }

    QStringList names;
    QList<qint64> frames;
};

class Probe : public UkuleleChordsMainPage
{
public:
    Probe()
        : UkuleleChordsMainPage(nullptr)
    {
    }
    using UkuleleChordsMainPage::m_vecSounds;
};

} // namespace

class TestChordPlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void playStartsTheChordTogether();
    void twoPressesOverlap();
    void aMissingSampleLeavesNoPlayer();
    void setCurrentChordChangesWhatPlays();
};

void TestChordPlay::initTestCase()
{
    qtHookData[addObjectHook] = reinterpret_cast<quintptr>(&objectAdded);
    qtHookData[removeObjectHook] = reinterpret_cast<quintptr>(&objectRemoved);
}

void TestChordPlay::playStartsTheChordTogether()
{
    // GIVEN a fresh ukulele page showing A
    UkuleleChordsMainPage page(nullptr);
    StartRecorder recorder;
    // WHEN Play is pressed
    QPushButton* play = page.findChild<QPushButton*>(QStringLiteral("PlayButton"));
    QVERIFY(play);
    QTest::mouseClick(play, Qt::LeftButton);
    // THEN the four strings of A start in the same output frame
    QCOMPARE(livePlayers(), 4);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.names.size(), 4, 10000);
    QStringList names = recorder.names;
    names.sort();
    QCOMPARE(names,
        QStringList({"ukulele_440_A4.mp3", "ukulele_440_A4.mp3", "ukulele_440_Cd4.mp3",
            "ukulele_440_E4.mp3"}));
    QCOMPARE(recorder.frames.count(recorder.frames.first()), 4);
    // AND every player goes once its sound has ended
    QTRY_COMPARE_WITH_TIMEOUT(livePlayers(), 0, 20000);
}

void TestChordPlay::twoPressesOverlap()
{
    UkuleleChordsMainPage page(nullptr);
    StartRecorder recorder;
    page.slotPlay();
    page.slotPlay();
    QCOMPARE(livePlayers(), 8);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.names.size(), 8, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(livePlayers(), 0, 20000);
}

void TestChordPlay::aMissingSampleLeavesNoPlayer()
{
    // GIVEN the sounds of chord A with one sample file gone
    Probe page;
    QStringList sounds = page.m_vecSounds.at(0);
    sounds[1] = QDir::temp().filePath(QStringLiteral("no-such-sample.mp3"));
    StartRecorder recorder;
    // WHEN they are played
    page.slotPlayChord(sounds);
    // THEN the missing one has no player, and the others go when they end
    QCOMPARE(livePlayers(), 3);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.names.size(), 3, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(livePlayers(), 0, 20000);
    // AND a list of nothing but missing or empty entries starts no player
    page.slotPlayChord({QString(), sounds.at(1)});
    QCOMPARE(livePlayers(), 0);
}

void TestChordPlay::setCurrentChordChangesWhatPlays()
{
    UkuleleChordsMainPage page(nullptr);
    StartRecorder recorder;
    page.setCurrentChord(QStringLiteral("C"));
    QCOMPARE(livePlayers(), 0);
    QCOMPARE(page.currentChord(), QStringLiteral("C"));
    page.slotPlay();
    QTRY_COMPARE_WITH_TIMEOUT(recorder.names.size(), 4, 10000);
    QStringList names = recorder.names;
    names.sort();
    QCOMPARE(names,
        QStringList({"ukulele_440_C4.mp3", "ukulele_440_C5.mp3", "ukulele_440_E4.mp3",
            "ukulele_440_G4.mp3"}));
    QTRY_COMPARE_WITH_TIMEOUT(livePlayers(), 0, 20000);
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    app.setResourceOffset(ChordFiles::resourcePrefix());
    TestChordPlay test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ChordPlay.moc"
