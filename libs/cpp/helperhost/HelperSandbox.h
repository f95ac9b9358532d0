#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Starts helper programs as a desktop starts its thumbnailers: inside
// bubblewrap, in user, PID, IPC, network, UTS and cgroup namespaces of their
// own, with no capabilities, in a session of their own, the whole file
// system read-only but for a /proc and a /dev of their own, ending with the
// program. Where bubblewrap is missing or cannot make its namespaces, a
// helper starts as it is, confined by its own filter and limits only, which
// the program says once on its standard error.
class HelperSandbox
{
public:
    struct Started
    {
        // The helper, and the program's child to reap: bubblewrap, or the
        // helper itself.
        pid_t helper = -1;
        pid_t child = -1;
        bool sandboxed = false;
        // Why it did not start (an errno), or 0.
        int error = 0;
    };

    // Starts the program with the channel as its standard input, nothing
    // as its standard output, errors as its standard error and no other
    // file, an environment of only what Qt needs to draw as the program
    // does, and its signals as a new program has them. Waits at most
    // waitMs for the sandbox to stand.
    static Started start(const QByteArray& program, int channel, int errors, int waitMs);
    // The bubblewrap that starts helpers from now on, or none for an empty
    // path; bubblewrap as installed unless set.
    static void setBubblewrap(const QString& path);
    // The exit status of the helper as its child to reap ended with
    // status; a signal that ended it as 128 and more, as a shell tells it.
    static int exitStatusOf(int status);
};
