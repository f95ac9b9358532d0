#pragma once

#include "SvgCanvas.h"

#include <QString>

namespace DAvuroD {

class SvgChannel;
struct SvgRequest;

// The drawing process's side of its channel: draws each SVG the program
// asks for as QImageReader's SVG plugin draws it, telling the size of its
// canvas before it is made, and hands the pixels over, or tells why not.
// The program keeps it within its limits from outside.
class SvgDrawer
{
public:
    explicit SvgDrawer(SvgChannel& channel);

    // Readies the process before it draws: no core file when it crashes, and
    // its end as soon as the program's end of the socket closes, even while
    // it draws or waits on a file.
    static void watchProgram(int socket);

    // Says it is ready, then answers requests until the program is gone.
    void run();

private:
    void answer(SvgRequest& request, int textFd);
    void refuse(const QString& why, bool beyondPixels = false);

    SvgChannel& m_channel;
    SvgCanvas m_canvas;
};

} // namespace DAvuroD
