#include "HelperConfinement.h"

#include "HelperChannel.h"
#include "HelperSandbox.h"
#include "HelperTemplate.h"
#include "LandlockRules.h"
#include "SystemCallFilter.h"

#include <QSemaphore>
#include <QThreadPool>

#include <cap-ng.h>
#include <csignal>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

namespace {

QByteArray keptFilter;

// The stack pointer of the context a signal interrupted.
uintptr_t stackPointerOf(const void* context)
{
    const mcontext_t& machine = static_cast<const ucontext_t*>(context)->uc_mcontext;
#if defined(__x86_64__)
    return uintptr_t(machine.gregs[REG_RSP]);
#elif defined(__aarch64__)
    return uintptr_t(machine.sp);
#else
#error "the stack pointer of a signal's context is not known on this processor"
#endif
}

using SignalAction = struct sigaction;

// A fault just below the stack pointer, or within a frame above it, is the
// stack running out, as the sanitizers tell it too: the helper ends with the
// status that says so. Any other fault crashes it as before.
void onFault(int, siginfo_t* info, void* context)
{
    const bool fault = info->si_code == SEGV_MAPERR || info->si_code == SEGV_ACCERR;
    const auto address = reinterpret_cast<uintptr_t>(info->si_addr);
    const uintptr_t stack = stackPointerOf(context);
    if (fault && address + 512 > stack && address < stack + 0xFFFF)
        ::syscall(SYS_exit_group, HelperChannel::outOfStackStatus);
    SignalAction crash {};
    crash.sa_handler = SIG_DFL;
    ::sigaction(SIGSEGV, &crash, nullptr);
    ::raise(SIGSEGV);
}

// Room to handle a fault on once the stack has run out.
void handleStackOverflow()
{
    static char room[256 * 1024];
    const stack_t alternate {room, 0, sizeof(room)};
    SignalAction fault {};
    fault.sa_sigaction = onFault;
    fault.sa_flags = SA_SIGINFO | SA_ONSTACK;
    ::sigaltstack(&alternate, nullptr);
    ::sigaction(SIGSEGV, &fault, nullptr);
}

// Qt's pool converts and scales large pictures on threads of its own: it
// gets one, made before the filter and kept, that waits for work from then
// on. Each thread costs every task, as it stops and runs again with the
// helper.
void startPoolThread()
{
    QThreadPool* pool = QThreadPool::globalInstance();
    pool->setExpiryTimeout(-1);
    pool->setMaxThreadCount(1);
    // The pool makes its first thread as it is asked for work; what the
    // thread holds, its event descriptor among it, is made before the work
    // runs, and so before the helper says it is ready.
    QSemaphore ran;
    pool->start([&ran] { ran.release(); });
    ran.acquire();
}

} // namespace

void HelperConfinement::begin(int channel)
{
    // No capabilities, also where the program runs with them: as root and
    // without the sandbox.
    capng_clear(CAPNG_SELECT_ALL);
    if (capng_apply(CAPNG_SELECT_ALL) != 0)
        ::_exit(1);
    ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL, 0, 0, 0);
    handleStackOverflow();
    // The program made the channel: a parent other than it took over from
    // a program already gone. In a sandbox, whose processes end with the
    // program, the program is outside its process IDs.
    ucred program {};
    socklen_t size = sizeof(program);
    if (::getsockopt(channel, SOL_SOCKET, SO_PEERCRED, &program, &size) != 0
        || (program.pid != 0 && ::getppid() != program.pid))
        ::_exit(1);
    if (!LandlockRules::restrictTo(readable(qgetenv(HelperSandbox::folderVariable))))
        ::_exit(1);
}

void HelperConfinement::forkHelpers(const std::function<void()>& warmUp)
{
    if (HelperTemplate::isTemplate())
        HelperTemplate::forkHelpers(warmUp);
}

bool HelperConfinement::seal()
{
    startPoolThread();
    return SystemCallFilter::load(keptFilter.isEmpty() ? SystemCallFilter().program() : keptFilter);
}

QList<QByteArray> HelperConfinement::readable(const QByteArray& folder)
{
    QList<QByteArray> paths = qgetenv(HelperSandbox::readableVariable).split('\n');
    paths.removeAll(QByteArray());
    if (!folder.isEmpty())
        paths << folder;
    return paths;
}

void HelperConfinement::keepFilter(const QByteArray& program)
{
    keptFilter = program;
}
