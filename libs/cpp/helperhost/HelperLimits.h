#pragma once

#include <QtGlobal>

#include <sys/types.h>

// The operating system's limits on one helper process, behind the program's
// watch of it: no core, no file written, few descriptors, a stack smaller
// than the program's, bounded memory (but in sanitized builds, whose
// runtimes reserve terabytes of address space), and processor time a
// little past what its task may take.
class HelperLimits
{
public:
    // Sets them all but the processor time, before the first task; false
    // where one could not be set.
    static bool confine(pid_t pid);

    // The processor time the helper may reach stands past what the next
    // task may take, from what it used, and its hard limit a second past
    // that, so that a helper ignoring SIGXCPU still ends. False where it
    // cannot be raised so far, as only a privileged program may raise a hard
    // limit; the helper is replaced then.
    bool allowCpu(pid_t pid, qint64 usedMs, qint64 taskMs);
    // For a new process.
    void reset();

private:
    // The processor seconds the helper may reach, as its limit stands.
    qint64 m_cpuSeconds = 0;
};
