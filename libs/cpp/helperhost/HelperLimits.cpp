#include "HelperLimits.h"

#include "SanitizedBuild.h"

#include <sys/resource.h>

namespace {

constexpr rlim_t mostFiles = 64;
constexpr rlim_t mostData = rlim_t(2) << 30;
constexpr rlim_t mostAddressSpace = rlim_t(8) << 30;
// The processor time a helper may reach is raised in steps of this many
// seconds at least, as only a privileged program may raise a hard limit.
constexpr qint64 cpuStepSeconds = 30;

bool setLimit(pid_t pid, __rlimit_resource resource, rlim_t soft, rlim_t hard)
{
    const rlimit limit {soft, hard};
    return ::prlimit(pid, resource, &limit, nullptr) == 0;
}

// A helper's stack: seven eighths of the program's, since the program does
// the same work below frames of its own, so that what the helper finishes
// never runs the program's stack out.
rlim_t helperStack()
{
    rlimit program {};
    if (::getrlimit(RLIMIT_STACK, &program) != 0 || program.rlim_cur == RLIM_INFINITY)
        return RLIM_INFINITY;
    return program.rlim_cur / 8 * 7;
}

} // namespace

bool HelperLimits::confine(pid_t pid)
{
    const rlim_t stack = helperStack();
    bool set = setLimit(pid, RLIMIT_CORE, 0, 0) && setLimit(pid, RLIMIT_FSIZE, 0, 0)
        && setLimit(pid, RLIMIT_NOFILE, mostFiles, mostFiles)
        && setLimit(pid, RLIMIT_STACK, stack, stack);
#ifndef TESSIVAR_SANITIZED
    set = set && setLimit(pid, RLIMIT_DATA, mostData, mostData)
        && setLimit(pid, RLIMIT_AS, mostAddressSpace, mostAddressSpace);
#endif
    return set;
}

bool HelperLimits::allowCpu(pid_t pid, qint64 usedMs, qint64 taskMs)
{
    const qint64 needed = (usedMs + taskMs) / 1000 + 2;
    if (needed <= m_cpuSeconds)
        return true;
    const qint64 seconds = needed + cpuStepSeconds;
    if (!setLimit(pid, RLIMIT_CPU, rlim_t(seconds), rlim_t(seconds + 1)))
        return false;
    m_cpuSeconds = seconds;
    return true;
}

void HelperLimits::reset()
{
    m_cpuSeconds = 0;
}
