#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

// What a fuzzer that starts itself as a helper sends the program in the
// helper's place.
namespace FuzzReplay {

// A packet on the helper's channel, its standard input, with that many
// copies of a descriptor, up to three, more than a message may carry.
inline void sendPacket(const QByteArray& packet, int fdCount, int fd)
{
    iovec part {const_cast<char*>(packet.constData()), size_t(packet.size())};
    msghdr header {};
    header.msg_iov = &part;
    header.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(3 * sizeof(int))] = {};
    if (fdCount > 0 && fd >= 0) {
        header.msg_control = control;
        header.msg_controllen = CMSG_SPACE(sizeof(int) * size_t(fdCount));
        cmsghdr* rights = CMSG_FIRSTHDR(&header);
        rights->cmsg_level = SOL_SOCKET;
        rights->cmsg_type = SCM_RIGHTS;
        rights->cmsg_len = CMSG_LEN(sizeof(int) * size_t(fdCount));
        const int fds[] = {fd, fd, fd};
        std::memcpy(CMSG_DATA(rights), fds, sizeof(int) * size_t(fdCount));
    }
    ::sendmsg(STDIN_FILENO, &header, MSG_NOSIGNAL);
}

// This program under a name of its own, which a fuzzer starts as its helper.
inline QString selfAs(const QString& name)
{
    static QTemporaryDir folder;
    const QString helper = folder.filePath(name);
    QFile::link(QFile::symLinkTarget("/proc/self/exe"), helper);
    return helper;
}

inline int openFds()
{
    return QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size();
}

} // namespace FuzzReplay
