#include "ProcessWatch.h"

#include <QByteArray>

#include <cerrno>
#include <csignal>
#include <cstdio>
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
    char text[512];
    const ssize_t read = fd >= 0 ? ::pread(fd, text, sizeof(text) - 1, 0) : -1;
    return read > 0 ? QByteArray(text, int(read)) : QByteArray();
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
    if (!onlyItsEnd) {
        m_stat = openProcFile(pid, "stat");
        m_statm = openProcFile(pid, "statm");
        m_schedstat = openProcFile(pid, "schedstat");
        if (m_pidFd >= 0 && m_stat >= 0 && m_statm >= 0 && m_schedstat >= 0
            && ::clock_getcpuclockid(pid, &m_cpuClock) == 0)
            return true;
    }
    close();
    return false;
}

void ProcessWatch::close()
{
    m_pid = -1;
    closeFile(m_pidFd);
    closeFile(m_stat);
    closeFile(m_statm);
    closeFile(m_schedstat);
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
    ::syscall(SYS_pidfd_send_signal, m_pidFd, SIGKILL, nullptr, 0);
    return endsWithin(ms);
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
    // pid (name) state ...
    const QByteArray line = readProcFile(m_stat);
    const int close = line.lastIndexOf(')');
    return close < 0 || line.size() < close + 3 ? 0 : line.at(close + 2);
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
