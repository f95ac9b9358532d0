// The chord window started as the program starts it, as a new user sees it
// (the introduction follows the window), for whole-process figures. With
// --first-frame it ends at its first painted frame; with --tour it then
// shows the seven pages in turn through the instrument buttons, plays three
// chords on each through the chord buttons and the play button, and ends
// half a second after the last. It prints "painted" and its memory figures
// (see PeakMemory.h).
#include "App.h"
#include "ChordsButtonsPanel.h"
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
constexpr int chordMs = 40;
constexpr int settleMs = 500;

void report()
{
    std::fputs(memoryReport().constData(), stdout);
    std::fflush(stdout);
    QCoreApplication::quit();
}

void clickButton(QWidget* parent, const QString& text)
{
    const QList<QPushButton*> buttons = parent->findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        if (button->text() == text) {
            button->click();
            return;
        }
    }
    std::fprintf(stderr, "no button %s\n", qPrintable(text));
}

// A chord as a user picks it: its root, its type, then play.
void playChord(QWidget* page, const QString& root, const QString& type)
{
    auto* panel = page->findChild<VADirur::ChordsButtonsPanel*>();
    clickButton(panel, root);
    clickButton(panel, type);
    page->findChild<QPushButton*>(QStringLiteral("PlayButton"))->click();
}

// Each page in the selector's order, a moment apart: shown, then three chords played.
void tour(MainPage* window)
{
    const QList<QPushButton*> items
        = window->findChild<ItemsPanel*>()->findChildren<QPushButton*>();
    const QList<QPair<QString, QString>> chords = {{QStringLiteral("C"), QString()},
        {QStringLiteral("A"), QStringLiteral("m")}, {QStringLiteral("G"), QStringLiteral("7")}};
    for (int i = 0; i < items.size(); ++i) {
        QTimer::singleShot(i * pageMs, window, [item = items.at(i)] { item->click(); });
        for (int c = 0; c < chords.size(); ++c) {
            QTimer::singleShot(
                i * pageMs + (c + 1) * chordMs, window, [window, chord = chords.at(c)] {
                    playChord(window->findChild<QStackedWidget*>()->currentWidget(), chord.first,
                        chord.second);
                });
        }
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
    StartupSequence::prepareProcess();
    DORuverud::App app(argc, argv, QStringLiteral("Quelmar"), QStringLiteral("Tessivar"));
    StartupSequence::configure(app);
    MainPage window(nullptr);
    StartupSequence::prepareWindow(app, window);
    FirstPaint watcher(&window, app.arguments().contains(QStringLiteral("--tour")));
    window.installEventFilter(&watcher);
    StartupSequence::showWindow(app, window);
    return app.exec();
}
