// probe-helper: a helper that a hostile file has taken over. It is confined
// as the program's helpers are (HelperConfinement::begin, forkHelpers and
// seal) and started the program's way (ProbeHost), forked from its
// template, then tries every way out it knows of against the targets it is
// asked about (and ProbeReaches), and answers what came of each, keeping
// past its answer what it was asked to. Started under a name with "linger"
// in it, its template first forks a process, and the probe, once asked,
// clears its death signal, ignores SIGXCPU, parks every thread but its own
// and runs on, so that only what stands around it can end it. Under a name
// with "deaf" in it, it reads no request.
#include "HelperChannel.h"
#include "HelperConfinement.h"
#include "HelperMessage.h"
#include "ProbeReaches.h"
#include "ProbeTargets.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <liburing.h>
#include <linux/bpf.h>
#include <linux/keyctl.h>
#include <linux/perf_event.h>
#include <mqueue.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/msg.h>
#include <sys/personality.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/sem.h>
#include <sys/shm.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

QStringList results;

// What came of a try: "done" where the call did what it was asked.
void tried(const char* what, long result)
{
    results << QString("%1: %2").arg(what, result >= 0 ? "done" : std::strerror(errno));
}

int connectTo(int fd, const sockaddr* address, socklen_t length)
{
    return fd < 0 ? -1 : ::connect(fd, address, length);
}

