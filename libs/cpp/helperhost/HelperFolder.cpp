#include "HelperFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray madePrivate(const QByteArray& pattern)
{
    QByteArray path = pattern;
    return ::mkdtemp(path.data()) ? path : QByteArray();
}

// Most stages stay empty, and are told so at once.
bool isEmpty(const QByteArray& folder)
{
    DIR* listed = ::opendir(folder.constData());
    bool empty = true;
    while (const dirent* entry = listed ? ::readdir(listed) : nullptr) {
        const QByteArray name(entry->d_name);
        empty = empty && (name == "." || name == "..");
    }
    if (listed)
        ::closedir(listed);
    return empty;
}

void removeAll(const QByteArray& path)
{
    if (!path.isEmpty())
        QDir(QFile::decodeName(path)).removeRecursively();
}

// A helper's folder is most often as made, and goes at once.
void removeFolder(const QByteArray& path)
{
    if (::rmdir(HelperFolder::stageOf(path).constData()) != 0
        || ::rmdir(HelperFolder::runtimeOf(path).constData()) != 0
        || ::rmdir(path.constData()) != 0)
        removeAll(path);
}

const char basePrefix[] = "tessivar-helpers-";

// The bases of this user's programs that ended without removing theirs, as
// one killed does: their names tell their programs' IDs.
void removeLeftBases(const QString& parent)
{
    const QFileInfoList bases
        = QDir(parent).entryInfoList({QString(basePrefix) + '*'}, QDir::Dirs | QDir::NoSymLinks);
    for (const QFileInfo& base : bases) {
        const pid_t owner
            = pid_t(base.fileName().mid(int(qstrlen(basePrefix))).section('-', 0, 0).toInt());
        if (owner > 0 && base.ownerId() == ::getuid() && ::kill(owner, 0) != 0 && errno == ESRCH)
            QDir(base.filePath()).removeRecursively();
    }
}

// In the user's runtime folder where there is one, which the system empties
// when the user leaves; else in the temporary folder. Named after the
// program's ID, so that a later program removes it where this one could not.
struct Base
{
    QByteArray path;

    Base()
    {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        const QString parent
            = !runtime.isEmpty() && QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
        removeLeftBases(parent);
        path = madePrivate(QFile::encodeName(parent) + '/' + basePrefix
            + QByteArray::number(::getpid()) + "-XXXXXX");
    }

    ~Base()
    {
        removeAll(path);
    }
};

} // namespace

HelperFolder::HelperFolder()
{
    const QByteArray base = HelperFolder::base();
    if (base.isEmpty())
        return;
    m_path = madePrivate(base + "/XXXXXX");
    if (!m_path.isEmpty()
        && (::mkdir(stage().constData(), 0700) != 0 || ::mkdir(runtime().constData(), 0700) != 0)) {
        removeAll(m_path);
        m_path.clear();
    }
}

HelperFolder::~HelperFolder()
{
    if (!m_path.isEmpty())
        removeFolder(m_path);
}

QByteArray HelperFolder::path() const
{
    return m_path;
}

QByteArray HelperFolder::stage() const
{
    return m_path.isEmpty() ? QByteArray() : stageOf(m_path);
}

QByteArray HelperFolder::runtime() const
{
    return m_path.isEmpty() ? QByteArray() : runtimeOf(m_path);
}

void HelperFolder::clearStage() const
{
    if (m_path.isEmpty() || isEmpty(stage()))
        return;
    QDir stage(QFile::decodeName(this->stage()));
    const QFileInfoList entries = stage.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            stage.remove(entry.fileName());
    }
}

QByteArray HelperFolder::base()
{
    // Removed at the program's end, after the helpers.
    static const Base made;
    return made.path;
}

QByteArray HelperFolder::stageOf(const QByteArray& folder)
{
    return folder + "/stage";
}

QByteArray HelperFolder::runtimeOf(const QByteArray& folder)
{
    return folder + "/runtime";
}
