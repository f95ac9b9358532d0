// The chord window started as the program starts it, for whole-process
// figures. With --first-frame it ends at its first painted frame; with
// --tour it then shows the seven pages in turn, plays three chords on each
// and ends half a second after the last. It prints "painted" and its peak
// resident memory in KiB.
#include "App.h"
#include "ChordsMainPage.h"
#include "ItemsPanel.h"
#include "MainPage.h"
#include "PeakMemory.h"
#include "StartupSequence.h"

#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <cstdio>

namespace {

constexpr int pageMs = 150;
constexpr int settleMs = 500;

void report()
{
    std::printf("painted %ld\n", peakMemoryKiB());
    std::fflush(stdout);
    QCoreApplication::quit();
}

// Each page in the selector's order, a moment apart: shown, then three chords played.
void tour(MainPage* window)
{
    const QList<QPushButton*> items
        = window->findChild<ItemsPanel*>()->findChildren<QPushButton*>();
    for (int i = 0; i < items.size(); ++i) {
        QTimer::singleShot(i * pageMs, window, [window, item = items.at(i)] {
            item->click();
            auto* page = qobject_cast<VADirur::ChordsMainPage*>(
                window->findChild<QStackedWidget*>()->currentWidget());
            for (const char* chord : {"C", "Am", "G7"}) {
                page->setCurrentChord(QLatin1String(chord));
                page->slotPlay();
            }
        });
    }
    QTimer::singleShot(items.size() * pageMs + settleMs, report);
}

class FirstPaint : public QObject
{
public:
    FirstPaint(MainPage* window, bool touring)
        : m_window(window)
        , m_touring(touring)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [this] { m_touring ? tour(m_window) : report(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    MainPage* m_window;
    bool m_touring;
    bool m_seen = false;
};

} // namespace

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, QStringLiteral("Quelmar"), QStringLiteral("Tessivar"));
    StartupSequence::configure(app);
    // As on every start after the first: the introduction stays closed.
    app.setSettingsValue(QStringLiteral("NeverShowItAgain"), true);
    MainPage window(nullptr);
    StartupSequence::prepareWindow(app, window);
    FirstPaint watcher(&window, app.arguments().contains(QStringLiteral("--tour")));
    window.installEventFilter(&watcher);
    window.show();
    app.setMainWidget(&window);
    return app.exec();
}
