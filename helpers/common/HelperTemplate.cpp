#include "HelperTemplate.h"

#include "HelperChannel.h"
#include "HelperConfinement.h"
#include "HelperFolder.h"
#include "HelperMessage.h"
#include "HelperSandbox.h"
#include "HelperTemplates.h"
#include "LandlockRules.h"
#include "SystemCallFilter.h"

#include <csignal>
#include <cstdlib>
#include <malloc.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/signalfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

sigset_t childEnds()
{
    sigset_t ends;
    sigemptyset(&ends);
    sigaddset(&ends, SIGCHLD);
    return ends;
}

// Tells the program how each helper that ended did, where the channel has
// room: one the program reads no more never stops the template.
void reap(HelperChannel& control)
{
    int status = 0;
    pid_t ended;
    while ((ended = ::waitpid(-1, &status, WNOHANG)) > 0) {
        control.setNumber(0);
        control.send(HelperTemplates::endedKind, HelperMessage::of(qint64(ended), qint32(status)),
            {}, QDeadlineTimer(0));
    }
}

} // namespace

bool HelperTemplate::isTemplate()
{
    return qEnvironmentVariableIsSet(HelperSandbox::templateVariable);
}

void HelperTemplate::forkHelpers(const std::function<void()>& warmUp)
{
    warmUp();
    // What warming up freed goes back, so that a helper writes fewer pages
    // it shares with the template.
    ::malloc_trim(0);
    HelperConfinement::keepFilter(SystemCallFilter().program());
    const sigset_t ends = childEnds();
    // Told of a helper's end only, not of each stop and run between tasks.
    struct sigaction endsOnly
    {
    };
    endsOnly.sa_handler = SIG_DFL;
    endsOnly.sa_flags = SA_NOCLDSTOP;
    ::sigaction(SIGCHLD, &endsOnly, nullptr);
    ::sigprocmask(SIG_BLOCK, &ends, nullptr);
    const int endsFd = ::signalfd(-1, &ends, SFD_CLOEXEC | SFD_NONBLOCK);
    // Never deleted: a helper goes on with its own channel on the same descriptor.
    auto* control = new HelperChannel(STDIN_FILENO);
    if (endsFd < 0 || !control->send(HelperChannel::readyKind))
        ::_exit(1);
    for (;;) {
        pollfd ready[] = {{STDIN_FILENO, POLLIN, 0}, {endsFd, POLLIN, 0}};
        if (::poll(ready, 2, -1) < 0)
            continue;
        if (ready[1].revents) {
            signalfd_siginfo told;
            while (::read(endsFd, &told, sizeof(told)) == sizeof(told)) { }
            reap(*control);
        }
        // The helper has none of the template's descriptors.
        if (ready[0].revents && forked(*control)) {
            ::sigprocmask(SIG_UNBLOCK, &ends, nullptr);
            return;
        }
    }
}

// A helper forked for the program's request: true in the helper, false in
// the template, which tells the program of it. A request amiss, or the
// program gone, ends the template.
bool HelperTemplate::forked(HelperChannel& control)
{
    HelperChannel::Message request;
    QByteArray folder;
    if (!control.receive(request) || request.kind != HelperTemplates::forkKind
        || request.fds.size() != 2 || !HelperMessage::read(request.data, folder))
        ::_exit(0);
    const pid_t self = ::getpid();
    const pid_t helper = ::fork();
    if (helper == 0) {
        becomeHelper(request.fds, folder, self);
        return true;
    }
    const int pidFd = helper > 0 ? int(::syscall(SYS_pidfd_open, helper, 0)) : -1;
    request.closeFds();
    if (pidFd < 0)
        ::_exit(1);
    control.setNumber(request.number);
    control.send(HelperTemplates::forkedKind, HelperMessage::of(qint64(helper)), {pidFd});
    ::close(pidFd);
    return false;
}

// The request's channel and errors as its standard input and error, and
// nothing else of the template's; its folder's stage as its working folder
// and its runtime folder as Qt's.
void HelperTemplate::becomeHelper(const QVector<int>& fds, const QByteArray& folder, pid_t parent)
{
    ::prctl(PR_SET_PDEATHSIG, SIGKILL, 0, 0, 0);
    if (::getppid() != parent || ::dup2(fds.at(0), STDIN_FILENO) < 0
        || ::dup2(fds.at(1), STDERR_FILENO) < 0)
        ::_exit(1);
    ::closefrom(STDERR_FILENO + 1);
    ::unsetenv(HelperSandbox::templateVariable);
    ::setenv(HelperSandbox::folderVariable, folder.constData(), 1);
    ::setenv("XDG_RUNTIME_DIR", HelperFolder::runtimeOf(folder).constData(), 1);
    // Without Landlock, helpers of one template could read each other's
    // memory through /proc.
    if (LandlockRules::abi() == 0)
        ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
    if (::chdir(HelperFolder::stageOf(folder).constData()) != 0
        || !LandlockRules::restrictTo(HelperConfinement::readable(folder)))
        ::_exit(1);
}
