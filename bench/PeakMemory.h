#pragma once

#include <QFile>

// A memory figure of this process in KiB from /proc/self/status ("VmRSS:"
// for the resident memory now, "VmHWM:" for its peak), 0 where it cannot be read.
inline long statusMemoryKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// The line a measured program prints once it is done: "painted", then its
// resident memory and its peak resident memory in KiB.
inline QByteArray memoryReport()
{
    return "painted " + QByteArray::number(qlonglong(statusMemoryKiB("VmRSS:"))) + ' '
        + QByteArray::number(qlonglong(statusMemoryKiB("VmHWM:"))) + '\n';
}
