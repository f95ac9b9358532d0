#include "ProcessWatch.h"

#include <QByteArray>
#include <QList>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

int openProcFile(pid_t pid, const char* name)
{
    return ::open(QByteArray("/proc/" + QByteArray::number(pid) + '/' + name).constData(),
        O_RDONLY | O_CLOEXEC);
}

// What such a file says now; empty when the process is gone.
QByteArray readProcFile(int fd)
{
    char text[4096];
    const ssize_t read = fd >= 0 ? ::pread(fd, text, sizeof(text), 0) : -1;
    return read > 0 ? QByteArray(text, int(read)) : QByteArray();
}

// The state letter of a stat file's line: pid (name) state ...
char stateOf(const QByteArray& line)
{
    const int close = line.lastIndexOf(')');
    return close < 0 || line.size() < close + 3 ? 0 : line.at(close + 2);
}

// The number after a name in a status file, 0 where it is missing.
qint64 statusValue(const QByteArray& status, const char* name)
{
    const int at = status.indexOf(name);
    if (at < 0)
        return 0;
    long long value = 0;
    std::sscanf(status.constData() + at + qstrlen(name), "%lld", &value);
    return value;
}

// A whole small file of /proc.
QByteArray readWhole(const char* path)
{
    QByteArray whole;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    char part[4096];
    ssize_t read = 0;
    while (fd >= 0 && (read = ::read(fd, part, sizeof(part))) > 0)
        whole.append(part, int(read));
    if (fd >= 0)
        ::close(fd);
    return whole;
}

