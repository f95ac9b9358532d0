// probe-host: a program that starts the probe helper the program's way
// (HelperProcess) in a session of its own whose terminal it is given, asks
// it to try the targets it is given, and writes each line of the answer.
// Then it waits for a line on its standard input and ends: as a program
// ends, killing its helper, or, asked to linger, at once, leaving it.
//   probe-host HELPER sandboxed|unsandboxed PID CANARY FOLDER PORT SOCKET SEGMENT TERMINAL
#include "HelperProcess.h"
#include "HelperSandbox.h"
#include "ProbeTargets.h"

#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

ProbeTargets targetsOf(char** argv)
{
    ProbeTargets targets;
    targets.pid = QByteArray(argv[3]).toLongLong();
    targets.canary = QByteArray(argv[4]).toULongLong();
    targets.folder = QFile::decodeName(argv[5]);
    targets.port = QByteArray(argv[6]).toInt();
    targets.socket = QFile::decodeName(argv[7]);
    targets.segment = QByteArray(argv[8]).toInt();
    targets.terminal = QFile::decodeName(argv[9]);
    return targets;
}

// A session whose controlling terminal is that one, as a program started
// from a shell has it; the program's standard error goes there too.
void takeTerminal(const char* terminal)
{
    ::setsid();
    const int fd = ::open(terminal, O_RDWR);
    if (fd >= 0)
        ::dup2(fd, STDERR_FILENO);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 10)
        return 2;
    takeTerminal(argv[9]);
    if (QByteArray(argv[2]) == "unsandboxed")
        HelperSandbox::setBubblewrap(QString());
    HelperProcess helper(QFile::decodeName(argv[1]));
    const HelperProcess::Limits limits {2000, 5000, 7000, qint64(1) << 30};
    bool outOfTime = false;
    const QString refusal = helper.begin(limits, outOfTime);
    HelperChannel::Message answer;
    QStringList results;
    if (!refusal.isEmpty())
        results << "start: " + refusal;
    else if (!helper.send(ProbeTargets::Ask, targetsOf(argv).toMessage())
        || helper.next(answer, limits) != HelperProcess::Outcome::Message
        || answer.kind != ProbeTargets::Answer || !HelperMessage::read(answer.data, results))
        results << "answer: " + helper.stop(HelperProcess::Outcome::Amiss, limits);
    for (const QString& result : qAsConst(results))
        std::printf("%s\n", qPrintable(result));
    std::printf("answered\n");
    std::fflush(stdout);
    char line[16];
    std::fgets(line, sizeof(line), stdin);
    // A program that lingers ends at once, as one killed ends.
    if (QFileInfo(QFile::decodeName(argv[1])).fileName().contains("linger"))
        ::_exit(0);
    return 0;
}
