#include "HelperTemplates.h"

#include "HelperChannel.h"
#include "HelperErrors.h"
#include "HelperFolder.h"
#include "HelperMessage.h"
#include "HelperSandbox.h"
#include "ProcessWatch.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The most a template waits to be reaped once killed.
constexpr int endWaitMs = 1000;
// Ends told that nobody asked for, kept until this many.
constexpr int mostKeptEnds = 1024;

} // namespace

struct HelperTemplates::Template
{
    explicit Template(const QString& path)
        : program(path)
        , errors(QFile::encodeName(QFileInfo(path).fileName()))
    {
    }

    ~Template()
    {
        end();
    }

    // Running, started anew where it ended; why not, or an empty text.
    QString run(const QDeadlineTimer& deadline);
    QString start(const QDeadlineTimer& deadline);
    Forked fork(int helperChannel, int helperErrors, const QByteArray& folder,
        const QDeadlineTimer& deadline);
    // The next message but those telling an end, which are kept; false past
    // the deadline, or where the template is gone, which ends it.
    bool next(HelperChannel::Message& message, const QDeadlineTimer& deadline);
    bool waitFor(const QDeadlineTimer& deadline);
    void end();

    std::mutex mutex;
    const QString program;
    std::unique_ptr<HelperChannel> channel;
    HelperErrors errors;
    std::unique_ptr<HelperFolder> folder;
    ProcessWatch watch;
    ProcessWatch childWatch;
    pid_t child = -1;
    QHash<qint64, int> ended;
};

QString HelperTemplates::Template::run(const QDeadlineTimer& deadline)
{
    const char state = watch.isOpen() ? watch.state() : 0;
    if (state != 0 && state != 'Z' && state != 'X')
        return QString();
    end();
    return start(deadline);
}

QString HelperTemplates::Template::start(const QDeadlineTimer& deadline)
{
    int sockets[2];
    folder = std::make_unique<HelperFolder>();
    if (folder->path().isEmpty()
        || ::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, sockets) != 0)
        return QStringLiteral("the helper %1 has no folder").arg(program);
    channel = std::make_unique<HelperChannel>(sockets[0]);
    int error = errors.open() ? 0 : errno;
    HelperSandbox::Launch launch {QFile::encodeName(program), sockets[1], errors.helperEnd(),
        HelperFolder::base(), "/", folder->runtime(), true};
    HelperSandbox::Started started;
    if (error == 0)
        started = HelperSandbox::start(launch, int(qMax<qint64>(0, deadline.remainingTime())));
    ::close(sockets[1]);
    errors.closeHelperEnd();
    error = error != 0 ? error : started.error;
    child = started.child;
    HelperChannel::Message ready;
    if (error == 0 && watch.open(started.helper) && childWatch.open(child, true)
        && next(ready, deadline) && ready.kind == HelperChannel::readyKind && ready.fds.isEmpty())
        return QString();
    end();
    return QStringLiteral("the helper %1 did not start%2")
        .arg(program, error == 0 ? QString() : ": " + QString::fromLocal8Bit(std::strerror(error)));
}

HelperTemplates::Forked HelperTemplates::Template::fork(
    int helperChannel, int helperErrors, const QByteArray& folder, const QDeadlineTimer& deadline)
{
    Forked forked;
    forked.refusal = run(deadline);
    if (!forked.refusal.isEmpty())
        return forked;
    errors.drain();
    channel->setNumber(channel->number() + 1);
    HelperChannel::Message answer;
    qint64 id = 0;
    if (channel->send(forkKind, HelperMessage::of(folder), {helperChannel, helperErrors}, deadline)
            == HelperChannel::Sent::Whole
        && next(answer, deadline) && answer.kind == forkedKind && answer.fds.size() == 1
        && answer.number == channel->number() && HelperMessage::read(answer.data, id)) {
        forked.pidFd = answer.fds.first();
        forked.id = id;
        return forked;
    }
    answer.closeFds();
    end();
    forked.refusal = QStringLiteral("the helper %1 could not be forked").arg(program);
    return forked;
}

bool HelperTemplates::Template::next(
    HelperChannel::Message& message, const QDeadlineTimer& deadline)
{
    while (waitFor(deadline)) {
        if (!channel->receive(message)) {
            end();
            return false;
        }
        qint64 id = 0;
        qint32 status = 0;
        if (message.kind != endedKind || message.number != 0 || !message.fds.isEmpty()
            || !HelperMessage::read(message.data, id, status))
            return true;
        if (ended.size() >= mostKeptEnds)
            ended.clear();
        ended.insert(id, HelperSandbox::exitStatusOf(status));
    }
    return false;
}

// Its errors drained meanwhile.
bool HelperTemplates::Template::waitFor(const QDeadlineTimer& deadline)
{
    for (;;) {
        pollfd ready[] = {{channel->socket(), POLLIN, 0}, {errors.programEnd(), POLLIN, 0}};
        const qint64 left = deadline.remainingTime();
        const int polled = ::poll(ready, 2, int(qMin<qint64>(left, 1000)));
        if (polled > 0 && ready[1].revents)
            errors.drain();
        if (polled > 0 && ready[0].revents)
            return true;
        if ((polled < 0 && errno != EINTR) || deadline.hasExpired())
            return false;
    }
}

void HelperTemplates::Template::end()
{
    watch.kill(endWaitMs);
    if (child > 0) {
        ::kill(child, SIGKILL);
        if (childWatch.endsWithin(endWaitMs))
            ::waitpid(child, nullptr, WNOHANG);
    }
    child = -1;
    errors.drain();
    errors.close();
    watch.close();
    childWatch.close();
    channel.reset();
    folder.reset();
    ended.clear();
}

HelperTemplates::HelperTemplates() = default;

HelperTemplates::~HelperTemplates() = default;

HelperTemplates& HelperTemplates::instance()
{
    // Never deleted: helpers of any thread may outlive the program's statics.
    static auto* const templates = new HelperTemplates;
    return *templates;
}

HelperTemplates::Template& HelperTemplates::templateOf(const QString& program)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    for (const std::unique_ptr<Template>& kept : m_templates) {
        if (kept->program == program)
            return *kept;
    }
    m_templates.push_back(std::make_unique<Template>(program));
    return *m_templates.back();
}

HelperTemplates::Forked HelperTemplates::fork(
    const QString& program, int channel, int errors, const QByteArray& folder, int waitMs)
{
    Template& forker = templateOf(program);
    const std::lock_guard<std::mutex> lock(forker.mutex);
    return forker.fork(channel, errors, folder, QDeadlineTimer(waitMs));
}

int HelperTemplates::endStatus(const QString& program, qint64 id, int waitMs)
{
    Template& forker = templateOf(program);
    const std::lock_guard<std::mutex> lock(forker.mutex);
    const QDeadlineTimer deadline(waitMs);
    HelperChannel::Message other;
    while (!forker.ended.contains(id) && forker.channel && forker.next(other, deadline))
        other.closeFds();
    return forker.ended.contains(id) ? forker.ended.take(id) : -1;
}
