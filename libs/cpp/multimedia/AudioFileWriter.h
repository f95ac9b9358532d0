#pragma once

#include <QString>

namespace DIReridArazi {

// Writes interleaved float frames to an audio file while it is recorded.
// The file is written through the calls below, so a writer knows which bytes
// reached it. It is made under a name of its own beside the path and takes
// the path's place once placeFile() says its header is written; until then a
// file at the path stays as it was, and a writer that fails or is dropped
// before leaves nothing behind. The first step that fails ends the writing:
// later writes take nothing and errorString() says why. GUI thread only.
class AudioFileWriter
{
public:
    virtual ~AudioFileWriter();

    // Returns how many frames were taken: all of them, fewer only when
    // writing failed.
    virtual int write(const float* frames, int count) = 0;
    // Writes what is pending, completes the file so that its header tells
    // what it holds, and closes it; false when any step failed. Idempotent.
    virtual bool finish() = 0;

    // Why the file could not be made or written; empty while all is well.
    QString errorString() const;

protected:
    // Each returns false after recording why, as do short reads and writes.
    // A path that is a symbolic link is written where it leads.
    bool openFile(const QString& path);
    // Puts the file at its path, in place of any file there, unless a step
    // failed before.
    bool placeFile();
    // At the file position, which they advance.
    long long readFile(void* data, long long size);
    long long writeFile(const void* data, long long size);
    // whence as for lseek; returns the new position, or -1.
    long long seekFile(long long offset, int whence);
    long long filePosition() const;
    long long fileLength() const;
    bool truncateFile(long long length);
    // Syncs the file to the disk and closes it; removes it when not placed.
    bool closeFile();
    // Keeps the first reason; returns false.
    bool fail(const QString& reason);
    bool failed() const;

private:
    bool failWithErrno();
    void removeUnplaced();

    QString m_path;
    // The file's own name until it is placed, empty after.
    QString m_newPath;
    int m_fd = -1;
    long long m_position = 0;
    long long m_length = 0;
    QString m_error;
};

} // namespace DIReridArazi
