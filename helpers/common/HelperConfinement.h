#pragma once

#include <QByteArray>
#include <QList>

#include <functional>

// A helper process's own part of its confinement; the program that starts
// it in its sandbox gives it its environment and its resource limits
// (HelperProcess, HelperSandbox). The helper runs without capabilities or
// new privileges, in a session of its own, dies with the program, reads
// only what the program names (LandlockRules), and once ready refuses
// what its work never needs (SystemCallFilter) on every thread, making no
// thread after that: it makes those it needs before.
class HelperConfinement
{
public:
    // First thing in main: no capabilities and no new privileges, its main
    // thread's stack running out ending it with
    // HelperChannel::outOfStackStatus, and its end with the program (the
    // program kills it when done with it); it ends at once where the program
    // is already gone. It reads from then on only what the program named and
    // its folder. It starts no thread, so that a template may fork.
    static void begin(int channel);
    // Started as a template (HelperTemplates), readies itself, says so, and
    // forks a helper for each request of the program until the program is
    // gone, returning in each helper (HelperTemplate); started as a helper,
    // returns at once.
    static void forkHelpers(const std::function<void()>& warmUp);
    // Once ready, before the first task: its threads started, then the
    // system call filter. False where it cannot be installed; the helper
    // must not work then.
    static bool seal();

    // What the program named for the helper to read, its folder among them.
    static QList<QByteArray> readable(const QByteArray& folder);
    // The filter made once by a template for its helpers.
    static void keepFilter(const QByteArray& program);
};
