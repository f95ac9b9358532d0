#pragma once

#include <QByteArray>
#include <QList>

// Landlock, where the kernel has it: a process restricts itself, and the
// threads and processes it starts afterwards, to reading the files and
// folders given and what lies under them. It may then write, make or remove
// nothing, reach no TCP port, and, from ABI 6 on, signal no process and
// reach no abstract socket outside its own restriction. A thread started
// before keeps what it had, so that a process restricts itself before it
// starts any.
class LandlockRules
{
public:
    // The ABI the kernel has, 0 where it has none.
    static int abi();
    // False where the kernel has Landlock and the rules could not be applied;
    // true where they were, or where there is no Landlock to apply.
    static bool restrictTo(const QList<QByteArray>& readable);
};
