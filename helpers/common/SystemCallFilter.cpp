#include "SystemCallFilter.h"

#include "SanitizedBuild.h"

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <fcntl.h>
#include <iterator>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

// Calls that change files, or reach beyond the helper: other processes,
// programs, the network, the kernel's shared objects and facilities.
const int refused[] = {
    // Files, and locks and leases on them.
    SCMP_SYS(creat), SCMP_SYS(truncate), SCMP_SYS(unlink), SCMP_SYS(unlinkat), SCMP_SYS(rename),
    SCMP_SYS(renameat), SCMP_SYS(renameat2), SCMP_SYS(rmdir), SCMP_SYS(mkdir), SCMP_SYS(mkdirat),
    SCMP_SYS(link), SCMP_SYS(linkat), SCMP_SYS(symlink), SCMP_SYS(symlinkat), SCMP_SYS(mknod),
    SCMP_SYS(mknodat), SCMP_SYS(chmod), SCMP_SYS(fchmod), SCMP_SYS(fchmodat), SCMP_SYS(chown),
    SCMP_SYS(fchown), SCMP_SYS(lchown), SCMP_SYS(fchownat), SCMP_SYS(utime), SCMP_SYS(utimes),
    SCMP_SYS(utimensat), SCMP_SYS(futimesat), SCMP_SYS(setxattr), SCMP_SYS(lsetxattr),
    SCMP_SYS(fsetxattr), SCMP_SYS(removexattr), SCMP_SYS(lremovexattr), SCMP_SYS(fremovexattr),
    SCMP_SYS(name_to_handle_at), SCMP_SYS(open_by_handle_at), SCMP_SYS(chroot), SCMP_SYS(acct),
    SCMP_SYS(swapon), SCMP_SYS(swapoff), SCMP_SYS(quotactl), SCMP_SYS(quotactl_fd),
    SCMP_SYS(fanotify_init), SCMP_SYS(lookup_dcookie), SCMP_SYS(flock),
    // The network, descriptors made or sent elsewhere than on its channel,
    // programs, other processes, and new threads, which it made before.
    SCMP_SYS(socket), SCMP_SYS(socketpair), SCMP_SYS(connect), SCMP_SYS(bind), SCMP_SYS(listen),
    SCMP_SYS(sendmsg), SCMP_SYS(sendmmsg),
#ifndef TESSIVAR_SANITIZED
    // The sanitizers' runtimes tell readable memory by writing it to a pipe.
    SCMP_SYS(pipe), SCMP_SYS(pipe2),
#endif
    SCMP_SYS(memfd_create), SCMP_SYS(execve), SCMP_SYS(execveat), SCMP_SYS(fork), SCMP_SYS(vfork),
    SCMP_SYS(clone), SCMP_SYS(ptrace), SCMP_SYS(process_vm_readv), SCMP_SYS(process_vm_writev),
    SCMP_SYS(process_madvise), SCMP_SYS(kcmp), SCMP_SYS(pidfd_open), SCMP_SYS(pidfd_getfd),
    SCMP_SYS(pidfd_send_signal), SCMP_SYS(tkill), SCMP_SYS(move_pages), SCMP_SYS(migrate_pages),
    // A ring of calls that no filter sees.
    SCMP_SYS(io_uring_setup), SCMP_SYS(io_uring_enter), SCMP_SYS(io_uring_register),
    // Scheduling, its own and others'.
    SCMP_SYS(setpriority), SCMP_SYS(sched_setscheduler), SCMP_SYS(sched_setparam),
    SCMP_SYS(sched_setattr), SCMP_SYS(sched_setaffinity), SCMP_SYS(ioprio_set),
    // System V and POSIX IPC, keyrings.
    SCMP_SYS(shmget), SCMP_SYS(shmat), SCMP_SYS(shmctl), SCMP_SYS(shmdt), SCMP_SYS(msgget),
    SCMP_SYS(msgsnd), SCMP_SYS(msgrcv), SCMP_SYS(msgctl), SCMP_SYS(semget), SCMP_SYS(semop),
    SCMP_SYS(semtimedop), SCMP_SYS(semctl), SCMP_SYS(mq_open), SCMP_SYS(mq_unlink),
    SCMP_SYS(mq_timedsend), SCMP_SYS(mq_timedreceive), SCMP_SYS(mq_notify), SCMP_SYS(mq_getsetattr),
    SCMP_SYS(add_key), SCMP_SYS(request_key), SCMP_SYS(keyctl),
    // The kernel's facilities, namespaces and mounts, and its own limits.
    SCMP_SYS(perf_event_open), SCMP_SYS(bpf), SCMP_SYS(userfaultfd), SCMP_SYS(personality),
    SCMP_SYS(unshare), SCMP_SYS(setns), SCMP_SYS(mount), SCMP_SYS(umount2), SCMP_SYS(pivot_root),
    SCMP_SYS(fsopen), SCMP_SYS(fsconfig), SCMP_SYS(fsmount), SCMP_SYS(fspick), SCMP_SYS(move_mount),
    SCMP_SYS(open_tree), SCMP_SYS(mount_setattr), SCMP_SYS(setrlimit), SCMP_SYS(capset),
    SCMP_SYS(syslog), SCMP_SYS(reboot), SCMP_SYS(kexec_load), SCMP_SYS(kexec_file_load),
    SCMP_SYS(init_module), SCMP_SYS(finit_module), SCMP_SYS(delete_module), SCMP_SYS(iopl),
    SCMP_SYS(ioperm), SCMP_SYS(settimeofday), SCMP_SYS(clock_settime), SCMP_SYS(clock_adjtime),
    SCMP_SYS(adjtimex), SCMP_SYS(sethostname), SCMP_SYS(setdomainname), SCMP_SYS(vhangup)};