void closeFile(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

ProcessWatch::~ProcessWatch()
{
    close();
}

bool ProcessWatch::open(pid_t pid, bool onlyItsEnd)
{
    close();
    m_pid = pid;
    m_pidFd = int(::syscall(SYS_pidfd_open, pid, 0));
    if (onlyItsEnd && m_pidFd >= 0)
        return true;
    if (!onlyItsEnd && m_pidFd >= 0 && openProcFiles())
        return true;
    close();
    return false;
}

// Its ID as this program sees it, from what the descriptor tells; the
// process must still run once its files are open, so that they are its.
bool ProcessWatch::openPidFd(int pidFd)
{
    close();
    m_pidFd = pidFd;
    const QByteArray path = "/proc/self/fdinfo/" + QByteArray::number(pidFd);
    const QByteArray info = readWhole(path.constData());
    const int at = info.indexOf("\nPid:\t");
    m_pid = at < 0 ? 0 : pid_t(statusValue(info.mid(at), "Pid:"));
    if (m_pid > 0 && openProcFiles() && !endsWithin(0))
        return true;
    close();
    return false;
}

bool ProcessWatch::openProcFiles()
{
    m_stat = openProcFile(m_pid, "stat");
    m_statm = openProcFile(m_pid, "statm");
    m_schedstat = openProcFile(m_pid, "schedstat");
    m_status = openProcFile(m_pid, "status");
    const QByteArray folder = "/proc/" + QByteArray::number(m_pid);
    m_tasks = ::open((folder + "/task").constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // Not for a program that may not read a helper's descriptors.
    m_fds = ::open((folder + "/fdinfo").constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    m_maps = openProcFile(m_pid, "maps");
    return m_stat >= 0 && m_statm >= 0 && m_schedstat >= 0 && m_status >= 0 && m_tasks >= 0
        && ::clock_getcpuclockid(m_pid, &m_cpuClock) == 0;
}

void ProcessWatch::close()
{
    m_pid = -1;
    closeFile(m_pidFd);
    closeFile(m_stat);
    closeFile(m_statm);
    closeFile(m_schedstat);
    closeFile(m_status);
    closeFile(m_tasks);
    closeFile(m_fds);
    closeFile(m_maps);
    closeThreads();
}

bool ProcessWatch::isOpen() const
{
    return m_pidFd >= 0;
}

pid_t ProcessWatch::pid() const
{
    return m_pid;
}

bool ProcessWatch::kill(int ms) const
{
    if (m_pidFd < 0)
        return true;
    signal(SIGKILL);
    return endsWithin(ms);
}

bool ProcessWatch::signal(int signal) const
{
    return m_pidFd >= 0 && ::syscall(SYS_pidfd_send_signal, m_pidFd, signal, nullptr, 0) == 0;
}

bool ProcessWatch::endsWithin(int ms) const
{
    pollfd ended {m_pidFd, POLLIN, 0};
    int ready;
    do
        ready = ::poll(&ended, 1, ms);
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

char ProcessWatch::state() const
{
    return stateOf(readProcFile(m_stat));
}

qint64 ProcessWatch::residentBytes() const
{
    long long size = 0;
    long long resident = 0;
    if (std::sscanf(readProcFile(m_statm).constData(), "%lld %lld", &size, &resident) != 2)
        return 0;
    return resident * ::sysconf(_SC_PAGESIZE);
}

qint64 ProcessWatch::cpuNs() const
{
    timespec used {};
    if (m_pidFd < 0 || ::clock_gettime(m_cpuClock, &used) != 0)
        return -1;
    return qint64(used.tv_sec) * 1000000000 + used.tv_nsec;
}

qint64 ProcessWatch::busyNs() const
{
    long long running = 0;
    long long ready = 0;
    if (std::sscanf(readProcFile(m_schedstat).constData(), "%lld %lld", &running, &ready) != 2)
        return -1;
    return running + ready;
}

ProcessWatch::Held ProcessWatch::held() const
{
    const QByteArray status = readProcFile(m_status);
    Held held;
    held.threads = int(statusValue(status, "\nThreads:"));
    held.anonymous = (statusValue(status, "\nRssAnon:") + statusValue(status, "\nVmSwap:")) << 10;
    held.file = statusValue(status, "\nRssFile:") << 10;
    held.shared = statusValue(status, "\nRssShmem:") << 10;
    held.addressSpace = statusValue(status, "\nVmSize:") << 10;
    readDescriptors(held);
    return held;
}

bool ProcessWatch::isStopped() const
{
    if (m_threads.isEmpty())
        openThreads();
    for (const int thread : qAsConst(m_threads)) {
        const QByteArray line = readProcFile(thread);
        const char state = stateOf(line);
        // One ended: the others are looked at anew.
        if (line.isEmpty()) {
            closeThreads();
            return false;
        }
        if (state != 'T' && state != 't')
            return false;
    }
    return !m_threads.isEmpty();
}

void ProcessWatch::openThreads() const
{
    const int listed
        = m_tasks < 0 ? -1 : ::openat(m_tasks, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* tasks = listed < 0 ? nullptr : ::fdopendir(listed);
    if (!tasks) {
        if (listed >= 0)
            ::close(listed);
        return;
    }
    while (const dirent* task = ::readdir(tasks)) {
        const int stat = task->d_name[0] == '.'
            ? -1
            : ::openat(
                m_tasks, (QByteArray(task->d_name) + "/stat").constData(), O_RDONLY | O_CLOEXEC);
        if (stat >= 0)
            m_threads << stat;
    }
    ::closedir(tasks);
}

void ProcessWatch::closeThreads() const
{
    for (const int thread : qAsConst(m_threads))
        ::close(thread);
    m_threads.clear();
}

// Its mappings' lines name shared memory as a memory file, the zero device
// (shared anonymous memory) or a System V segment.
qint64 ProcessWatch::sharedMapped() const
{
    if (m_maps < 0 || ::lseek(m_maps, 0, SEEK_SET) != 0)
        return 0;
    QByteArray maps;
    char text[16384];
    ssize_t read = 0;
    while ((read = ::read(m_maps, text, sizeof(text))) > 0)
        maps.append(text, int(read));
    qint64 bytes = 0;
    for (const QByteArray& line : maps.split('\n')) {
        const int path = line.indexOf(" /");
        const QByteArray name = path < 0 ? QByteArray() : line.mid(path + 1);
        if (!name.startsWith("/memfd:") && !name.startsWith("/dev/zero")
            && !name.startsWith("/SYSV"))
            continue;
        const int dash = line.indexOf('-');
        const int space = line.indexOf(' ');
        bool first = false;
        bool last = false;
        const qint64 from = line.left(dash).toLongLong(&first, 16);
        const qint64 to = line.mid(dash + 1, space - dash - 1).toLongLong(&last, 16);
        if (first && last && to > from)
            bytes += to - from;
    }
    return bytes;
}

// Each descriptor's information lists the locks and leases on its file
// (its "lock:" lines); /proc/locks would list them too, but reading it waits
// for the kernel's whole lock table to quiesce, tens of milliseconds.
void ProcessWatch::readDescriptors(Held& held) const
{
    const int listed = m_fds < 0 ? -1 : ::openat(m_fds, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* fds = listed < 0 ? nullptr : ::fdopendir(listed);
    if (!fds) {
        if (listed >= 0)
            ::close(listed);
        return;
    }
    held.descriptors = 0;
    while (const dirent* fd = ::readdir(fds)) {
        const int info
            = fd->d_name[0] == '.' ? -1 : ::openat(m_fds, fd->d_name, O_RDONLY | O_CLOEXEC);
        if (info < 0)
            continue;
        ++held.descriptors;
        held.locked = held.locked || readProcFile(info).contains("\nlock:");
        ::close(info);
    }
    ::closedir(fds);
}
