#pragma once

#include "HelperProcess.h"
#include "SvgCanvas.h"

#include <QImage>
#include <QString>

#include <memory>

namespace DAvuroD {

struct SvgRequest;

// Draws SVGs in a helper process of the program, tessivar-svg, within the
// limits of that process, which the program computes from its request: its
// processor time, its waiting on files, and its resident memory besides
// the canvas of the largest picture the request allows. The files a drawing
// names beside it go into the helper's stage first (SvgStage). Each answer
// is checked against the request: a wrong kind or size ends the helper and
// the picture is missing. The helper is stopped once it answered, before
// its picture is copied; its rest is checked after the drawing (settle()),
// or when its next drawing begins. It serves the scope of its first drawing
// alone. One thread at a time may draw with it.
class SvgClient
{
public:
    static constexpr qint64 cpuLimitMs = 2000;
    // For reads that block, which take no processor time.
    static constexpr qint64 waitLimitMs = 5000;
    // Besides its canvas, over what the process held before the drawing.
    static constexpr qint64 memoryMargin = qint64(256) << 20;
    // A drawing with no budget of time besides its limits.
    static constexpr qint64 noBudget = -1;

    struct Result
    {
        // Null when refused.
        QImage image;
        // Why it is refused; empty where the drawing has no size.
        QString refusal;
        // Whether it is refused for its canvas's pixels.
        bool beyondPixels = false;
        // Whether it is refused for the time allowed, which msLeft cut short.
        bool outOfTime = false;
        // Whether it is refused for what the SVG is, so that drawing it
        // again would cost as much: past a limit of its own, or crashing
        // its helper. For memory, at a canvas of these pixels or more.
        bool givenUp = false;
        qint64 givenUpPixels = 0;
        // The helper's processor time and waiting it took, its start included.
        qint64 usedMs = 0;
    };

    SvgClient(const QString& helper, HelperProcess::Start start);
    // With a helper started already.
    explicit SvgClient(std::unique_ptr<HelperProcess> process);

    QString helper() const;
    // What it serves alone, set by its first drawing.
    QString scope() const;
    void setScope(const QString& scope);
    // Draws the request within the limits, cut to msLeft of the helper's
    // processor time and waiting unless it is noBudget; starts the helper first where it is not
    // running, which counts in the limits.
    Result draw(const SvgRequest& request, qint64 msLeft);
    // Whether its helper's rest is still to be checked since its drawing.
    bool isHalted() const;
    // Checks its helper's rest; false where the helper was ended for it.
    bool settle();
    // Stops the drawing under way, and those after, from another thread.
    void abandon();
    // Its helper process, to be ended elsewhere; it draws no more.
    std::unique_ptr<HelperProcess> takeProcess();

private:
    Result answer(const SvgRequest& request, HelperProcess::Limits limits);
    Result drawn(const QByteArray& data, const QSize& canvas);
    Result refused(const QByteArray& data);
    Result answeredAmiss();
    Result stopped(
        HelperProcess::Outcome outcome, const HelperProcess::Limits& limits, qint64 canvasPixels);

    std::unique_ptr<HelperProcess> m_process;
    SvgCanvas m_canvas;
    QString m_scope;
};

} // namespace DAvuroD