// Calls glibc falls back from when they are missing: clone3 carries its
// flags where the filter cannot read them, openat2 its open flags.
const int missing[] = {SCMP_SYS(clone3), SCMP_SYS(openat2)};

const int writeFlags[] = {O_WRONLY, O_RDWR, O_CREAT, O_TRUNC};
// Locks and leases, and a file's signals to its owner.
const int fileCommands[] = {F_SETLK, F_SETLKW, F_OFD_SETLK, F_OFD_SETLKW, F_SETLEASE, F_NOTIFY,
    F_SETOWN, F_SETOWN_EX, F_SETSIG};
// The ioctls that only read the state of a terminal or a file, or set
// what only the helper's own descriptor holds.
const unsigned int readingIoctls[] = {TCGETS, TIOCGWINSZ, FIONREAD, FIONBIO, FIOCLEX, FIONCLEX};
// The calls that signal a process named by their first argument.
const int signalling[] = {SYS_kill, SYS_tgkill, SYS_rt_sigqueueinfo, SYS_rt_tgsigqueueinfo};

// The last call of the kernel this filter was written for (Linux 6.1);
// every call after it is refused until it is reviewed.
constexpr unsigned int lastReviewedCall = 450;
#if defined(__x86_64__)
constexpr unsigned int nativeArchitecture = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr unsigned int nativeArchitecture = AUDIT_ARCH_AARCH64;
#else
#error "the filter knows the calls of x86-64 and AArch64 only"
#endif

using Program = std::vector<sock_filter>;

constexpr unsigned int allow = SECCOMP_RET_ALLOW;
constexpr unsigned int notPermitted = SECCOMP_RET_ERRNO | EPERM;

// The low 32 bits of an argument, as the kernel reads an int or a request.
sock_filter loadArgument(int index)
{
    return BPF_STMT(BPF_LD | BPF_W | BPF_ABS, unsigned(offsetof(seccomp_data, args) + 8 * index));
}

// For the call, the block; for any other, past it.
void appendFor(Program& program, int call, const Program& block)
{
    program.push_back(BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)));
    program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, unsigned(call), 0, uchar(block.size())));
    program.insert(program.end(), block.begin(), block.end());
}

// Allowed where the argument is one of the values, refused otherwise.
Program oneOf(int index, const unsigned int* values, int count)
{
    Program block {loadArgument(index)};
    for (int i = 0; i < count; ++i) {
        block.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, values[i], 0, 1));
        block.push_back(BPF_STMT(BPF_RET | BPF_K, allow));
    }
    block.push_back(BPF_STMT(BPF_RET | BPF_K, notPermitted));
    return block;
}

// What libseccomp's rules cannot name once for every helper of a template:
// another architecture's calls are killed, every call past the last one
// reviewed refused (libseccomp names calls one by one, and a rule for each
// number up to the kernel's last would cost each helper's start some ten
// milliseconds), ioctls but those allowed refused, and signals to any
// process but this one.
Program ownRules()
{
    Program program {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, nativeArchitecture, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JGT | BPF_K, lastReviewedCall, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
    };
    appendFor(program, SYS_ioctl, oneOf(1, readingIoctls, int(std::size(readingIoctls))));
    const auto self = unsigned(::getpid());
    for (const int call : signalling)
        appendFor(program, call, oneOf(0, &self, 1));
    program.push_back(BPF_STMT(BPF_RET | BPF_K, allow));
    return program;
}

