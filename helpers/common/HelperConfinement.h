#pragma once

// A helper process's own part of its confinement; the program that starts
// it in its sandbox gives it its environment and its resource limits
// (HelperProcess, HelperSandbox). The helper runs without capabilities or
// new privileges, dies with the program, and once ready refuses what its
// work never needs (SystemCallFilter). It still reads what it is asked to,
// as Qt does.
class HelperConfinement
{
public:
    // First thing in main: no capabilities and no new privileges, its main
    // thread's stack running out ending it with
    // HelperChannel::outOfStackStatus, and its end with the program, which
    // it also ends with once the program closes the channel, even while it
    // works or waits on a file; it ends at once where the program is
    // already gone.
    static void begin(int channel);
    // Once ready, before the first task: the system call filter. False where
    // it cannot be installed; the helper must not work then.
    static bool seal();
};
