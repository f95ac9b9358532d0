// tessivar-page: the program's page process. It lays out the pages the
// program sends on its standard input, a socket, and is kept within its
// limits by the program.
#include "MemoryFile.h"
#include "PageLayout.h"
#include "PageProcess.h"
#include "PageRequest.h"
#include "SvgDrawer.h"
#include "TextEditReader.h"

#include <QDataStream>
#include <QGuiApplication>
#include <QVector>

#include <ctime>
#include <unistd.h>

namespace {

using Channel = PageProcess::Channel;
using Kind = PageProcess::Kind;

// The most a page's bytes take: a paste's text may be up to the reader's
// bound in UTF-8.
constexpr qint64 maxPageSize = qint64(TextEditReader::maxFileSize) * 3;

bool send(Channel& channel, Kind kind, const QByteArray& data = QByteArray(), int fd = -1)
{
    return channel.send(Channel::Kind(kind), data, fd);
}

template <typename... Values> QByteArray messageOf(const Values&... values)
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    (out << ... << values);
    return data;
}

qint64 cpuMs()
{
    timespec used {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return qint64(used.tv_sec) * 1000 + used.tv_nsec / 1000000;
}

// Asks the program for the pictures' sizes; false when it answers amiss.
bool askSizes(Channel& channel, const QStringList& names, QVector<QSize>* sizes)
{
    const int file = MemoryFile::of(messageOf(names));
    const bool sent = file >= 0 && send(channel, Kind::Pictures, QByteArray(), file);
    if (file >= 0)
        ::close(file);
    Channel::Message answer;
    if (!sent || !channel.receive(answer))
        return false;
    QDataStream in(MemoryFile::read(answer.fd, qint64(names.size()) * 8 + 4));
    if (answer.fd >= 0)
        ::close(answer.fd);
    in >> *sizes;
    return answer.kind == Channel::Kind(Kind::Pictures) && in.status() == QDataStream::Ok
        && sizes->size() == names.size();
}

// Lays out the page asked for, and tells what it measured; false when the
// program asked amiss.
bool layOut(Channel& channel, const Channel::Message& asked)
{
    PageRequest request;
    const QByteArray content = MemoryFile::read(asked.fd, maxPageSize);
    if (asked.fd >= 0)
        ::close(asked.fd);
    if (asked.kind != Channel::Kind(Kind::Page) || !request.fromMessage(asked.data))
        return false;
    const qint64 start = cpuMs();
    PageLayout layout(request, content);
    if (!layout.refusal().isEmpty())
        return send(channel, Kind::Refused, messageOf(layout.refusal()));
    QVector<QSize> sizes;
    if (!layout.pictureNames().isEmpty() && !askSizes(channel, layout.pictureNames(), &sizes))
        return false;
    const qreal height = layout.layOut(sizes);
    return send(channel, Kind::Measured, messageOf(height, cpuMs() - start));
}

} // namespace

int main(int argc, char** argv)
{
    DAvuroD::SvgDrawer::watchProgram(STDIN_FILENO);
    // Fonts as the program has them, and no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    Channel channel(STDIN_FILENO);
    send(channel, Kind::Ready);
    Channel::Message asked;
    while (channel.receive(asked)) {
        if (!layOut(channel, asked))
            return 1;
    }
    return 0;
}
