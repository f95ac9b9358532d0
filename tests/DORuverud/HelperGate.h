#pragma once

// A trial held open as long as a test needs: the fake page helper (a
// "gated" or "built-gated" one) waits at the gate with a page or a paste
// marked so, until the test sends it a signal, as it sees none of the
// test's files.

#include "../common/RunawayBound.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>
#include <sys/syscall.h>

namespace HelperGate {

// A page or a paste whose trial lasts until the test lets it go on.
inline QByteArray gated(const QByteArray& html)
{
    return "<!--gate:-->" + html;
}

// Whether the process is a child of this one, or a child's child.
inline bool descends(const QString& pid)
{
    QString at = pid;
    for (int depth = 0; depth < 8; ++depth) {
        QFile stat("/proc/" + at + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray fields = stat.readAll();
        // The parent follows the name, in brackets, and the state.
        at = QString::fromLatin1(fields.mid(fields.lastIndexOf(')') + 2).split(' ').value(1));
        if (at.toLongLong() == QCoreApplication::applicationPid())
            return true;
    }
    return false;
}

// Whether a kill is sent to the process and not yet taken: one killed as its
// trial was abandoned still shows asleep at the gate for a moment.
inline bool isBeingKilled(const QString& pid)
{
    QFile status("/proc/" + pid + "/status");
    if (!status.open(QIODevice::ReadOnly))
        return true;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if ((line.startsWith("SigPnd:") || line.startsWith("ShdPnd:"))
            && line.mid(7).trimmed().toULongLong(nullptr, 16) & (1ULL << (SIGKILL - 1)))
            return true;
    }
    return false;
}

// Whether the process waits at the gate: asleep, not ended, in the call
// that waits for the signal, and not being killed.
inline bool atTheGate(const QString& pid)
{
    QFile stat("/proc/" + pid + "/stat");
    QFile call("/proc/" + pid + "/syscall");
    if (!stat.open(QIODevice::ReadOnly) || !call.open(QIODevice::ReadOnly))
        return false;
    const QByteArray fields = stat.readAll();
    return fields.mid(fields.lastIndexOf(')') + 2, 1) == "S"
        && call.readAll().split(' ').value(0).toLongLong() == SYS_rt_sigtimedwait
        && !isBeingKilled(pid);
}

// The process of the helper named that waits at the gate now, or none.
inline QString atTheGateNow(const QByteArray& helper = "gated")
{
    const QStringList pids = QDir("/proc").entryList({"[0-9]*"}, QDir::Dirs);
    for (const QString& pid : pids) {
        QFile comm("/proc/" + pid + "/comm");
        if (comm.open(QIODevice::ReadOnly) && comm.readAll() == helper + '\n' && descends(pid)
            && atTheGate(pid))
            return pid;
    }
    return QString();
}

// Lets the trial held at the gate by the helper named go on, once one is
// there; whether one was.
inline bool releaseGate(const QByteArray& helper = "gated")
{
    return QTest::qWaitFor(
        [helper] {
            const QString pid = atTheGateNow(helper);
            return !pid.isEmpty() && ::kill(pid.toInt(), SIGRTMIN) == 0;
        },
        waitBoundMs(1000));
}

} // namespace HelperGate
