#pragma once

// The benchmarks read the process's memory figures the same way.
#include "../../bench/PeakMemory.h"

#include <QFile>

// Makes the peak resident memory the present one, so that what a test
// made before does not count; false where the kernel does not let it.
inline bool resetPeakMemory()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && refs.write("5") == 1;
}

// The peak resident memory of this process in KiB, 0 where unknown.
inline qint64 peakMemoryKiB()
{
    return statusMemoryKiB("VmHWM:");
}
