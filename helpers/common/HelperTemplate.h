#pragma once

#include <QByteArray>
#include <QVector>

#include <functional>
#include <sys/types.h>

class HelperChannel;

// A helper program's template, seen from inside: started once by the
// program (HelperTemplates) and confined as a helper is, but reading the
// folder of every helper, it readies itself (fonts loaded, its filter
// made) and then forks a helper for each request of the program, reaping
// them and telling the program how each ended. A helper forked takes its
// channel and errors from the request, works in its own folder's stage,
// reads only its own folder besides what every helper reads, ends with the
// template, and goes on as a helper started on its own; the template reads
// no task. It stays one thread, so that forking copies nothing under way.
class HelperTemplate
{
public:
    // Whether the program started this process as a template.
    static bool isTemplate();
    // Forks until the program is gone, returning only in each helper.
    static void forkHelpers(const std::function<void()>& warmUp);

private:
    static bool forked(HelperChannel& control);
    static void becomeHelper(const QVector<int>& fds, const QByteArray& folder, pid_t parent);
};
