#include "HelperChannel.h"

#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <limits>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Room for one more descriptor than a message may carry, so that a packet
// carrying too many is told from one carrying the most.
constexpr size_t controlSize = CMSG_SPACE(sizeof(int) * (HelperChannel::maxFds + 1));
// A packet: its kind, its number, then its data.
constexpr int headerSize = 1 + int(sizeof(quint32));

} // namespace

void HelperChannel::Message::closeFds()
{
    for (const int fd : qAsConst(fds))
        ::close(fd);
    fds.clear();
}

HelperChannel::HelperChannel(int socket)
    : m_socket(socket)
    , m_packet(maxMessageSize + 1, Qt::Uninitialized)
{
}

HelperChannel::~HelperChannel()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

int HelperChannel::socket() const
{
    return m_socket;
}

quint32 HelperChannel::number() const
{
    return m_number;
}

void HelperChannel::setNumber(quint32 number)
{
    m_number = number;
}

bool HelperChannel::send(char kind, const QByteArray& data, const QVector<int>& fds)
{
    return send(kind, data, fds, QDeadlineTimer(QDeadlineTimer::Forever)) == Sent::Whole;
}

HelperChannel::Sent HelperChannel::send(
    char kind, const QByteArray& data, const QVector<int>& fds, const QDeadlineTimer& deadline)
{
    char header[headerSize] = {kind};
    qToBigEndian(m_number, header + 1);
    const QByteArray packet = QByteArray(header, headerSize) + data;
    iovec part {const_cast<char*>(packet.constData()), size_t(packet.size())};
    msghdr message {};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    alignas(cmsghdr) char control[controlSize] = {};
    if (!fds.isEmpty() && fds.size() <= maxFds) {
        message.msg_control = control;
        message.msg_controllen = CMSG_SPACE(sizeof(int) * size_t(fds.size()));
        cmsghdr* rights = CMSG_FIRSTHDR(&message);
        rights->cmsg_level = SOL_SOCKET;
        rights->cmsg_type = SCM_RIGHTS;
        rights->cmsg_len = CMSG_LEN(sizeof(int) * size_t(fds.size()));
        std::memcpy(CMSG_DATA(rights), fds.constData(), sizeof(int) * size_t(fds.size()));
    }
    for (;;) {
        const int flags = MSG_NOSIGNAL | MSG_DONTWAIT;
        const ssize_t sent = message.msg_control
            ? ::sendmsg(m_socket, &message, flags)
            : ::send(m_socket, packet.constData(), size_t(packet.size()), flags);
        if (sent == packet.size())
            return Sent::Whole;
        if (sent >= 0 || (errno != EINTR && errno != EAGAIN))
            return Sent::Gone;
        if (errno == EINTR)
            continue;
        pollfd room {m_socket, POLLOUT, 0};
        const qint64 left = deadline.remainingTime();
        if (::poll(&room, 1, int(qMin<qint64>(left, std::numeric_limits<int>::max()))) == 0)
            return Sent::Late;
    }
}

bool HelperChannel::receive(Message& message)
{
    iovec part {m_packet.data(), size_t(m_packet.size())};
    msghdr header {};
    header.msg_iov = &part;
    header.msg_iovlen = 1;
    alignas(cmsghdr) char control[controlSize] = {};
    header.msg_control = control;
    header.msg_controllen = sizeof(control);
    ssize_t received;
    do
        received = ::recvmsg(m_socket, &header, MSG_CMSG_CLOEXEC);
    while (received < 0 && errno == EINTR);
    message.fds.clear();
    for (cmsghdr* c = CMSG_FIRSTHDR(&header); c; c = CMSG_NXTHDR(&header, c)) {
        if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_RIGHTS)
            continue;
        const size_t count = (c->cmsg_len - CMSG_LEN(0)) / sizeof(int);
        for (size_t i = 0; i < count; ++i) {
            int fd;
            std::memcpy(&fd, CMSG_DATA(c) + i * sizeof(int), sizeof(int));
            message.fds << fd;
        }
    }
    const bool whole = received >= headerSize && received <= maxMessageSize
        && message.fds.size() <= maxFds && !(header.msg_flags & (MSG_TRUNC | MSG_CTRUNC));
    if (!whole) {
        message.closeFds();
        return false;
    }
    message.kind = m_packet.at(0);
    message.number = qFromBigEndian<quint32>(m_packet.constData() + 1);
    message.data = m_packet.mid(headerSize, int(received) - headerSize);
    return true;
}
