#include "SvgChannel.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace DAvuroD {

SvgChannel::SvgChannel(int socket)
    : m_socket(socket)
{
}

SvgChannel::~SvgChannel()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

int SvgChannel::socket() const
{
    return m_socket;
}

bool SvgChannel::send(Kind kind, const QByteArray& data, int fd)
{
    const QByteArray packet = char(kind) + data;
    iovec part {const_cast<char*>(packet.constData()), size_t(packet.size())};
    msghdr header {};
    header.msg_iov = &part;
    header.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    if (fd >= 0) {
        header.msg_control = control;
        header.msg_controllen = sizeof(control);
        cmsghdr* rights = CMSG_FIRSTHDR(&header);
        rights->cmsg_level = SOL_SOCKET;
        rights->cmsg_type = SCM_RIGHTS;
        rights->cmsg_len = CMSG_LEN(sizeof(int));
        std::memcpy(CMSG_DATA(rights), &fd, sizeof(int));
    }
    ssize_t sent;
    do
        sent = ::sendmsg(m_socket, &header, MSG_NOSIGNAL);
    while (sent < 0 && errno == EINTR);
    return sent == packet.size();
}

bool SvgChannel::receive(Message& message)
{
    QByteArray packet(maxMessageSize + 1, Qt::Uninitialized);
    iovec part {packet.data(), size_t(packet.size())};
    msghdr header {};
    header.msg_iov = &part;
    header.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    header.msg_control = control;
    header.msg_controllen = sizeof(control);
    ssize_t received;
    do
        received = ::recvmsg(m_socket, &header, MSG_CMSG_CLOEXEC);
    while (received < 0 && errno == EINTR);
    message.fd = -1;
    for (cmsghdr* c = CMSG_FIRSTHDR(&header); c; c = CMSG_NXTHDR(&header, c)) {
        if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_RIGHTS)
            std::memcpy(&message.fd, CMSG_DATA(c), sizeof(int));
    }
    const bool whole = received > 0 && received <= maxMessageSize
        && !(header.msg_flags & (MSG_TRUNC | MSG_CTRUNC));
    if (!whole) {
        if (message.fd >= 0)
            ::close(message.fd);
        message.fd = -1;
        return false;
    }
    message.kind = Kind(packet.at(0));
    message.data = packet.mid(1, int(received) - 1);
    return true;
}

} // namespace DAvuroD
