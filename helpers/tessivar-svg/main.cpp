// tessivar-svg: the program's drawing process. It draws the SVGs the
// program sends on its standard input, a socket, and is kept within its
// limits by the program.
#include "SvgChannel.h"
#include "SvgDrawer.h"

#include <QGuiApplication>

#include <unistd.h>

int main(int argc, char** argv)
{
    DAvuroD::SvgDrawer::watchProgram(STDIN_FILENO);
    // Fonts as the program has them, and no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    DAvuroD::SvgChannel channel(STDIN_FILENO);
    DAvuroD::SvgDrawer(channel).run();
    return 0;
}
