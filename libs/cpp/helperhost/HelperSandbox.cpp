#include "HelperSandbox.h"

#include "HelperTree.h"
#include "LandlockRules.h"
#include "SanitizedBuild.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QStandardPaths>
#include <QThread>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <deque>
#include <fcntl.h>
#include <functional>
#include <future>
#include <mutex>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// What Qt needs to draw as the program does: its fonts, as fontconfig finds
// them for the user and the language, its libraries and plugins.
const char* const passedOn[] = {
    "HOME",
    "LANG",
    "LANGUAGE",
    "LC_ALL",
    "LC_CTYPE",
    "XDG_CONFIG_HOME",
    "XDG_CONFIG_DIRS",
    "XDG_DATA_HOME",
    "XDG_DATA_DIRS",
    "XDG_CACHE_HOME",
    "FONTCONFIG_FILE",
    "FONTCONFIG_PATH",
    "FONTCONFIG_SYSROOT",
    "LD_LIBRARY_PATH",
    "QT_PLUGIN_PATH",
#ifdef TESSIVAR_SANITIZED
    "ASAN_OPTIONS",
    "LSAN_OPTIONS",
    "UBSAN_OPTIONS",
    "TSAN_OPTIONS",
#endif
};

// Namespaces of its own, no capabilities, its own session, a /proc and /dev
// of its own.
const char* const sandboxArguments[] = {"--unshare-user", "--unshare-pid", "--unshare-ipc",
    "--unshare-net", "--unshare-uts", "--unshare-cgroup", "--disable-userns", "--die-with-parent",
    "--new-session", "--cap-drop", "ALL", "--proc", "/proc", "--dev", "/dev"};
constexpr int infoFd = 3;
constexpr int mostInfo = 4096;

QList<QByteArray> helperEnvironment(const HelperSandbox::Launch& launch)
{
    QList<QByteArray> environment {"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + launch.runtime,
        QByteArray(HelperSandbox::readableVariable) + '=' + HelperTree::readable().join('\n'),
        QByteArray(HelperSandbox::folderVariable) + '=' + launch.folder};
    if (launch.asTemplate)
        environment << QByteArray(HelperSandbox::templateVariable) + "=1";
    for (const char* name : passedOn) {
        if (qEnvironmentVariableIsSet(name))
            environment << QByteArray(name) + '=' + qgetenv(name);
    }
    return environment;
}

// What it reads, read-only where it is; the rest of the root read-only and
// empty. Bubblewrap tells the first process of the sandbox on descriptor 3,
// and the helper is its one child.
QList<QByteArray> sandboxArgumentsOf(const HelperSandbox::Launch& launch)
{
    QList<QByteArray> arguments;
    for (const char* argument : sandboxArguments)
        arguments << argument;
    for (const HelperTree::Entry& entry : HelperTree::entries()) {
        if (entry.link.isEmpty())
            arguments << "--ro-bind-try" << entry.path << entry.path;
        else
            arguments << "--symlink" << entry.link << entry.path;
    }
    arguments << "--ro-bind" << launch.program << launch.program << "--ro-bind" << launch.folder
              << launch.folder << "--remount-ro"
              << "/"
              << "--chdir" << launch.workingFolder << "--info-fd" << QByteArray::number(infoFd)
              << "--" << launch.program;
    return arguments;
}

// Runs each spawn on one thread that lasts as long as the program: a helper
// dies with the thread that started it (PR_SET_PDEATHSIG), which must not be
// a worker thread that ends before the program.
int onLastingThread(std::function<int()> spawn)
{
    struct Spawner
    {
        std::mutex mutex;
        std::condition_variable queued;
        std::deque<std::packaged_task<int()>> tasks;
    };
    // Never deleted: the thread waits on it until the program ends.
    static Spawner* const spawner = [] {
        auto* made = new Spawner;
        std::thread([made] {
            for (;;) {
                std::unique_lock<std::mutex> lock(made->mutex);
                made->queued.wait(lock, [made] { return !made->tasks.empty(); });
                std::packaged_task<int()> task = std::move(made->tasks.front());
                made->tasks.pop_front();
                lock.unlock();
                task();
            }
        }).detach();
        return made;
    }();
    std::packaged_task<int()> task(std::move(spawn));
    std::future<int> done = task.get_future();
    {
        const std::lock_guard<std::mutex> lock(spawner->mutex);
        spawner->tasks.push_back(std::move(task));
    }
    spawner->queued.notify_one();
    return done.get();
}

// Spawns the arguments' program with the launch's descriptors as its 0 and
// 2 and, unless -1, info as its 3, /dev/null as its 1, its signals as a new
// program has them, in a session of its own, working in the launch's
// working folder; gives the error, or 0.
int spawn(QList<QByteArray> arguments, const HelperSandbox::Launch& launch, int info, pid_t& pid)
{
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, launch.channel, STDIN_FILENO);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&files, launch.errors, STDERR_FILENO);
    if (info >= 0)
        posix_spawn_file_actions_adddup2(&files, info, infoFd);
    posix_spawn_file_actions_addclosefrom_np(&files, info >= 0 ? infoFd + 1 : STDERR_FILENO + 1);
    posix_spawn_file_actions_addchdir_np(&files, launch.workingFolder.constData());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t all;
    sigset_t none;
    sigfillset(&all);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(
        &attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSID);
    QList<QByteArray> environment = helperEnvironment(launch);
    std::vector<char*> variables;
    for (QByteArray& variable : environment)
        variables.push_back(variable.data());
    variables.push_back(nullptr);
    std::vector<char*> argv;
    for (QByteArray& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const int error = onLastingThread([&] {
        return ::posix_spawn(&pid, argv[0], &files, &attributes, argv.data(), variables.data());
    });
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    return error;
}

