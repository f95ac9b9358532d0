#pragma once

#include <seccomp.h>

// The system call filter a helper runs under once ready: everything its
// work never needs and that reaches beyond the helper is refused. It
// refuses changing files, opening them for writing, sockets, programs, new
// processes (threads stay), tracing, io_uring, reading or writing another
// process's memory, signals and scheduling aimed at another process and any
// change to its own scheduling, System V and POSIX IPC, keyrings,
// performance counters, BPF, userfaults, personalities, namespaces and
// mounts, raising its limits, clearing its death signal, typing into a
// terminal, and calls that need privileges it does not have. A call
// libseccomp does not know by name, or newer than the kernel it was written
// for, is refused too, so that a call added later opens no way out.
class SystemCallFilter
{
public:
    SystemCallFilter();
    ~SystemCallFilter();
    SystemCallFilter(const SystemCallFilter&) = delete;
    SystemCallFilter& operator=(const SystemCallFilter&) = delete;

    // False where a rule or the filter could not be installed; the helper
    // must not work then.
    bool load();

private:
    void refuseAll(const int* calls, int count, int error);
    void refuseUnknown();
    static bool loadRefusingNewer();
    void refuseWhere(int call, scmp_arg_cmp argument);
    void add(uint32_t action, int call, unsigned int count, const scmp_arg_cmp* arguments);

    scmp_filter_ctx m_context;
    bool m_added = true;
};
