#include "../common/LivePlayers.h"
#include "App.h"
#include "AudioEngine.h"
#include "AudioEngineObserver.h"
#include "BalalaikaChordsMainPage.h"
#include "ChordFiles.h"
#include "GuitarChordsMainPage.h"
#include "NativeAudioPlayer.h"
#include "UkuleleChordsMainPage.h"

#include <QAbstractButton>
#include <QtTest>

#include <memory>

using namespace VADirur;

namespace {

// Collects the samples the engine starts, and the output frames they start in.
class StartedSounds : public DIReridArazi::AudioEngineObserver
{
public:
    StartedSounds()
    {
        DIReridArazi::AudioEngine::instance()->addObserver(this);
    }
    ~StartedSounds() override
    {
        DIReridArazi::AudioEngine::instance()->removeObserver(this);
    }
    void voiceStarted(const QString& name, qint64 frame) override
    {
        names << QFileInfo(name).fileName();
        frames.insert(frame);
    }
    QStringList names;
    QSet<qint64> frames;
};

std::unique_ptr<ChordsMainPage> makePage(const QString& name)
{
    if (name == QLatin1String("ukulele"))
        return std::make_unique<UkuleleChordsMainPage>(nullptr);
    if (name == QLatin1String("guitar"))
        return std::make_unique<GuitarChordsMainPage>(nullptr);
    return std::make_unique<BalalaikaChordsMainPage>(nullptr);
}

} // namespace

class TestChordPlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void playSoundsTheChord_data();
    void playSoundsTheChord();
    void aMissingSampleLeavesNoPlayer();
    void shownPageHasItsSamplesDecodedAhead();
};

void TestChordPlay::initTestCase()
{
    LivePlayers::install();
}

void TestChordPlay::playSoundsTheChord_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("chord");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("samples");

    // clang-format off
    QTest::newRow("ukulele as built") << "ukulele" << QString() << 1 << "ukulele A4 A4 Cd4 E4";
    QTest::newRow("ukulele C") << "ukulele" << "C" << 1 << "ukulele C4 C5 E4 G4";
    QTest::newRow("ukulele C twice") << "ukulele" << "C" << 2 << "ukulele C4 C4 C5 C5 E4 E4 G4 G4";
    QTest::newRow("guitar D, five strings") << "guitar" << "D" << 1 << "guitar A2 A3 D3 D4 Fd4";
    QTest::newRow("balalaika B") << "balalaika" << "B" << 1 << "balalaika B4 B4 Dd5";
    // clang-format on
}

// The play button sounds every string of the chord shown, together, and
// every player goes once its sound has ended.
void TestChordPlay::playSoundsTheChord()
{
    QFETCH(QString, page);
    QFETCH(QString, chord);
    QFETCH(int, presses);
    QFETCH(QString, samples);
    QStringList expected = samples.split(' ');
    const QString instrument = expected.takeFirst();
    for (QString& note : expected)
        note = instrument + "_440_" + note + ".mp3";
    // GIVEN a page showing the chord
    std::unique_ptr<ChordsMainPage> shown = makePage(page);
    if (!chord.isEmpty())
        shown->setCurrentChord(chord);
    QCOMPARE(LivePlayers::count(), 0);
    StartedSounds started;
    // WHEN the user presses play
    auto* play = shown->findChild<QAbstractButton*>(QStringLiteral("PlayButton"));
    QVERIFY(play);
    for (int i = 0; i < presses; ++i)
        play->click();
    // THEN one voice per sounding string starts, each press in one frame
    QCOMPARE(LivePlayers::count(), expected.size());
    QTRY_COMPARE_WITH_TIMEOUT(started.names.size(), expected.size(), 10000);
    started.names.sort();
    QCOMPARE(started.names, expected);
    QVERIFY(started.frames.size() <= presses);
    // AND every player goes once its sound has ended
    QTRY_COMPARE_WITH_TIMEOUT(LivePlayers::count(), 0, 20000);
}

void TestChordPlay::aMissingSampleLeavesNoPlayer()
{
    // GIVEN the sounds of ukulele A with one sample file gone
    UkuleleChordsMainPage page(nullptr);
    const QString folder = DORuverud::App::theApp()->bundleResourcePath();
    const QString missing = QDir::temp().filePath(QStringLiteral("no-such-sample.mp3"));
    StartedSounds started;
    // WHEN they are played
    page.slotPlayChord({folder + "ukulele_440_A4.mp3", missing, folder + "ukulele_440_E4.mp3",
        folder + "ukulele_440_A4.mp3"});
    // THEN the missing one has no player, and the others go when they end
    QCOMPARE(LivePlayers::count(), 3);
    QTRY_COMPARE_WITH_TIMEOUT(started.names.size(), 3, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(LivePlayers::count(), 0, 20000);
    // AND a list of nothing but missing or empty entries starts no player
    page.slotPlayChord({QString(), missing});
    QCOMPARE(LivePlayers::count(), 0);
}

void TestChordPlay::shownPageHasItsSamplesDecodedAhead()
{
    // GIVEN a guitar page whose F has never been played
    std::unique_ptr<ChordsMainPage> page = makePage(QStringLiteral("guitar"));
    page->setCurrentChord(QStringLiteral("F"));
    const QString folder = DORuverud::App::theApp()->bundleResourcePath();
    auto* engine = DIReridArazi::AudioEngine::instance();
    QVERIFY(!engine->isReady(folder + "guitar_440_F2.mp3"));
    // WHEN it is shown, THEN its samples are decoded without a press
    page->show();
    for (const char* note : {"F2", "C3", "F3", "A3", "C4", "F4"})
        QTRY_VERIFY_WITH_TIMEOUT(engine->isReady(folder + "guitar_440_" + note + ".mp3"), 10000);
}

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    app.setResourceOffset(ChordFiles::resourcePrefix());
    TestChordPlay test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ChordPlay.moc"