struct Bubblewrap
{
    std::mutex mutex;
    QString path = QStandardPaths::findExecutable(QStringLiteral("bwrap"));
    // Once it could not make a sandbox, it is not tried again in this run.
    std::atomic<bool> refused {false};
    std::atomic<bool> told {false};
};

Bubblewrap& bubblewrap()
{
    static Bubblewrap* const kept = new Bubblewrap;
    return *kept;
}

void tellUnsandboxed(const QString& why)
{
    if (bubblewrap().told.exchange(true))
        return;
    if (LandlockRules::abi() > 0)
        qWarning("Helpers run without a sandbox (%s): each is confined by its system call "
                 "filter, its limits and its Landlock rules.",
            qPrintable(why));
    else
        qWarning("Helpers run without a sandbox (%s) and without Landlock: each is confined by "
                 "its system call filter and its limits only, and reads what the user can.",
            qPrintable(why));
}

// What bubblewrap tells of the sandbox once it stands, up to EOF: the
// process ID of its first process, 0 where it closed without one, as when
// it cannot make the sandbox, or -1 past the deadline.
pid_t firstProcessOf(int info, const QElapsedTimer& clock, int waitMs)
{
    QByteArray told;
    for (;;) {
        pollfd readable {info, POLLIN, 0};
        const int left = int(qMax<qint64>(0, waitMs - clock.elapsed()));
        const int ready = ::poll(&readable, 1, left);
        if (ready == 0)
            return -1;
        char part[512];
        const ssize_t read = ready < 0 ? -1 : ::read(info, part, sizeof(part));
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0 || told.size() + read > mostInfo)
            break;
        told.append(part, int(read));
    }
    const QJsonValue pid = QJsonDocument::fromJson(told).object().value(QLatin1String("child-pid"));
    return qMax(0, pid.toInt(0));
}

// The process whose parent is that one: its one child, once forked; 0
// where the parent is gone, -1 past the deadline.
pid_t onlyChildOf(pid_t parent, const QElapsedTimer& clock, int waitMs)
{
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(parent));
    do {
        if (!children.open(QIODevice::ReadOnly))
            return 0;
        const QList<QByteArray> pids = children.readAll().simplified().split(' ');
        children.close();
        if (pids.size() == 1 && pids.first().toInt() > 0)
            return pid_t(pids.first().toInt());
        QThread::usleep(500);
    } while (clock.elapsed() < waitMs);
    return -1;
}

void reap(pid_t pid)
{
    ::kill(pid, SIGKILL);
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) { }
}

// The helper in a sandbox; no helper where the sandbox could not stand.
HelperSandbox::Started startSandboxed(
    const QString& wrapper, const HelperSandbox::Launch& launch, int waitMs)
{
    HelperSandbox::Started started;
    int info[2];
    if (::pipe2(info, O_CLOEXEC) != 0) {
        started.error = errno;
        return started;
    }
    const QList<QByteArray> arguments
        = QList<QByteArray> {QFile::encodeName(wrapper)} + sandboxArgumentsOf(launch);
    QElapsedTimer clock;
    clock.start();
    started.error = spawn(arguments, launch, info[1], started.child);
    ::close(info[1]);
    if (started.error == 0) {
        const pid_t first = firstProcessOf(info[0], clock, waitMs);
        started.helper = first > 0 ? onlyChildOf(first, clock, waitMs) : -1;
        started.sandboxed = started.helper > 0;
        if (!started.sandboxed) {
            reap(started.child);
            started.child = -1;
        }
        // Slow to stand on a busy machine, or ended at once, is no refusal.
        if (!started.sandboxed && first != 0)
            started.error = started.helper == 0 ? ESRCH : ETIMEDOUT;
    }
    ::close(info[0]);
    return started;
}

} // namespace

HelperSandbox::Started HelperSandbox::start(const Launch& launch, int waitMs)
{
    Bubblewrap& wrapper = bubblewrap();
    QString path;
    {
        const std::lock_guard<std::mutex> lock(wrapper.mutex);
        path = wrapper.path;
    }
    if (path.isEmpty())
        tellUnsandboxed(QStringLiteral("bubblewrap is not installed"));
    if (!path.isEmpty() && !wrapper.refused) {
        Started started = startSandboxed(path, launch, waitMs);
        if (started.sandboxed || started.error != 0)
            return started;
        wrapper.refused = true;
        tellUnsandboxed(QStringLiteral("bubblewrap could not make one"));
    }
    Started started;
    started.error = spawn({launch.program}, launch, -1, started.child);
    started.helper = started.child;
    return started;
}

void HelperSandbox::setBubblewrap(const QString& path)
{
    Bubblewrap& wrapper = bubblewrap();
    const std::lock_guard<std::mutex> lock(wrapper.mutex);
    wrapper.path = path;
    wrapper.refused = false;
    wrapper.told = false;
}

int HelperSandbox::exitStatusOf(int status)
{
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}
