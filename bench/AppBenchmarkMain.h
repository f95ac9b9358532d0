#pragma once

#include "App.h"
#include "TemporaryHome.h"

#include <benchmark/benchmark.h>
#include <functional>

// The main of a benchmark of the library's pages: offscreen unless a platform is
// chosen, one application object in a temporary home, then the registered benchmarks.
inline int runAppBenchmarks(
    int argc, char** argv, const std::function<void(DORuverud::App&)>& prepare = nullptr)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const TemporaryHome home;
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    if (prepare)
        prepare(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
