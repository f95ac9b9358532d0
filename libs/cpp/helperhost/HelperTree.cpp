#include "HelperTree.h"

#include <QFile>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fontconfig/fontconfig.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const system[] = {"/usr", "/bin", "/sbin", "/lib", "/lib32", "/lib64", "/libx32",
    "/etc/ld.so.cache", "/etc/ld.so.conf", "/etc/ld.so.conf.d", "/etc/localtime", "/etc/fonts",
    // Font packages may name their files through alternatives.
    "/etc/alternatives"};
const char* const devices[]
    = {"/dev/null", "/dev/zero", "/dev/full", "/dev/random", "/dev/urandom"};
const char* const sanitizerOptions[]
    = {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS", "TSAN_OPTIONS"};

void addList(QList<QByteArray>& paths, FcStrList* list)
{
    if (!list)
        return;
    while (const FcChar8* path = FcStrListNext(list))
        paths << QByteArray(reinterpret_cast<const char*>(path));
    FcStrListDone(list);
}

// The fonts, configuration files and folders, and caches fontconfig uses,
// the user's too; those that are no file are left out later.
QList<QByteArray> fontconfigPaths()
{
    QList<QByteArray> paths;
    FcConfig* config = FcConfigGetCurrent();
    if (!config)
        return paths;
    addList(paths, FcConfigGetFontDirs(config));
    addList(paths, FcConfigGetConfigDirs(config));
    addList(paths, FcConfigGetConfigFiles(config));
    addList(paths, FcConfigGetCacheDirs(config));
    return paths;
}

QList<QByteArray> listIn(const char* variable, char separator)
{
    QList<QByteArray> paths;
    for (const QByteArray& path : qgetenv(variable).split(separator)) {
        if (path.startsWith('/'))
            paths << path;
    }
    return paths;
}

// The files "suppressions=..." names in the sanitizers' options.
QList<QByteArray> suppressionFiles()
{
    QList<QByteArray> paths;
    for (const char* variable : sanitizerOptions) {
        for (const QByteArray& option : qgetenv(variable).replace(' ', ':').split(':')) {
            if (option.startsWith("suppressions=/"))
                paths << option.mid(int(qstrlen("suppressions=")));
        }
    }
    return paths;
}

bool isUnder(const QByteArray& path, const QByteArray& folder)
{
    return path == folder || (path.startsWith(folder) && path.at(folder.size()) == '/');
}

QList<HelperTree::Entry> found()
{
    QList<QByteArray> paths;
    for (const char* path : system)
        paths << path;
    paths << fontconfigPaths() << listIn("LD_LIBRARY_PATH", ':') << listIn("QT_PLUGIN_PATH", ':')
          << suppressionFiles();
    for (QByteArray& path : paths) {
        while (path.size() > 1 && path.endsWith('/'))
            path.chop(1);
    }
    std::sort(paths.begin(), paths.end());
    QList<HelperTree::Entry> entries;
    for (const QByteArray& path : qAsConst(paths)) {
        struct stat file;
        const bool covered = std::any_of(entries.cbegin(), entries.cend(),
            [&path](const HelperTree::Entry& entry) { return isUnder(path, entry.path); });
        if (covered || ::lstat(path.constData(), &file) != 0)
            continue;
        char link[PATH_MAX];
        const ssize_t length
            = S_ISLNK(file.st_mode) ? ::readlink(path.constData(), link, sizeof(link)) : -1;
        // A link of the root stays a link; any other stands for its target.
        const bool ofRoot = path.lastIndexOf('/') == 0;
        entries << HelperTree::Entry {
            path, ofRoot && length > 0 ? QByteArray(link, int(length)) : QByteArray()};
    }
    return entries;
}

} // namespace

const QList<HelperTree::Entry>& HelperTree::entries()
{
    // Never deleted: a helper may start on another thread as the program ends.
    static const QList<Entry>* const once = new QList<Entry>(found());
    return *once;
}

QList<QByteArray> HelperTree::readable()
{
    QList<QByteArray> paths;
    for (const Entry& entry : entries()) {
        if (entry.link.isEmpty())
            paths << entry.path;
    }
    for (const char* device : devices)
        paths << device;
    return paths;
}
