#include "SvgDrawer.h"

#include "SvgCanvas.h"
#include "SvgChannel.h"
#include "SvgPicture.h"
#include "SvgRequest.h"

#include <QDataStream>
#include <QImage>

#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace DAvuroD {

namespace {

// The text of a request, from its memory file; null when it holds more
// than an SVG may.
QByteArray textOf(int fd)
{
    struct stat file;
    if (fd < 0 || ::fstat(fd, &file) != 0 || file.st_size > SvgRequest::maxSourceSize)
        return QByteArray();
    QByteArray text(int(file.st_size), Qt::Uninitialized);
    qint64 done = 0;
    while (done < text.size()) {
        const ssize_t read = ::pread(fd, text.data() + done, size_t(text.size() - done), done);
        if (read <= 0)
            return QByteArray();
        done += read;
    }
    return text;
}

} // namespace

SvgDrawer::SvgDrawer(SvgChannel& channel)
    : m_channel(channel)
{
}

void SvgDrawer::watchProgram(int socket)
{
    const rlimit noCore {0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    std::thread([socket] {
        // Asking for no event, poll still tells when the other end hangs up.
        pollfd end {socket, 0, 0};
        while (::poll(&end, 1, -1) < 0 || !(end.revents & (POLLHUP | POLLERR | POLLNVAL))) { }
        ::_exit(0);
    }).detach();
}

void SvgDrawer::run()
{
    m_channel.send(SvgChannel::Kind::Ready);
    SvgChannel::Message message;
    while (m_channel.receive(message)) {
        SvgRequest request;
        if (message.kind == SvgChannel::Kind::Draw && request.fromMessage(message.data))
            answer(request, message.fd);
        else
            refuse(QStringLiteral("it was asked for in a way it does not know"));
        if (message.fd >= 0)
            ::close(message.fd);
    }
}

void SvgDrawer::answer(SvgRequest& request, int textFd)
{
    if (request.path.isEmpty()) {
        request.text = textOf(textFd);
        if (request.text.isNull())
            return refuse(SvgRequest::tooLarge());
    }
    const SvgPicture picture(request);
    const QSize target = request.target(picture.size());
    if (picture.size().isEmpty() || target.width() > SvgRequest::largestSide
        || target.height() > SvgRequest::largestSide)
        return refuse(picture.refusal());
    const qint64 pixels = qint64(target.width()) * target.height();
    if (pixels > request.mostPixels)
        return refuse(
            QStringLiteral("%1 x %2 pixels, drawn in the memory of %3 pixels, more than %4")
                .arg(target.width())
                .arg(target.height())
                .arg(pixels)
                .arg(request.mostPixels),
            true);
    QByteArray canvas;
    QDataStream size(&canvas, QIODevice::WriteOnly);
    size << target;
    m_channel.send(SvgChannel::Kind::Canvas, canvas);
    QImage image = m_canvas.image(target);
    if (image.isNull())
        return refuse(QStringLiteral("no memory for %1 x %2 pixels")
                          .arg(target.width())
                          .arg(target.height()));
    image.setDotsPerMeterX(request.dotsPerMeterX);
    image.setDotsPerMeterY(request.dotsPerMeterY);
    picture.draw(image);
    m_channel.send(SvgChannel::Kind::Drawn, canvas, m_canvas.fd());
}

void SvgDrawer::refuse(const QString& why, bool beyondPixels)
{
    QByteArray refusal;
    QDataStream out(&refusal, QIODevice::WriteOnly);
    out << why << beyondPixels;
    m_channel.send(SvgChannel::Kind::Refused, refusal);
}

} // namespace DAvuroD
