#pragma once

#include <QByteArray>

// What travels between the program and a helper as a file in memory: what
// is too large for a message, such as the bytes of a page or an SVG.
class MemoryFile
{
public:
    // A memory file holding the bytes, closed on exec; -1 when none is made.
    static int of(const QByteArray& bytes);
    // A memory file of that many zero bytes, which take no memory until
    // written, for the other side to write into; -1 when none is made.
    static int sized(qint64 bytes);
    // What a regular file passed holds, up to most bytes; null for anything
    // else or more.
    static QByteArray read(int fd, qint64 most);
    // The first bytes of such a file; null when it holds fewer.
    static QByteArray head(int fd, qint64 bytes);
};
