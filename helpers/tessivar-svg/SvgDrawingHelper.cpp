#include "SvgDrawingHelper.h"

#include "HelperChannel.h"
#include "HelperMessage.h"
#include "MemoryFile.h"
#include "SvgHelperPicture.h"
#include "SvgRequest.h"

#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

using DAvuroD::SvgRequest;

SvgDrawingHelper::SvgDrawingHelper(HelperChannel& channel)
    : m_channel(channel)
{
}

SvgDrawingHelper::~SvgDrawingHelper()
{
    unmap();
}

void SvgDrawingHelper::run()
{
    m_channel.send(HelperChannel::readyKind);
    HelperChannel::Message message;
    while (m_channel.receive(message)) {
        m_channel.setNumber(message.number);
        SvgRequest request;
        const Answer last = message.kind == SvgRequest::Draw && message.fds.size() == 2
                && request.fromMessage(message.data)
            ? answer(request, message.fds)
            : refusal(QStringLiteral("it was asked for in a way it does not know"));
        message.closeFds();
        if (m_mapped > size_t(SvgRequest::keptCanvasBytes))
            unmap();
        // Nothing of the task is left once it answered: the program stops it then.
        m_channel.send(last.kind, last.data);
    }
}

void SvgDrawingHelper::warmUp()
{
    QSvgRenderer word(QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'>"
                                 "<text x='0' y='12'>Ag</text></svg>"));
    QImage image(16, 16, SvgRequest::canvasFormat);
    QPainter painter(&image);
    word.render(&painter);
    QImageReader::supportedImageFormats();
}

// The drawing parsed goes before the answer does.
SvgDrawingHelper::Answer SvgDrawingHelper::answer(SvgRequest& request, const QVector<int>& fds)
{
    request.text = MemoryFile::read(fds.at(1), SvgRequest::maxSourceSize);
    if (request.text.isNull())
        return refusal(SvgRequest::tooLarge());
    const SvgHelperPicture picture(request);
    const QSize target = request.target(picture.size());
    if (picture.size().isEmpty() || SvgRequest::bytesOf(target) <= 0)
        return refusal(QString());
    const qint64 pixels = qint64(target.width()) * target.height();
    if (pixels > request.mostPixels)
        return refusal(
            QStringLiteral("%1 x %2 pixels, drawn in the memory of %3 pixels, more than %4")
                .arg(target.width())
                .arg(target.height())
                .arg(pixels)
                .arg(request.mostPixels),
            true);
    m_channel.send(SvgRequest::Canvas, HelperMessage::of(target));
    QImage image = canvas(fds.at(0), target);
    if (image.isNull())
        return refusal(QStringLiteral("no canvas for %1 x %2 pixels")
                           .arg(target.width())
                           .arg(target.height()));
    image.setDotsPerMeterX(request.dotsPerMeterX);
    image.setDotsPerMeterY(request.dotsPerMeterY);
    picture.draw(image);
    return Answer {SvgRequest::Drawn, HelperMessage::of(target)};
}

// An image of that size over the program's canvas, mapped anew only when
// the program made another or the one mapped is too small.
QImage SvgDrawingHelper::canvas(int fd, const QSize& size)
{
    const size_t bytes = size_t(SvgRequest::bytesOf(size));
    struct stat file;
    if (::fstat(fd, &file) != 0 || file.st_size < off_t(bytes))
        return QImage();
    if (file.st_ino != m_canvasFile || m_mapped < bytes) {
        unmap();
        void* data = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (data == MAP_FAILED)
            return QImage();
        m_canvas = data;
        m_mapped = bytes;
        m_canvasFile = file.st_ino;
    }
    return QImage(static_cast<uchar*>(m_canvas), size.width(), size.height(), size.width() * 4,
        SvgRequest::canvasFormat);
}

void SvgDrawingHelper::unmap()
{
    if (m_canvas)
        ::munmap(m_canvas, m_mapped);
    m_canvas = nullptr;
    m_mapped = 0;
    m_canvasFile = 0;
}

SvgDrawingHelper::Answer SvgDrawingHelper::refusal(const QString& why, bool beyondPixels)
{
    return Answer {SvgRequest::Refused, HelperMessage::of(why, beyondPixels)};
}
