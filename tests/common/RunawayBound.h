#pragma once

#include <algorithm>

// How many times slower this build runs the same work than a plain one:
// add_qt_test sets it for sanitizer builds.
#ifndef TESSIVAR_TEST_SLOWDOWN
#define TESSIVAR_TEST_SLOWDOWN 1
#endif

// A bound in milliseconds on a thread's own time for some work
// (ThreadTime, RunawayWatch, GuiStalls), for checks that tell a hang or a
// runaway (work that takes minutes, such as a loop growing with the square
// of its input) from work that takes a moment. momentMs is the most the work
// takes alone on an idle machine in a plain build; the bound allows four
// times that, since processors shared by busy neighbours run a thread's own
// time slower too, times the build's slowdown. How fast the work is belongs
// to the benchmarks.
constexpr int runawayBoundMs(int momentMs)
{
    return momentMs * 4 * TESSIVAR_TEST_SLOWDOWN;
}

// A bound in milliseconds on the wall clock while a test waits for work done
// elsewhere (another thread or process, a device), which a busy machine
// stretches: thirty times the moment, which still tells minutes from
// moments, and never past the ten minutes a sanitizer build allows a test.
constexpr int waitBoundMs(int momentMs)
{
    return std::min(momentMs * 30 * TESSIVAR_TEST_SLOWDOWN, 600000);
}
