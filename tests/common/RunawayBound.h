#pragma once

// How many times slower this build runs the same work than a plain one:
// add_qt_test sets it for sanitizer builds.
#ifndef TESSIVAR_TEST_SLOWDOWN
#define TESSIVAR_TEST_SLOWDOWN 1
#endif

// A bound in milliseconds on the wall-clock time of some work, for checks
// that tell a hang or a runaway (work that takes minutes, such as a loop
// growing with the square of its input) from work that takes a moment.
// momentMs is the most the work takes alone on an idle machine in a plain
// build; the bound allows four times that, since CI runs as many tests at
// once as the machine has cores, times the build's slowdown. How fast the
// work is belongs to the benchmarks.
constexpr int runawayBoundMs(int momentMs)
{
    return momentMs * 4 * TESSIVAR_TEST_SLOWDOWN;
}