bool loadOnEveryThread(const sock_filter* instructions, size_t count)
{
    const sock_fprog program {
        static_cast<unsigned short>(count), const_cast<sock_filter*>(instructions)};
    return ::syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, SECCOMP_FILTER_FLAG_TSYNC, &program)
        == 0;
}

} // namespace

SystemCallFilter::SystemCallFilter()
    : m_context(seccomp_init(SCMP_ACT_ALLOW))
{
    // A tree of the calls, not a list: every call the helper makes passes it.
    m_added = m_context && seccomp_attr_set(m_context, SCMP_FLTATR_CTL_OPTIMIZE, 2) == 0;
    refuseAll(refused, int(std::size(refused)), EPERM);
    refuseAll(missing, int(std::size(missing)), ENOSYS);
    for (const int flag : writeFlags) {
        refuseWhere(
            SCMP_SYS(open), SCMP_A1(SCMP_CMP_MASKED_EQ, scmp_datum_t(flag), scmp_datum_t(flag)));
        refuseWhere(
            SCMP_SYS(openat), SCMP_A2(SCMP_CMP_MASKED_EQ, scmp_datum_t(flag), scmp_datum_t(flag)));
    }
    for (const int command : fileCommands)
        refuseWhere(SCMP_SYS(fcntl), SCMP_A1(SCMP_CMP_EQ, scmp_datum_t(command)));
    refuseWhere(SCMP_SYS(fcntl), SCMP_A1(SCMP_CMP_EQ, F_SETFL),
        SCMP_A2(SCMP_CMP_MASKED_EQ, O_ASYNC, O_ASYNC));
    // To an address: a datagram past its channel.
    refuseWhere(SCMP_SYS(sendto), SCMP_A4(SCMP_CMP_NE, 0));
    // Reading its limits stays allowed, and its death signal stays as set.
    refuseWhere(SCMP_SYS(prlimit64), SCMP_A2(SCMP_CMP_NE, 0));
    refuseWhere(SCMP_SYS(prctl), SCMP_A0(SCMP_CMP_EQ, PR_SET_PDEATHSIG));
    refuseUnknown();
}

SystemCallFilter::~SystemCallFilter()
{
    seccomp_release(m_context);
}

QByteArray SystemCallFilter::program() const
{
    const int file = ::memfd_create("helper-filter", MFD_CLOEXEC);
    QByteArray exported;
    if (file >= 0 && m_context && m_added && seccomp_export_bpf(m_context, file) == 0) {
        const off_t size = ::lseek(file, 0, SEEK_END);
        exported.resize(int(size));
        if (size <= 0 || ::pread(file, exported.data(), size_t(size), 0) != size)
            exported.clear();
    }
    if (file >= 0)
        ::close(file);
    return exported;
}

bool SystemCallFilter::load(const QByteArray& program)
{
    const Program own = ownRules();
    return !program.isEmpty() && program.size() % int(sizeof(sock_filter)) == 0
        && loadOnEveryThread(reinterpret_cast<const sock_filter*>(program.constData()),
            size_t(program.size()) / sizeof(sock_filter))
        && loadOnEveryThread(own.data(), own.size());
}

void SystemCallFilter::refuseAll(const int* calls, int count, int error)
{
    for (int i = 0; i < count; ++i)
        add(SCMP_ACT_ERRNO(uint32_t(error)), calls[i], 0, nullptr);
}

// Below the last call reviewed, those libseccomp does not know by name.
void SystemCallFilter::refuseUnknown()
{
    for (int call = 0; call <= int(lastReviewedCall); ++call) {
        char* name = seccomp_syscall_resolve_num_arch(SCMP_ARCH_NATIVE, call);
        if (!name)
            add(SCMP_ACT_ERRNO(ENOSYS), call, 0, nullptr);
        std::free(name);
    }
}

void SystemCallFilter::refuseWhere(int call, scmp_arg_cmp argument)
{
    add(SCMP_ACT_ERRNO(EPERM), call, 1, &argument);
}

void SystemCallFilter::refuseWhere(int call, scmp_arg_cmp first, scmp_arg_cmp second)
{
    const scmp_arg_cmp both[] = {first, second};
    add(SCMP_ACT_ERRNO(EPERM), call, 2, both);
}

void SystemCallFilter::add(
    uint32_t action, int call, unsigned int count, const scmp_arg_cmp* arguments)
{
    m_added = m_added && m_context
        && seccomp_rule_add_array(m_context, action, call, count, arguments) == 0;
}
