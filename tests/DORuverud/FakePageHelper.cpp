// fake-page-helper: a page helper that lies to the program, started in
// place of tessivar-page under a link whose name tells how:
//   huge-name-count: announces 2^31 - 1 names of pictures;
//   many-names: names 100,000 pictures;
//   repeated-answer: gives each answer again with the next request;
//   wrong-number: answers under a number the program never gave;
//   no-number-height: measures the page at a height that is no number;
//   gated: takes a page or a paste as laid out, one whose bytes hold
//     "gate:" once the test sent it SIGRTMIN (queued, one for each), so
//     that a test holds a trial open as long as it needs;
//   keeper: takes a page, and a paste into the document it keeps, and
//     refuses a paste whose document travelled with it;
//   built-gated: says it built a file's page, then is gated;
//   built-twice: says twice that it built a file's page, then measures it;
//   built-too-tall: says it built a file's page, then measures it at a
//     height that is no number.
// Each lives on afterwards.
#include "HelperChannel.h"
#include "HelperMessage.h"
#include "MemoryFile.h"
#include "PageRequest.h"

#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstring>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes the bytes into the program's file for names; their length.
qint64 writeNames(int fd, const QByteArray& bytes)
{
    void* data = ::mmap(nullptr, size_t(bytes.size()), PROT_WRITE, MAP_SHARED, fd, 0);
    if (data != MAP_FAILED) {
        std::memcpy(data, bytes.constData(), size_t(bytes.size()));
        ::munmap(data, size_t(bytes.size()));
    }
    return bytes.size();
}

QByteArray manyNames()
{
    QStringList names;
    for (int i = 0; i < 100000; ++i)
        names << QString("a%1.png").arg(i);
    return HelperMessage::of(names);
}

// A list that says it holds 2^31 - 1 names, and holds one.
QByteArray hugeNameCount()
{
    return HelperMessage::of(quint32(INT_MAX), QString("a.png"));
}

// Waits, a minute at most, for the test to let a page or paste marked
// "gate:" go on: it sends one signal for each, as the helper sees none of
// its files.
void waitForGate(const HelperChannel::Message& asked)
{
    const QByteArray bytes = MemoryFile::read(asked.fds.value(0, -1), qint64(64) << 20);
    if (!bytes.contains("gate:"))
        return;
    sigset_t gate;
    sigemptyset(&gate);
    sigaddset(&gate, SIGRTMIN);
    const timespec minute {60, 0};
    while (::sigtimedwait(&gate, nullptr, &minute) < 0 && errno == EINTR) { }
}

// Measured for what lands in the document kept last; refused when the
// document travelled.
void keep(HelperChannel& channel, HelperChannel::Message& asked)
{
    asked.closeFds();
    static quint64 kept = 0;
    PageRequest request;
    if (!request.fromMessage(asked.data))
        return;
    if (request.source != PageRequest::Source::File
        && (request.landsIn == 0 || request.landsIn != kept)) {
        channel.send(PageRequest::Refused, HelperMessage::of(QString("the document travelled")));
        return;
    }
    kept = request.keptAs;
    channel.send(PageRequest::Measured, HelperMessage::of(qreal(20), qint64(1)));
}

// Says it built a file's page, as many times as it is told.
void built(HelperChannel& channel, const HelperChannel::Message& asked, int times)
{
    PageRequest request;
    if (!request.fromMessage(asked.data) || request.source != PageRequest::Source::File)
        return;
    for (int i = 0; i < times; ++i)
        channel.send(PageRequest::Built);
}

// Its last answer goes once it closed what it was sent, as the program
// stops it then.
void answer(HelperChannel& channel, const QString& how, HelperChannel::Message& asked)
{
    if (how == "keeper") {
        keep(channel, asked);
        return;
    }
    if (how.startsWith("built-"))
        built(channel, asked, how == "built-twice" ? 2 : 1);
    static QByteArray measured;
    static quint32 measuredNumber = 0;
    const int names = asked.fds.value(1, -1);
    if (how == "huge-name-count")
        channel.send(PageRequest::Pictures, HelperMessage::of(writeNames(names, hugeNameCount())));
    else if (how == "many-names")
        channel.send(PageRequest::Pictures, HelperMessage::of(writeNames(names, manyNames())));
    else if (how == "wrong-number")
        channel.setNumber(asked.number + 1);
    if (how == "repeated-answer" && !measured.isEmpty()) {
        channel.setNumber(measuredNumber);
        channel.send(PageRequest::Measured, measured);
        channel.setNumber(asked.number);
    }
    measured = HelperMessage::of(qreal(20), qint64(1));
    measuredNumber = asked.number;
    const bool gated = how == "gated" || how == "built-gated";
    if (gated)
        waitForGate(asked);
    asked.closeFds();
    if (how == "wrong-number" || how == "repeated-answer" || how == "built-twice" || gated)
        channel.send(PageRequest::Measured, measured);
    else if (how == "no-number-height" || how == "built-too-tall")
        channel.send(PageRequest::Measured, HelperMessage::of(qreal(NAN), qint64(1)));
}

} // namespace

int main(int, char** argv)
{
    const QString how = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (how == "gated" || how == "built-gated") {
        sigset_t gate;
        sigemptyset(&gate);
        sigaddset(&gate, SIGRTMIN);
        ::sigprocmask(SIG_BLOCK, &gate, nullptr);
    }
    HelperChannel channel(STDIN_FILENO);
    channel.send(HelperChannel::readyKind);
    HelperChannel::Message asked;
    while (channel.receive(asked)) {
        channel.setNumber(asked.number);
        answer(channel, how, asked);
    }
    ::_exit(0);
}
