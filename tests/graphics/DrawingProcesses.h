#pragma once

#include "SvgClientPool.h"

#include <QDir>
#include <QFile>
#include <QList>

#include <unistd.h>

// The drawing processes of this program, as the system lists them.
namespace DrawingProcesses {

struct Process
{
    qint64 pid = 0;
    QByteArray name;
    char state = 0;
    qint64 parent = 0;
};

// What /proc says of the process; pid 0 where it is gone.
inline Process process(qint64 pid)
{
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return Process();
    // pid (name) state parent ...
    const QByteArray line = stat.readAll();
    const int open = line.indexOf('(');
    const int close = line.lastIndexOf(')');
    const QList<QByteArray> rest = line.mid(close + 2).split(' ');
    if (open < 0 || close < open || rest.size() < 2)
        return Process();
    return Process {
        pid, line.mid(open + 1, close - open - 1), rest.at(0).at(0), rest.at(1).toLongLong()};
}

// Whether it runs, and is no zombie.
inline bool isRunning(qint64 pid)
{
    const Process found = process(pid);
    return found.pid != 0 && found.state != 'Z';
}

// Whether the process descends from this program: its child, or a process
// in a sandbox the program started.
inline bool descendsFromThisProgram(const Process& candidate)
{
    Process ancestor = candidate;
    for (int generation = 0; generation < 4 && ancestor.pid != 0; ++generation) {
        if (ancestor.parent == ::getpid())
            return true;
        ancestor = process(ancestor.parent);
    }
    return false;
}

// Every process this program started, its helpers and their sandboxes, ended
// ones not yet reaped too.
inline QList<Process> anyChildren()
{
    QList<Process> found;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        const Process candidate = number ? process(pid) : Process();
        if (candidate.pid != 0 && descendsFromThisProgram(candidate))
            found << candidate;
    }
    return found;
}

// The drawing helpers of this program: those its helper's template forked,
// not the template, which draws nothing.
inline QList<Process> children()
{
    QList<Process> found;
    for (const Process& child : anyChildren()) {
        if (child.name == DAvuroD::SvgClientPool::helperName && child.state != 'Z'
            && process(child.parent).name == DAvuroD::SvgClientPool::helperName)
            found << child;
    }
    return found;
}

inline QList<qint64> ofThisProgram()
{
    QList<qint64> pids;
    for (const Process& child : children())
        pids << child.pid;
    return pids;
}

// One that runs rather than waits, or 0.
inline qint64 busyOfThisProgram()
{
    for (const Process& child : children()) {
        if (child.state == 'R')
            return child.pid;
    }
    return 0;
}

} // namespace DrawingProcesses
