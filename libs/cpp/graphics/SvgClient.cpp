#include "SvgClient.h"

#include "HelperMessage.h"
#include "MemoryFile.h"
#include "PictureReader.h"
#include "SvgRequest.h"
#include "SvgStage.h"

#include <QScopeGuard>
#include <QSemaphore>

#include <unistd.h>

namespace DAvuroD {

SvgClient::SvgClient(const QString& helper, HelperProcess::Start start)
    : m_process(std::make_unique<HelperProcess>(helper, start))
{
}

SvgClient::SvgClient(std::unique_ptr<HelperProcess> process)
    : m_process(std::move(process))
{
}

QString SvgClient::helper() const
{
    return m_process->program();
}

QString SvgClient::scope() const
{
    return m_scope;
}

void SvgClient::setScope(const QString& scope)
{
    m_scope = scope;
}

bool SvgClient::isHalted() const
{
    return m_process->isHalted();
}

bool SvgClient::settle()
{
    return m_process->settle();
}

void SvgClient::abandon()
{
    m_process->abandon();
}

std::unique_ptr<HelperProcess> SvgClient::takeProcess()
{
    return std::move(m_process);
}

SvgClient::Result SvgClient::draw(const SvgRequest& request, qint64 msLeft)
{
    const qint64 canvasPixels = request.mostCanvasPixels();
    if (canvasPixels <= 0)
        return Result {QImage(), QStringLiteral("no pixels are left for it"), true};
    const qint64 most = msLeft == noBudget ? cpuLimitMs + waitLimitMs : qMax<qint64>(0, msLeft);
    HelperProcess::Limits limits {cpuLimitMs, waitLimitMs, most, 0};
    bool outOfTime = false;
    QString refusal = m_process->begin(limits, outOfTime);
    // Qt finds what a compressed SVG names in the program's working folder,
    // not in the SVG's: nothing of it is copied.
    if (refusal.isEmpty() && !SvgRequest::isCompressed(request.format))
        refusal = SvgStage::copy(request.text, request.folder, m_process->stage());
    if (!refusal.isEmpty()) {
        m_process->rest();
        Result result {QImage(), refusal, false, outOfTime};
        result.usedMs = m_process->usedMs();
        return result;
    }
    const int canvas = m_canvas.hold(canvasPixels * 4);
    const int text = MemoryFile::of(request.text);
    const auto closeText = qScopeGuard([text] {
        if (text >= 0)
            ::close(text);
    });
    if (canvas < 0 || text < 0) {
        m_process->rest();
        return Result {QImage(), QStringLiteral("no memory for %1 pixels").arg(canvasPixels)};
    }
    limits.growthBytes = canvasPixels * 4 + memoryMargin;
    if (!m_process->send(SvgRequest::Draw, request.toMessage(), {canvas, text}))
        return stopped(HelperProcess::Outcome::Ended, limits, canvasPixels);
    Result result = answer(request, limits);
    result.usedMs = m_process->usedMs();
    m_canvas.trim();
    return result;
}

// The canvas the helper announces lowers its memory limit to what it needs.
SvgClient::Result SvgClient::answer(const SvgRequest& request, HelperProcess::Limits limits)
{
    QSize canvas;
    for (;;) {
        HelperChannel::Message message;
        const HelperProcess::Outcome outcome = m_process->next(message, limits);
        if (outcome != HelperProcess::Outcome::Message)
            return stopped(outcome, limits,
                canvas.isValid() ? qint64(canvas.width()) * canvas.height()
                                 : request.mostCanvasPixels());
        QSize size;
        if (message.kind == SvgRequest::Canvas && !canvas.isValid()
            && HelperMessage::read(message.data, size) && request.allows(size)) {
            canvas = size;
            limits.growthBytes = SvgRequest::bytesOf(size) + memoryMargin;
        } else if (message.kind == SvgRequest::Drawn && canvas.isValid()) {
            return drawn(message.data, canvas);
        } else if (message.kind == SvgRequest::Refused && !canvas.isValid()) {
            m_process->rest();
            return refused(message.data);
        } else {
            return answeredAmiss();
        }
    }
}

// The pixels copied into the program count among those being decoded. They
// are copied while the helper stops, its work over, also where the copy
// waits for room among them; what it may still do to them is only ever its
// own picture's. Its rest is checked after.
SvgClient::Result SvgClient::drawn(const QByteArray& data, const QSize& canvas)
{
    QSize size;
    if (!HelperMessage::read(data, size) || size != canvas)
        return answeredAmiss();
    const int pixels = int(qint64(size.width()) * size.height());
    QImage image;
    m_process->halt([&] {
        PictureReader::decodingPixels().acquire(pixels);
        const QSemaphoreReleaser release(PictureReader::decodingPixels(), pixels);
        image = m_canvas.copied(size);
    });
    if (image.isNull())
        return Result {QImage(), QStringLiteral("no memory for %1 pixels").arg(pixels)};
    return Result {image, QString()};
}

SvgClient::Result SvgClient::refused(const QByteArray& data)
{
    QString why;
    bool beyond = false;
    if (!HelperMessage::read(data, why, beyond))
        return answeredAmiss();
    return Result {QImage(), why, beyond};
}

SvgClient::Result SvgClient::answeredAmiss()
{
    return stopped(HelperProcess::Outcome::Amiss, HelperProcess::Limits {}, 0);
}

SvgClient::Result SvgClient::stopped(
    HelperProcess::Outcome outcome, const HelperProcess::Limits& limits, qint64 canvasPixels)
{
    using Outcome = HelperProcess::Outcome;
    Result result {QImage(), m_process->stop(outcome, limits)};
    result.outOfTime = outcome == Outcome::Total;
    // Out of the document's time, at the program's end, or past the wall
    // clock on a machine that busy: the picture may yet be drawn.
    result.givenUp
        = outcome != Outcome::Total && outcome != Outcome::Abandoned && outcome != Outcome::Ceiling;
    result.givenUpPixels = outcome == Outcome::Memory ? canvasPixels : 0;
    m_canvas.release();
    return result;
}

} // namespace DAvuroD