sockaddr_in loopback(int port)
{
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(quint16(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// io_uring's calls pass no filter of the calls they make.
void tryRing(const ProbeTargets& targets)
{
    io_uring ring;
    const int made = io_uring_queue_init(8, &ring, 0);
    errno = -made;
    tried("io_uring", made);
    if (made < 0)
        return;
    const QByteArray folder = QFile::encodeName(targets.folder);
    const QByteArray ringFolder = folder + "/ring-folder";
    const QByteArray ringFile = folder + "/ring-file";
    io_uring_prep_mkdirat(io_uring_get_sqe(&ring), AT_FDCWD, ringFolder.constData(), 0700);
    io_uring_prep_openat(
        io_uring_get_sqe(&ring), AT_FDCWD, ringFile.constData(), O_CREAT | O_WRONLY, 0600);
    io_uring_prep_socket(io_uring_get_sqe(&ring), AF_INET, SOCK_STREAM, 0, 0);
    io_uring_submit(&ring);
    int socket = -1;
    for (const char* what : {"io_uring mkdirat", "io_uring openat", "io_uring socket"}) {
        io_uring_cqe* done = nullptr;
        const int waited = io_uring_wait_cqe(&ring, &done);
        const int result = waited < 0 ? waited : done->res;
        if (QByteArray(what) == "io_uring socket")
            socket = result;
        errno = -result;
        tried(what, result);
        if (waited == 0)
            io_uring_cqe_seen(&ring, done);
    }
    const sockaddr_in address = loopback(targets.port);
    tried("io_uring connect",
        connectTo(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)));
    io_uring_queue_exit(&ring);
}

void tryFiles(const ProbeTargets& targets)
{
    const QByteArray folder = QFile::encodeName(targets.folder);
    tried("create a file", ::open((folder + "/made").constData(), O_CREAT | O_WRONLY, 0600));
    tried("make a folder", ::mkdir((folder + "/made-folder").constData(), 0700));
    tried("fchmodat2", ::syscall(452, AT_FDCWD, (folder + "/kept").constData(), 0777, 0));
    tried("chmod", ::chmod((folder + "/kept").constData(), 0777));
    tried("symlink", ::symlink("/", (folder + "/link").constData()));
    tried("rename", ::rename((folder + "/kept").constData(), (folder + "/moved").constData()));
    file_handle* handle = static_cast<file_handle*>(std::malloc(sizeof(file_handle) + 128));
    handle->handle_bytes = 128;
    int mount = -1;
    tried("name_to_handle_at",
        ::name_to_handle_at(AT_FDCWD, (folder + "/kept").constData(), handle, &mount, 0));
    tried("open_by_handle_at", ::open_by_handle_at(AT_FDCWD, handle, O_RDONLY));
    std::free(handle);
}

void tryNetwork(const ProbeTargets& targets)
{
    const sockaddr_in address = loopback(targets.port);
    tried("connect over TCP",
        connectTo(::socket(AF_INET, SOCK_STREAM, 0), reinterpret_cast<const sockaddr*>(&address),
            sizeof(address)));
    sockaddr_un local {};
    local.sun_family = AF_UNIX;
    std::strncpy(
        local.sun_path, QFile::encodeName(targets.socket).constData(), sizeof(local.sun_path) - 1);
    tried("connect to a local socket",
        connectTo(::socket(AF_UNIX, SOCK_STREAM, 0), reinterpret_cast<const sockaddr*>(&local),
            sizeof(local)));
}

// Signals go to the program for real; to every process, only the check.
void trySignals(const ProbeTargets& targets)
{
    const pid_t program = pid_t(targets.pid);
    tried("kill", ::kill(program, SIGUSR1));
    tried("kill every process", ::kill(-1, 0));
    tried("kill the process group", ::kill(0, 0));
    tried("tgkill", ::syscall(SYS_tgkill, program, program, SIGUSR1));
    tried("tkill", ::syscall(SYS_tkill, program, SIGUSR1));
    siginfo_t info {};
    info.si_code = SI_QUEUE;
    info.si_pid = ::getpid();
    tried("rt_sigqueueinfo", ::syscall(SYS_rt_sigqueueinfo, program, SIGUSR1, &info));
    tried("rt_tgsigqueueinfo", ::syscall(SYS_rt_tgsigqueueinfo, program, program, SIGUSR1, &info));
    const long pidFd = ::syscall(SYS_pidfd_open, program, 0);
    tried("pidfd_open", pidFd);
    tried("pidfd_send_signal", ::syscall(SYS_pidfd_send_signal, pidFd, SIGUSR1, nullptr, 0));
}

void trySchedulingAndMemory(const ProbeTargets& targets)
{
    const pid_t program = pid_t(targets.pid);
    const sched_param none {};
    tried("setpriority", ::setpriority(PRIO_PROCESS, id_t(program), 19));
    tried("sched_setscheduler", ::sched_setscheduler(program, SCHED_IDLE, &none));
    tried("its own priority", ::setpriority(PRIO_PROCESS, 0, 19));
    tried("its own scheduler", ::sched_setscheduler(0, SCHED_IDLE, &none));
    char read[16] = {};
    const char written[] = "overwritten";
    iovec local {read, sizeof(read)};
    iovec remote {reinterpret_cast<void*>(targets.canary), sizeof(read)};
    tried("process_vm_readv", ::process_vm_readv(program, &local, 1, &remote, 1, 0));
    iovec source {const_cast<char*>(written), sizeof(written)};
    tried("process_vm_writev", ::process_vm_writev(program, &source, 1, &remote, 1, 0));
    const QByteArray proc = "/proc/" + QByteArray::number(targets.pid);
    const int memory = ::open((proc + "/mem").constData(), O_RDONLY);
    tried("read its memory",
        memory < 0 ? -1 : ::pread(memory, read, sizeof(read), off_t(targets.canary)));
    tried("read its environment", ::open((proc + "/environ").constData(), O_RDONLY));
    perf_event_attr counter {};
    counter.type = PERF_TYPE_SOFTWARE;
    counter.size = sizeof(counter);
    counter.config = PERF_COUNT_SW_TASK_CLOCK;
    tried("perf_event_open", ::syscall(SYS_perf_event_open, &counter, program, -1, -1, 0));
}

void tryKernel()
{
    bpf_attr map {};
    map.map_type = BPF_MAP_TYPE_ARRAY;
    map.key_size = 4;
    map.value_size = 4;
    map.max_entries = 1;
    tried("bpf", ::syscall(SYS_bpf, BPF_MAP_CREATE, &map, sizeof(map)));
    tried("userfaultfd", ::syscall(SYS_userfaultfd, 0));
    tried("personality", ::personality(PER_LINUX | READ_IMPLIES_EXEC));
    tried("unshare", ::unshare(CLONE_NEWUSER));
    tried("setns", ::setns(::open("/proc/self/ns/net", O_RDONLY), 0));
    tried("mount", ::mount("none", "/tmp", "tmpfs", 0, nullptr));
    const rlimit unlimited {RLIM_INFINITY, RLIM_INFINITY};
    tried("raise its limits", ::setrlimit(RLIMIT_CPU, &unlimited));
    tried("clear its death signal", ::prctl(PR_SET_PDEATHSIG, 0));
    char* arguments[] = {const_cast<char*>("/bin/true"), nullptr};
    tried("exec", ::execv("/bin/true", arguments));
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    tried("fork", child);
}

void tryIpc(const ProbeTargets& targets)
{
    const int segment = ::shmget(key_t(targets.segment), 0, 0);
    tried("shmget", segment);
    void* shared = segment < 0 ? MAP_FAILED : ::shmat(segment, nullptr, 0);
    tried("shmat", shared == MAP_FAILED ? -1 : 0);
    if (shared != MAP_FAILED)
        std::strcpy(static_cast<char*>(shared), "overwritten");
    tried("msgget", ::msgget(key_t(targets.segment + 1), IPC_CREAT | 0600));
    tried("semget", ::semget(key_t(targets.segment + 2), 1, IPC_CREAT | 0600));
    tried("mq_open", ::mq_open("/tessivar-probe", O_CREAT | O_RDONLY, 0600, nullptr));
    tried(
        "add_key", ::syscall(SYS_add_key, "user", "tessivar-probe", "x", 1, KEY_SPEC_USER_KEYRING));
}

// Keys typed into a terminal reach the shell that reads it.
void tryTerminal(const ProbeTargets& targets)
{
    const char key = 'x';
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        tried(qPrintable(QString("TIOCSTI on %1").arg(fd)), ::ioctl(fd, TIOCSTI, &key));
    const int terminal = ::open("/dev/tty", O_RDONLY);
    tried("TIOCSTI on its terminal", ::ioctl(terminal, TIOCSTI, &key));
    const int program = ::open(QFile::encodeName(targets.terminal).constData(), O_RDONLY);
    tried("TIOCSTI on the program's terminal", ::ioctl(program, TIOCSTI, &key));
    const unsigned long high = (1ul << 32) | TIOCSTI;
    tried("TIOCSTI in 64 bits", ::syscall(SYS_ioctl, program, high, &key));
    char selection = 2;
    tried("TIOCLINUX", ::ioctl(program, TIOCLINUX, &selection));
}

void park(int)
{
    for (;;)
        ::pause();
}

// Every thread but this one stops where it is, the channel's watch too.
void parkOtherThreads()
{
    std::signal(SIGUSR2, park);
    const pid_t self = pid_t(::syscall(SYS_gettid));
    for (const QString& task :
        QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (task.toInt() != self)
            ::syscall(SYS_tgkill, ::getpid(), task.toInt(), SIGUSR2);
    }
}

[[noreturn]] void lingerOn(HelperChannel& channel)
{
    tried("clear its death signal", ::prctl(PR_SET_PDEATHSIG, 0));
    std::signal(SIGXCPU, SIG_IGN);
    parkOtherThreads();
    channel.send(ProbeTargets::Answer, HelperMessage::of(results));
    for (;;) { }
}

// Its first request answered by the number it guesses, the request
// itself, with what travels with it, left unread; it lives on.
[[noreturn]] void answerUnread(HelperChannel& channel)
{
    pollfd request {STDIN_FILENO, POLLIN, 0};
    ::poll(&request, 1, -1);
    channel.setNumber(1);
    channel.send(ProbeTargets::Answer, HelperMessage::of(QStringList {"unread: answered"}));
    for (;;)
        ::pause();
}

} // namespace

int main(int, char** argv)
{
    const QString name = QFileInfo(QFile::decodeName(argv[0])).fileName();
    const bool lingers = name.contains("linger");
    // Taken over before it sealed itself, it leaves a process behind.
    if (lingers && ::fork() == 0) {
        for (;;)
            ::pause();
    }
    HelperConfinement::begin(STDIN_FILENO);
    HelperConfinement::forkHelpers([] {});
    HelperChannel channel(STDIN_FILENO);
    if (!HelperConfinement::seal())
        ::_exit(1);
    channel.send(HelperChannel::readyKind);
    // Deaf, it reads no request, and lives on.
    while (name.contains("deaf"))
        ::pause();
    if (name.contains("unread"))
        answerUnread(channel);
    // Those above are what it started with.
    const int firstMade = ::dup(STDIN_FILENO);
    ::close(firstMade);
    HelperChannel::Message asked;
    ProbeTargets targets;
    if (!channel.receive(asked) || !targets.fromMessage(asked.data))
        ::_exit(1);
    channel.setNumber(asked.number);
    if (lingers)
        lingerOn(channel);
    tryFiles(targets);
    tryRing(targets);
    tryNetwork(targets);
    trySignals(targets);
    trySchedulingAndMemory(targets);
    tryKernel();
    tryIpc(targets);
    tryTerminal(targets);
    ProbeReaches::tryUserFiles(targets, results);
    ProbeReaches::tryLocks(targets, results);
    ProbeReaches::tryDatagrams(targets, results);
    ProbeReaches::trySignalsByFiles(targets, results);
    ProbeReaches::tryTerminals(targets, results);
    ProbeReaches::tryMaking(results);
    // What its tries opened goes before it answers, as a helper's task goes.
    for (int fd = firstMade; fd < 1024; ++fd)
        ::close(fd);
    ProbeReaches::holdPastTheAnswer(targets, results);
    channel.send(ProbeTargets::Answer, HelperMessage::of(results));
    // It lives on, as a helper at rest, until the program ends it.
    for (;;)
        ::pause();
}
