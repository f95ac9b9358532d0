// fake-svg-helper: an SVG helper that answers the program amiss, started
// in place of tessivar-svg under a link whose name tells how:
//   zero-length-packet, oversized-packet, closed-channel, wrong-kind,
//   drawn-larger, huge-canvas, overflowing-canvas, descriptor-with-ready,
//   descriptors-with-answer,
//   too-many-descriptors, hang-before-ready, hang-after-ready, stopped:
//     as they say, living on afterwards;
//   greedy: draws nothing on canvases under a megapixel, and fills a
//     gigabyte of memory for larger ones;
//   chatty: writes a mebibyte of lines to its standard error, then refuses;
//   probe: confined as the real helper, tries what drawing never needs and
//     refuses each drawing with what came of it;
//   deep, faulty: confined as the real helper, runs its stack out, or reads
//     memory it does not have;
//   waiting: waits without end on a drawing whose text holds "held", and
//     draws any other 16 x 16, green;
//   painter: draws 16 x 16, green, and once asked for a drawing whose text
//     holds "hostile", paints the canvas of that drawing red without end on
//     a thread it made as it started;
//   threading: draws 16 x 16, green, keeping a thread it made for it;
//   restless: draws 16 x 16, green, and runs 50 ms each time it is
//     continued.
// Each closes what it was sent before its answer, as the real helper does,
// unless it passes it on: the program stops it then, and checks what it holds.
#include "HelperChannel.h"
#include "HelperConfinement.h"
#include "HelperMessage.h"
#include "MemoryFile.h"
#include "SvgRequest.h"

#include <QFileInfo>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <atomic>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using DAvuroD::SvgRequest;

namespace {

// A message with three descriptors, more than the channel sends.
void sendThreeDescriptors(char kind, quint32 number, const QByteArray& data, int fd)
{
    char start[5] = {kind};
    qToBigEndian(number, start + 1);
    const QByteArray packet = QByteArray(start, sizeof(start)) + data;
    iovec part {const_cast<char*>(packet.constData()), size_t(packet.size())};
    msghdr header {};
    header.msg_iov = &part;
    header.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(3 * sizeof(int))] = {};
    header.msg_control = control;
    header.msg_controllen = sizeof(control);
    cmsghdr* rights = CMSG_FIRSTHDR(&header);
    rights->cmsg_level = SOL_SOCKET;
    rights->cmsg_type = SCM_RIGHTS;
    rights->cmsg_len = CMSG_LEN(3 * sizeof(int));
    const int fds[] = {fd, fd, fd};
    std::memcpy(CMSG_DATA(rights), fds, sizeof(fds));
    ::sendmsg(STDIN_FILENO, &header, 0);
}

void liveOn()
{
    for (;;)
        ::pause();
}

// Touches a gigabyte, slowly enough to be watched.
void fillMemory()
{
    const size_t bytes = size_t(1) << 30;
    auto* memory = static_cast<char*>(::malloc(bytes));
    for (size_t i = 0; memory && i < bytes; i += 4096)
        memory[i] = 1;
    liveOn();
}

// Deeper and deeper, until the stack runs out.
int descend(int depth)
{
    volatile char frame[1024];
    frame[0] = char(depth);
    return depth < INT_MAX ? descend(depth + 1) + frame[0] : 0;
}

void chatter(HelperChannel& channel)
{
    const QByteArray line = QByteArray(63, 'x') + '\n';
    for (int i = 0; i < (1 << 20) / line.size(); ++i)
        ::write(STDERR_FILENO, line.constData(), size_t(line.size()));
    channel.send(SvgRequest::Refused, HelperMessage::of(QString("said too much"), false));
}

QString outcome(const char* what, bool done)
{
    return QString("%1 %2").arg(what, done ? "done" : std::strerror(errno));
}

// What came of each call the filter should refuse, and of a thread.
QString probe()
{
    QStringList results;
    results << outcome("socket", ::socket(AF_INET, SOCK_STREAM, 0) >= 0);
    results << outcome(
        "write", ::open("/tmp/fake-svg-helper-probe", O_WRONLY | O_CREAT, 0600) >= 0);
    char* arguments[] = {const_cast<char*>("/bin/true"), nullptr};
    results << outcome("exec", ::execv("/bin/true", arguments) == 0);
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    results << outcome("fork", child > 0);
    results << outcome("signal", ::kill(::getppid(), 0) == 0);
    pthread_t thread;
    const int made = ::pthread_create(
        &thread, nullptr, [](void*) -> void* { return nullptr; }, nullptr);
    if (made == 0)
        ::pthread_join(thread, nullptr);
    results << QString("thread %1").arg(made == 0 ? "done" : "refused");
    return results.join(", ");
}

// A green drawing of 16 x 16 on the canvas, which stays mapped.
quint32* drawGreen(HelperChannel& channel, HelperChannel::Message& request)
{
    const QSize size(16, 16);
    channel.send(SvgRequest::Canvas, HelperMessage::of(size));
    auto* pixels = static_cast<quint32*>(::mmap(
        nullptr, 16 * 16 * 4, PROT_READ | PROT_WRITE, MAP_SHARED, request.fds.value(0, -1), 0));
    request.closeFds();
    if (pixels == MAP_FAILED)
        return nullptr;
    std::fill(pixels, pixels + 16 * 16, 0xff00ff00u);
    channel.send(SvgRequest::Drawn, HelperMessage::of(size));
    return pixels;
}

