#pragma once

#include <QImage>
#include <QString>

#include <sys/types.h>

class HelperChannel;
namespace DAvuroD {
struct SvgRequest;
} // namespace DAvuroD

// The helper's side of its channel: draws each SVG the program asks for as
// QImageReader's SVG plugin draws it, onto the canvas the program hands it,
// telling the size it will draw at first, or tells why not. The program
// keeps it within its limits from outside.
class SvgDrawingHelper
{
public:
    explicit SvgDrawingHelper(HelperChannel& channel);
    ~SvgDrawingHelper();
    SvgDrawingHelper(const SvgDrawingHelper&) = delete;
    SvgDrawingHelper& operator=(const SvgDrawingHelper&) = delete;

    // Says it is ready, then answers requests until the program is gone.
    void run();
    // Draws a word and loads the picture formats once, so that a helper
    // forked after starts with its fonts and formats at hand.
    static void warmUp();

private:
    // A task's last answer, sent once the task is done with.
    struct Answer
    {
        char kind;
        QByteArray data;
    };

    Answer answer(DAvuroD::SvgRequest& request, const QVector<int>& fds);
    QImage canvas(int fd, const QSize& size);
    void unmap();
    static Answer refusal(const QString& why, bool beyondPixels = false);

    HelperChannel& m_channel;
    // The program's canvas, kept mapped from drawing to drawing.
    void* m_canvas = nullptr;
    size_t m_mapped = 0;
    ino_t m_canvasFile = 0;
};
