#pragma once

#include <QString>

namespace ZAruri {

// The calling thread's stack as text, one line per frame: "<index> <symbol>",
// indices counted from the innermost frame, at most 100 frames.
class SysInfo
{
public:
    SysInfo() = delete;

    // Line 1 is this function, line 2 its caller; frames below `skip` are left out.
    static QString stackTrace(int maxFrames = 0, int skip = 0);
    // Writes at most capacity - 1 bytes and a terminating zero into buffer;
    // nothing when no symbols can be had. maxFrames 0 means 100.
    static void stackTrace(char* buffer, unsigned long capacity, int maxFrames, int skip);
};

} // namespace ZAruri
