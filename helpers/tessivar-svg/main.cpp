// tessivar-svg: the program's SVG helper. It draws the SVGs the program
// sends on its standard input, a socket, confined, and is kept within its
// limits by the program.
#include "HelperChannel.h"
#include "HelperConfinement.h"
#include "SvgDrawingHelper.h"

#include <QGuiApplication>

#include <unistd.h>

int main(int argc, char** argv)
{
    HelperConfinement::begin(STDIN_FILENO);
    // Fonts as the program has them, and no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    HelperConfinement::forkHelpers(SvgDrawingHelper::warmUp);
    HelperChannel channel(STDIN_FILENO);
    if (!HelperConfinement::seal())
        ::_exit(1);
    // Forked, it shares the template's pages until it writes them: it
    // writes those a drawing writes now, before a task waits on it.
    SvgDrawingHelper::warmUp();
    SvgDrawingHelper(channel).run();
    // No exit handlers: the filter refuses what some of them need.
    ::_exit(0);
}
