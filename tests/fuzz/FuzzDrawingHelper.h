#pragma once

#include "SvgClientPool.h"

#include <QFileInfo>
#include <QString>

#include <cstdio>
#include <cstdlib>

// Draws the SVGs as the program does, in the SVG helper of the plain build,
// which TESSIVAR_SVG_HELPER names: Qt's renderer runs there within the
// limits of the helper, while libFuzzer's -timeout and
// -rss_limit_mb hold the fuzzer's own process. A run does not start without it.
inline void useBuildsDrawingHelper()
{
    const QString helper = qEnvironmentVariable("TESSIVAR_SVG_HELPER");
    if (!QFileInfo(helper).isExecutable()) {
        std::fprintf(stderr, "Set TESSIVAR_SVG_HELPER to the build's tessivar-svg.\n");
        std::exit(1);
    }
    DAvuroD::SvgClientPool::instance().setHelper(helper);
}
