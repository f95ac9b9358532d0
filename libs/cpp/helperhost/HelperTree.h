#pragma once

#include <QByteArray>
#include <QList>

// What a helper reads besides its own folder, as the program finds it once:
// the system's programs and libraries (/usr, and the links or folders of
// the root that stand for parts of it), the few parts of /etc that loading
// libraries and fonts read, the fonts, configuration and caches that
// fontconfig uses, the user's among them, the folders of LD_LIBRARY_PATH and
// QT_PLUGIN_PATH, and the suppression files that a sanitizer's options name.
// No home folder, no other folder of the user's, nothing of /etc beyond
// those. Any thread may ask.
class HelperTree
{
public:
    struct Entry
    {
        QByteArray path;
        // A link of the root, such as /lib to usr/lib, to make as it is;
        // empty for a file or folder to show read-only.
        QByteArray link;
    };

    // Parents before what they hold; nothing under another entry.
    static const QList<Entry>& entries();
    // What the helper may open, for its own rules: the entries but the
    // links, whose targets are among them, and the harmless devices.
    static QList<QByteArray> readable();
};
