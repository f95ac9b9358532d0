#pragma once

#include <QByteArray>

// What travels between the program and its page process as a file in memory:
// the bytes of a page and what its pictures are named and sized.
class MemoryFile
{
public:
    // A memory file holding the bytes, closed on exec; -1 when none is made.
    static int of(const QByteArray& bytes);
    // What a regular file passed holds, up to most bytes; null for anything
    // else or more.
    static QByteArray read(int fd, qint64 most);
};
