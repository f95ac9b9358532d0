#include "../common/LivePlayers.h"
#include "../common/RunawayBound.h"
#include "../common/SoundStartLog.h"
#include "App.h"
#include "ChordFiles.h"
#include "ChordsTabBar.h"
#include "GuitarChordsMainPage.h"
#include "MetronomeControls.h"
#include "MetronomeMainPage.h"

#include <QAbstractButton>
#include <QProcess>
#include <QtTest>

#include <cstdio>
#include <memory>

using namespace VADirur;

namespace {

const char* const childArgument = "--quit-while-sounding";

bool started(const SoundStartLog& log, const QString& file)
{
    for (const QString& name : log.fileNames()) {
        if (name.startsWith(file))
            return true;
    }
    return false;
}

// Runs the event loop until the output has begun a file whose name starts
// so, for at most as long as only a hang takes.
bool waitForStart(const SoundStartLog& log, const QString& file)
{
    return QTest::qWaitFor([&] { return started(log, file); }, waitBoundMs(5000));
}

// A page that sounds as the user makes it: its play button, a tab of its
// chord sequence, or a metronome that ticks on its own (at its fastest, so
// that its first bell, half a second long, comes soon). Returns the start
// of the name of the files whose start shows that it sounds.
QString startSounding(const QString& how, std::unique_ptr<QWidget>& shown)
{
    if (how == QLatin1String("metronome")) {
        auto page = std::make_unique<MetronomeMainPage>(nullptr);
        page->findChild<MetronomeControls*>()->setInterval(208);
        shown = std::move(page);
        shown->show();
        return QStringLiteral("bell.wav");
    }
    auto page = std::make_unique<GuitarChordsMainPage>(nullptr);
    page->show();
    if (how == QLatin1String("play button")) {
        page->setCurrentChord(QStringLiteral("G7"));
        page->findChild<QAbstractButton*>(QStringLiteral("PlayButton"))->click();
    } else {
        page->setCurrentTransposerChords({"C\n", "G\n7"});
        auto* tabs = page->findChild<ChordsTabBar*>();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    }
    shown = std::move(page);
    return QStringLiteral("guitar_440_");
}

// The child: starts the sound, quits at once and, as the program's main()
// does, lets the page and then the application object go. The exit code is
// the number of players left, or LeakSanitizer's when it finds a leak.
int quitWhileSounding(int argc, char** argv)
{
    LivePlayers::install();
    {
        DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
        app.setResourceOffset(ChordFiles::resourcePrefix());
        SoundStartLog log;
        std::unique_ptr<QWidget> page;
        if (!waitForStart(log, startSounding(QString::fromLocal8Bit(argv[2]), page)))
            return 100;
        std::printf("sounding %d\n", LivePlayers::count());
        std::fflush(stdout);
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
        app.exec();
    }
    const int left = LivePlayers::count();
    std::printf("left %d\n", left);
    std::fflush(stdout);
    return left;
}

} // namespace

class TestQuitWhileSounding : public QObject
{
    Q_OBJECT

private slots:
    void quitFreesEveryPlayer_data();
    void quitFreesEveryPlayer();
};

void TestQuitWhileSounding::quitFreesEveryPlayer_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("chord of the play button") << "play button";
    QTest::newRow("chord of a sequence tab") << "sequence tab";
    QTest::newRow("metronome ticking") << "metronome";
}

// A user quits while sounds still play: every player goes with the
// application, and the leak check of a sanitizer build finds none.
void TestQuitWhileSounding::quitFreesEveryPlayer()
{
    QFETCH(QString, how);
    // GIVEN a program whose page sounds, WHEN the user quits at once
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {childArgument, how});
    QVERIFY(child.waitForFinished(300000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    // THEN it was sounding, and ends with no player left and no leak
    QVERIFY2(output.contains(QRegularExpression("sounding [1-9]")), qPrintable(output));
    QVERIFY2(child.exitStatus() == QProcess::NormalExit, qPrintable(output));
    QVERIFY2(child.exitCode() == 0, qPrintable(output));
}

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], childArgument) == 0)
        return quitWhileSounding(argc, argv);
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    TestQuitWhileSounding test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_QuitWhileSounding.moc"
