#pragma once

#include <QFont>

#include <functional>

// The one thread of the program on which the rich-text editor reads what it
// opens, pastes or drops, tries it in the page helper and builds and lays out
// the documents it will show, one job after another. Qt's fonts belong to the
// thread that resolved them, and a document laid out here holds them: the
// thread therefore never ends, so that a document it laid out stays sound on
// the GUI thread. At the program's end, the job under way finishes (each is
// bounded: a trial by its helper's limits, a build by what the helper
// finished within them) and the jobs after it are dropped.
class LayoutThread
{
public:
    LayoutThread() = delete;

    // Runs the job on the thread, after those posted before it; from the
    // GUI thread.
    static void post(std::function<void()> job);
    // Runs the function on the GUI thread, after those handed back before
    // it; from the layout thread. What it holds goes over through a lock the
    // thread sanitizer sees, unlike the events of Qt's own libraries.
    static void handBack(std::function<void()> function);
    // Whether the calling thread is the layout thread.
    static bool isCurrent();
    // A copy of a font that shares nothing with it, for another thread (the
    // copies of a font share what it resolved, which belongs to the thread
    // that resolved it), at the dots per inch of the widget that shows it,
    // which sizes it and which the font does not tell.
    static QFont unshared(const QFont& font, int dpi);
};
