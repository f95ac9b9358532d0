#include "HelperConfinement.h"

#include "HelperChannel.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <seccomp.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <thread>
#include <ucontext.h>
#include <unistd.h>

namespace {

// Calls that change files, or reach other processes, which the filter refuses.
const int refused[] = {SCMP_SYS(socket), SCMP_SYS(connect), SCMP_SYS(execve), SCMP_SYS(execveat),
    SCMP_SYS(ptrace), SCMP_SYS(fork), SCMP_SYS(vfork), SCMP_SYS(tkill), SCMP_SYS(pidfd_open),
    SCMP_SYS(pidfd_send_signal), SCMP_SYS(process_vm_writev), SCMP_SYS(setrlimit), SCMP_SYS(creat),
    SCMP_SYS(truncate), SCMP_SYS(unlink), SCMP_SYS(unlinkat), SCMP_SYS(rename), SCMP_SYS(renameat),
    SCMP_SYS(renameat2), SCMP_SYS(rmdir), SCMP_SYS(mkdir), SCMP_SYS(mkdirat), SCMP_SYS(link),
    SCMP_SYS(linkat), SCMP_SYS(symlink), SCMP_SYS(symlinkat), SCMP_SYS(mknod), SCMP_SYS(mknodat),
    SCMP_SYS(chmod), SCMP_SYS(fchmod), SCMP_SYS(fchmodat), SCMP_SYS(chown), SCMP_SYS(fchown),
    SCMP_SYS(lchown), SCMP_SYS(fchownat), SCMP_SYS(utime), SCMP_SYS(utimes), SCMP_SYS(utimensat),
    SCMP_SYS(futimesat), SCMP_SYS(setxattr), SCMP_SYS(lsetxattr), SCMP_SYS(fsetxattr),
    SCMP_SYS(removexattr), SCMP_SYS(lremovexattr), SCMP_SYS(fremovexattr)};

const int writeFlags[] = {O_WRONLY, O_RDWR, O_CREAT, O_TRUNC};

class Filter
{
public:
    Filter()
        : m_context(seccomp_init(SCMP_ACT_ALLOW))
    {
    }

    ~Filter()
    {
        seccomp_release(m_context);
    }

    void refuse(int call, int error = EPERM)
    {
        add(SCMP_ACT_ERRNO(uint32_t(error)), call, 0, nullptr);
    }

    void refuseWhere(int call, scmp_arg_cmp argument)
    {
        add(SCMP_ACT_ERRNO(EPERM), call, 1, &argument);
    }

    bool load()
    {
        return m_context && m_added && seccomp_load(m_context) == 0;
    }

private:
    void add(uint32_t action, int call, unsigned int count, const scmp_arg_cmp* arguments)
    {
        m_added = m_added && m_context
            && seccomp_rule_add_array(m_context, action, call, count, arguments) == 0;
    }

    scmp_filter_ctx m_context;
    bool m_added = true;
};

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

} // namespace

void HelperConfinement::begin(int channel)
{
    ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL, 0, 0, 0);
    // The program limits the files it writes to none: a warning written to
    // a standard error that is a file fails, and costs no drawing.
    ::signal(SIGXFSZ, SIG_IGN);
    handleStackOverflow();
    // The program made the channel: a parent other than it took over from
    // a program already gone.
    ucred program {};
    socklen_t size = sizeof(program);
    if (::getsockopt(channel, SOL_SOCKET, SO_PEERCRED, &program, &size) != 0
        || ::getppid() != program.pid)
        ::_exit(1);
    std::thread([channel] {
        // Asking for no event, poll still tells when the other end hangs up.
        pollfd end {channel, 0, 0};
        while (::poll(&end, 1, -1) < 0 || !(end.revents & (POLLHUP | POLLERR | POLLNVAL))) { }
        ::_exit(0);
    }).detach();
}

bool HelperConfinement::seal()
{
    Filter filter;
    for (const int call : refused)
        filter.refuse(call);
    // Threads stay allowed: glibc makes them with clone when clone3, whose
    // flags the filter cannot read, is missing.
    filter.refuse(SCMP_SYS(clone3), ENOSYS);
    filter.refuse(SCMP_SYS(openat2), ENOSYS);
    filter.refuseWhere(SCMP_SYS(clone), SCMP_A0(SCMP_CMP_MASKED_EQ, CLONE_THREAD, 0));
    for (const int flag : writeFlags) {
        filter.refuseWhere(
            SCMP_SYS(open), SCMP_A1(SCMP_CMP_MASKED_EQ, scmp_datum_t(flag), scmp_datum_t(flag)));
        filter.refuseWhere(
            SCMP_SYS(openat), SCMP_A2(SCMP_CMP_MASKED_EQ, scmp_datum_t(flag), scmp_datum_t(flag)));
    }
    const auto self = scmp_datum_t(::getpid());
    filter.refuseWhere(SCMP_SYS(kill), SCMP_A0(SCMP_CMP_NE, self));
    filter.refuseWhere(SCMP_SYS(tgkill), SCMP_A0(SCMP_CMP_NE, self));
    // Reading its limits stays allowed.
    filter.refuseWhere(SCMP_SYS(prlimit64), SCMP_A2(SCMP_CMP_NE, 0));
    return filter.load();
}
