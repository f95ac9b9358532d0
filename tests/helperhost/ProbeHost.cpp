// probe-host: a program that starts the probe helper the program's way
// (HelperProcess, forked from its template) in a session of its own whose
// terminal it is given, copies a file of the test's into the probe's stage
// as a task's file is, asks the probe to try the targets it is given, and
// writes each line of the answer and where the stage is. On a line on its
// standard input it lets the probe rest as a helper rests between tasks,
// and tells whether it was kept; on another it ends: as a program ends,
// killing its helper, or, asked to linger, at once, leaving it. A probe
// that reads nothing is sent requests until a send is refused, and the
// time that took is told: one named "deaf".
//   probe-host HELPER sandboxed|unsandboxed TARGETS
#include "HelperProcess.h"
#include "HelperSandbox.h"
#include "ProbeTargets.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Room for what the probe tries, which a sanitizer build beside busy
// processes slows several times, and for what it holds past its answer,
// 300 MiB, with the shadow a sanitizer keeps of it.
const HelperProcess::Limits limits {10000, 5000, 15000, qint64(4) << 30};

// A session whose controlling terminal is that one, as a program started
// from a shell has it; the program's standard error goes there too.
void takeTerminal(const QString& terminal)
{
    ::setsid();
    const int fd = ::open(QFile::encodeName(terminal).constData(), O_RDWR);
    if (fd >= 0)
        ::dup2(fd, STDERR_FILENO);
}

void tell(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void waitForLine()
{
    char line[16];
    std::fgets(line, sizeof(line), stdin);
}

// Requests of the most a message holds, until one is refused, within
// limits whose ceiling is the least, 10 s.
int sendUntilRefused(HelperProcess& helper)
{
    const HelperProcess::Limits limits {200, 500, 700, qint64(1) << 30};
    bool outOfTime = false;
    const QString refusal = helper.begin(limits, outOfTime);
    if (!refusal.isEmpty()) {
        tell("start: " + refusal);
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    const QByteArray request(HelperChannel::maxMessageSize - 64, 'x');
    while (helper.send(ProbeTargets::Ask, request)) { }
    const qint64 ms = clock.elapsed();
    tell(QString("sends refused after %1 ms: %2")
             .arg(ms)
             .arg(helper.stop(HelperProcess::Outcome::Ended, limits)));
    return 0;
}

QStringList asked(HelperProcess& helper, const ProbeTargets& targets)
{
    bool outOfTime = false;
    const QString refusal = helper.begin(limits, outOfTime);
    if (!refusal.isEmpty())
        return {"start: " + refusal};
    const QString staged = QFile::decodeName(helper.stage()) + '/' + targets.staged;
    QFile::copy(targets.toStage, staged);
    HelperChannel::Message answer;
    QStringList results;
    using Outcome = HelperProcess::Outcome;
    const Outcome outcome = helper.send(ProbeTargets::Ask, targets.toMessage())
        ? helper.next(answer, limits)
        : Outcome::Ended;
    if (outcome != Outcome::Message)
        return {"answer: " + helper.stop(outcome, limits)};
    if (answer.kind != ProbeTargets::Answer || !HelperMessage::read(answer.data, results))
        return {"answer: " + helper.stop(Outcome::Amiss, limits)};
    return results << "stage: " + staged;
}

} // namespace

int main(int argc, char** argv)
{
    ProbeTargets targets;
    if (argc != 4 || !targets.read(QFile::decodeName(argv[3])))
        return 2;
    takeTerminal(targets.terminal);
    if (QByteArray(argv[2]) == "unsandboxed")
        HelperSandbox::setBubblewrap(QString());
    const QString name = QFileInfo(QFile::decodeName(argv[1])).fileName();
    HelperProcess helper(QFile::decodeName(argv[1]), HelperProcess::Start::Forked);
    if (name.contains("deaf"))
        return sendUntilRefused(helper);
    tell(QString("host session: %1").arg(::getsid(0)));
    for (const QString& result : asked(helper, targets))
        tell(result);
    tell("answered");
    waitForLine();
    tell(helper.rest() ? "rest: kept" : "rest: ended");
    tell("rested");
    waitForLine();
    // A program that lingers ends at once, as one killed ends.
    if (name.contains("linger"))
        ::_exit(0);
    return 0;
}
