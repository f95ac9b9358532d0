#pragma once

#include "PageTrial.h"

#include <QFileInfo>
#include <QString>

#include <cstdio>
#include <cstdlib>

// Tries the pages as the program does, in the page helper of the plain
// build, which TESSIVAR_PAGE_HELPER names: Qt's HTML import and layout run
// there within the helper's limits, and each page the helper accepts is laid
// out again here, within libFuzzer's -timeout. A run does not start without it.
inline void useBuildsPageHelper()
{
    const QString helper = qEnvironmentVariable("TESSIVAR_PAGE_HELPER");
    if (!QFileInfo(helper).isExecutable()) {
        std::fprintf(stderr, "Set TESSIVAR_PAGE_HELPER to the build's tessivar-page.\n");
        std::exit(1);
    }
    PageTrial::setHelper(helper);
}
