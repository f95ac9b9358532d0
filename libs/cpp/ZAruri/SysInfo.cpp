#include "SysInfo.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <execinfo.h>

namespace ZAruri {

namespace {

const int frameTableSize = 100;

} // namespace

// Not inlined, so that each overload keeps a frame of its own.
__attribute__((noinline)) QString SysInfo::stackTrace(int maxFrames, int skip)
{
    char buffer[12800] = {};
    stackTrace(buffer, sizeof buffer - 1, maxFrames, skip + 1);
    return QString::fromLatin1(buffer);
}

__attribute__((noinline)) void SysInfo::stackTrace(
    char* buffer, unsigned long capacity, int maxFrames, int skip)
{
    if (capacity == 0)
        return;
    buffer[0] = '\0';
    void* frames[frameTableSize];
    const int limit = maxFrames <= 0 ? frameTableSize : std::min(maxFrames, frameTableSize);
    const int count = backtrace(frames, limit);
    char** symbols = backtrace_symbols(frames, count);
    if (!symbols)
        return;
    unsigned long used = 0;
    for (int i = std::max(skip, 0); i < count && used + 1 < capacity; ++i) {
        const int written = symbols[i]
            ? std::snprintf(buffer + used, capacity - used, "%d %s\n", i, symbols[i])
            : std::snprintf(buffer + used, capacity - used, "%d <no symbol> [%p]\n", i, frames[i]);
        used = std::min(used + std::max(written, 0), capacity - 1);
    }
    std::free(symbols);
}

} // namespace ZAruri
