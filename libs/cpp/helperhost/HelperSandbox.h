#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Starts helper programs as a desktop starts its thumbnailers: inside
// bubblewrap, in user, PID, IPC, network, UTS and cgroup namespaces of their
// own, with no capabilities, in a session of their own, ending with the
// program, and seeing of the file system only what they read
// (HelperTree), their own folder (HelperFolder), and a /proc and a /dev of
// their own, all read-only. Where bubblewrap is missing or cannot make its
// namespaces, a helper starts as it is, in a session of its own, confined by
// its own filter, limits and Landlock rules only, which the program says
// once on its standard error.
class HelperSandbox
{
public:
    // What tells a helper what it reads (HelperTree::readable(), a line
    // each), its folder, and that it is a template (HelperTemplates).
    static constexpr char readableVariable[] = "TESSIVAR_HELPER_READS";
    static constexpr char folderVariable[] = "TESSIVAR_HELPER_FOLDER";
    static constexpr char templateVariable[] = "TESSIVAR_HELPER_TEMPLATE";

    // A helper to start: with the channel as its standard input, nothing as
    // its standard output and errors as its standard error; reading its
    // folder, and working in it or, for a template, in none, which gets the
    // folder of every helper to read.
    struct Launch
    {
        QByteArray program;
        int channel = -1;
        int errors = -1;
        QByteArray folder;
        QByteArray workingFolder;
        QByteArray runtime;
        bool asTemplate = false;
    };

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

    // Starts the helper with no other file, an environment of only what Qt
    // needs to draw as the program does, and its signals as a new program
    // has them. Waits at most waitMs for the sandbox to stand.
    static Started start(const Launch& launch, int waitMs);
    // The bubblewrap that starts helpers from now on, or none for an empty
    // path; bubblewrap as installed unless set.
    static void setBubblewrap(const QString& path);
    // The exit status of the helper as its child to reap ended with
    // status; a signal that ended it as 128 and more, as a shell tells it.
    static int exitStatusOf(int status);
};
