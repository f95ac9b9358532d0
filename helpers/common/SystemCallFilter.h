#pragma once

#include <QByteArray>

#include <seccomp.h>

// The system call filter a helper runs under once ready, on every thread of
// it: everything its work never needs and that reaches beyond the helper
// is refused. It refuses changing files, opening them for writing, locks
// and leases, sockets, pipes and memory files, sending anywhere but on its
// channel, programs, new processes and new threads, tracing, io_uring,
// reading or writing another process's memory, signals aimed at another
// process, by a call or by a file's owner (F_SETOWN, F_SETSIG, O_ASYNC,
// F_NOTIFY), scheduling aimed at another process and any change to its own,
// System V and POSIX IPC, keyrings, performance counters, BPF, userfaults,
// personalities, namespaces and mounts, raising its limits, clearing its
// death signal, every ioctl but the few that only read a terminal's or a
// file's state, and calls that need privileges it does not have. A call
// libseccomp does not know by name, or newer than the kernel it was written
// for, is refused too, so that a call added later opens no way out.
class SystemCallFilter
{
public:
    SystemCallFilter();
    ~SystemCallFilter();
    SystemCallFilter(const SystemCallFilter&) = delete;
    SystemCallFilter& operator=(const SystemCallFilter&) = delete;

    // The filter's rules as the kernel runs them, made once for a template's
    // helpers to load; empty where a rule could not be added.
    QByteArray program() const;
    // Loads the rules made by program() on every thread of the calling
    // process, and with them those naming this process; false where it
    // cannot, and the helper must not work then.
    static bool load(const QByteArray& program);

private:
    void refuseAll(const int* calls, int count, int error);
    void refuseUnknown();
    void refuseWhere(int call, scmp_arg_cmp argument);
    void refuseWhere(int call, scmp_arg_cmp first, scmp_arg_cmp second);
    void add(uint32_t action, int call, unsigned int count, const scmp_arg_cmp* arguments);

    scmp_filter_ctx m_context;
    bool m_added = true;
};
