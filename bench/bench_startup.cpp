// Cold start to the first painted frame of the main window, against a bare
// Qt window started the same way. Each run starts a new process with a new
// home folder; the child reports its first paint on its standard output.
#include "App.h"
#include "MainPage.h"
#include "StartupSequence.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

// Reports the first paint of the watched window, then ends the event loop.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, [] {
                std::puts("painted");
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

int bareWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(620, 620);
    window.setWindowTitle(QStringLiteral("Tessivar"));
    FirstPaint watcher;
    window.installEventFilter(&watcher);
    window.show();
    return app.exec();
}

// The start-up of the program, up to showing the window.
int mainWindow(int argc, char** argv)
{
    DORuverud::App app(argc, argv, QStringLiteral("Quelmar"), QStringLiteral("Tessivar"));
    StartupSequence::configure(app);
    MainPage window(nullptr);
    StartupSequence::prepareWindow(app, window);
    FirstPaint watcher;
    window.installEventFilter(&watcher);
    window.show();
    app.setMainWidget(&window);
    return app.exec();
}

void coldStart(benchmark::State& state, const char* kind)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir home;
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        if (!environment.contains(QStringLiteral("DISPLAY")))
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::SeparateChannels);
        state.ResumeTiming();

        child.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--child"), QLatin1String(kind)});
        while (!child.canReadLine() && child.waitForReadyRead(30000)) { }

        state.PauseTiming();
        if (child.readLine().trimmed() != "painted")
            state.SkipWithError("the child did not paint");
        child.waitForFinished(30000);
        state.ResumeTiming();
    }
}

BENCHMARK_CAPTURE(coldStart, bare_window, "bare")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(coldStart, main_window, "main")->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return qstrcmp(argv[2], "bare") == 0 ? bareWindow(argc, argv) : mainWindow(argc, argv);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