// What a thread of the painter's, made as it started so that it holds no
// more threads once taken over, paints red without end, once given.
std::atomic<quint32*> taken {nullptr};

// Runs 50 ms of its own processor time.
void runOn(int)
{
    const auto usedNs = [] {
        timespec used {};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
        return qint64(used.tv_sec) * 1000000000 + used.tv_nsec;
    };
    const qint64 start = usedNs();
    while (usedNs() - start < 50000000) { }
}

void startPainter()
{
    std::thread([] {
        for (;;) {
            quint32* pixels = taken.load();
            if (pixels)
                std::fill(pixels, pixels + 16 * 16, 0xffff0000u);
            else
                ::usleep(1000);
        }
    }).detach();
}

// As a helper that draws answers, but for the drawings it waits on or
// takes over.
void draw(HelperChannel& channel, const QString& how, HelperChannel::Message& request)
{
    const QByteArray text = MemoryFile::read(request.fds.value(1, -1), 1 << 20);
    if (how == "waiting" && text.contains("held"))
        liveOn();
    if (how == "threading")
        std::thread([] {
            for (;;)
                ::pause();
        }).detach();
    quint32* pixels = drawGreen(channel, request);
    if (how == "painter" && text.contains("hostile") && pixels)
        taken = pixels;
}

void answer(HelperChannel& channel, const QString& how, HelperChannel::Message& request)
{
    if (how == "waiting" || how == "painter" || how == "threading" || how == "restless")
        return draw(channel, how, request);
    SvgRequest asked;
    asked.fromMessage(request.data);
    const QSize bound = asked.bound.isValid() ? asked.bound : QSize(16, 16);
    const int canvas = request.fds.value(0, -1);
    if (how != "descriptors-with-answer" && how != "too-many-descriptors")
        request.closeFds();
    if (how == "zero-length-packet")
        ::send(STDIN_FILENO, "", 0, 0);
    else if (how == "oversized-packet")
        channel.send(SvgRequest::Refused, QByteArray(70 << 10, 'x'));
    else if (how == "closed-channel")
        ::close(STDIN_FILENO);
    else if (how == "wrong-kind")
        channel.send(HelperChannel::readyKind);
    else if (how == "drawn-larger")
        channel.send(SvgRequest::Canvas, HelperMessage::of(bound)),
            channel.send(SvgRequest::Drawn, HelperMessage::of(QSize(9000, 9000)));
    else if (how == "overflowing-canvas")
        channel.send(SvgRequest::Canvas, HelperMessage::of(QSize(INT_MAX, INT_MAX)));
    else if (how == "huge-canvas")
        channel.send(SvgRequest::Canvas, HelperMessage::of(QSize(65535, 65535))), fillMemory();
    else if (how == "descriptors-with-answer")
        channel.send(SvgRequest::Canvas, HelperMessage::of(bound), {canvas, STDERR_FILENO});
    else if (how == "too-many-descriptors")
        sendThreeDescriptors(SvgRequest::Canvas, request.number, HelperMessage::of(bound), canvas);
    else if (how == "hang-after-ready")
        liveOn();
    else if (how == "stopped")
        ::raise(SIGSTOP);
    else if (how == "deep")
        descend(0);
    else if (how == "faulty")
        ::raise(SIGSEGV);
    else if (how == "probe")
        return (void)channel.send(SvgRequest::Refused, HelperMessage::of(probe(), false));
    else if (how == "greedy" && qint64(bound.width()) * bound.height() >= 1000000)
        channel.send(SvgRequest::Canvas, HelperMessage::of(bound)), fillMemory();
    else if (how == "chatty")
        return chatter(channel);
    else if (how == "greedy")
        return (void)(channel.send(SvgRequest::Canvas, HelperMessage::of(bound))
            && channel.send(SvgRequest::Drawn, HelperMessage::of(bound)));
    liveOn();
}

} // namespace

int main(int, char** argv)
{
    const QString how = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    const bool confined = how == "probe" || how == "deep" || how == "faulty";
    if (confined)
        HelperConfinement::begin(STDIN_FILENO);
    else
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    HelperChannel channel(STDIN_FILENO);
    if (how == "hang-before-ready")
        liveOn();
    if (how == "painter")
        startPainter();
    if (how == "restless")
        ::signal(SIGCONT, runOn);
    if (confined && !HelperConfinement::seal())
        return 1;
    const int spare = ::open("/dev/null", O_RDONLY);
    if (how == "descriptor-with-ready")
        channel.send(HelperChannel::readyKind, QByteArray(), {spare});
    else
        channel.send(HelperChannel::readyKind);
    HelperChannel::Message request;
    while (channel.receive(request)) {
        channel.setNumber(request.number);
        answer(channel, how, request);
        request.closeFds();
    }
    ::_exit(0);
}
