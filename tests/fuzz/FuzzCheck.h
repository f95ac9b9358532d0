#pragma once

// A fuzz target's own assertion: stops the run at once, also in a release build.
inline void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}
