#pragma once

#include <QStringList>

struct ProbeTargets;

// The probe's tries at what a helper must neither read nor keep nor reach:
// the user's files beyond its task, locks and leases on the files it reads,
// datagrams and descriptors sent past its channel, signals sent by a file's
// owner, its own session's terminal and terminals it was given, new
// threads, pipes and memory files, and the control bytes of a terminal
// written to its standard error; and what it keeps past its answer. Each
// adds what came of it to the results: "done" where the call did what it
// was asked.
namespace ProbeReaches {

void tryUserFiles(const ProbeTargets& targets, QStringList& results);
void tryLocks(const ProbeTargets& targets, QStringList& results);
void tryDatagrams(const ProbeTargets& targets, QStringList& results);
void trySignalsByFiles(const ProbeTargets& targets, QStringList& results);
void tryTerminals(const ProbeTargets& targets, QStringList& results);
void tryMaking(QStringList& results);
void holdPastTheAnswer(const ProbeTargets& targets, QStringList& results);

} // namespace ProbeReaches
