#pragma once

#include <QByteArray>
#include <QString>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs work in a child process on a "full disk": no file may grow past
// limit bytes there, so a write beyond it fails with EFBIG, as on a full
// disk, without root. Returns what work returned in the child (a UTF-8
// text), or "child failed" when the child did not end normally. Work must
// not show windows or wait for events: the child has the parent's objects
// but not its threads.
inline QString onFullDisk(rlim_t limit, const std::function<QString()>& work)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return QStringLiteral("child failed");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small {limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &small);
        const QByteArray result = work().toUtf8();
        const bool sent = ::write(channel[1], result.constData(), result.size()) == result.size();
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    QByteArray result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, int(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (child < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("child failed");
    return QString::fromUtf8(result);
}
