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

    // Runs the job on the thread, after those posted before it; from any
    // thread, once an application object exists.
    static void post(std::function<void()> job);
    // Whether the calling thread is the layout thread.
    static bool isCurrent();
    // A copy of a font that shares nothing with it, for another thread (the
    // copies of a font share what it resolved, which belongs to the thread
    // that resolved it), at the dots per inch of the widget that shows it,
    // which sizes it and which the font does not tell.
    static QFont unshared(const QFont& font, int dpi);
};
