#pragma once

// A helper process's own part of its confinement; the program that starts
// it gives it its environment and its resource limits (HelperProcess). The
// helper runs no new privileges, dies with the program, and once ready
// refuses what its work never needs: sockets but its channel, programs,
// tracing, processes but its own threads, signals to other processes,
// raising its limits, and opening or changing files for writing. It still
// reads what it is asked to, as Qt does.
class HelperConfinement
{
public:
    // First thing in main: no new privileges, writes past the file size
    // limit failing rather than ending it, its main thread's stack running
    // out ending it with HelperChannel::outOfStackStatus, and its end with
    // the program,
    // which it also ends with once the program closes the channel, even
    // while it works or waits on a file; it ends at once where the program
    // is already gone.
    static void begin(int channel);
    // Once ready, before the first task: the system call filter. False where
    // it cannot be installed; the helper must not work then.
    static bool seal();
};
